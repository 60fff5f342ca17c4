// The self-test's session: its questions on the learner's line, the answers, the result, and
// every word the self-test says.

#include "learn/quiz_session.h"

#include "learn/columns.h"

#include <algorithm>
#include <array>

namespace lumaro::learn {

namespace {

constexpr std::array kAllSystems = {System::HV, System::Ks, System::Hl};
constexpr std::array kKinds = {ItemKind::Name, ItemKind::Set, ItemKind::Predict, ItemKind::Speed};
// Ticks a setting question waits for the line to catch up with the last press when handed in:
// a distant signal follows its main signal on the next tick, a relay one later.
constexpr int kCatchUpTicks = 3;

std::string RightAnswer(const QuizItem& item)
{
    if (item.kind == ItemKind::Set)
        return AnswerText(item.target);
    if (item.answer < 0 || item.answer >= static_cast<int>(item.choices.size()))
        return {};
    return AnswerText(item.choices[static_cast<std::size_t>(item.answer)]);
}

std::string ItemHeading(const QuizItem& item)
{
    return std::string(KindTitle(item.kind)) + " · " + SystemTitle(item.system);
}

int Percent(int part, int whole)
{
    return whole > 0 ? part * 100 / whole : 0;
}

std::string Counted(std::int64_t count, const char* one, const char* many)
{
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

} // namespace

const char* KindTitle(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Name: return "Benennen";
    case ItemKind::Set: return "Einstellen";
    case ItemKind::Predict: return "Vorhersagen";
    case ItemKind::Speed: return "Geschwindigkeit";
    }
    return "";
}

const char* SystemTitle(System system)
{
    return NamesOf(system).title;
}

std::string AnswerText(std::string_view caption)
{
    if (caption.starts_with("+ "))
        caption.remove_prefix(2);
    return std::string(caption);
}

bool Concealment::Conceals(int panel) const
{
    return column != 0 && PanelColumn(panel) == column;
}

QuizSession::QuizSession(Driver& line, Progress& progress)
    : m_line(line)
    , m_progress(progress)
    , m_systems(kAllSystems.begin(), kAllSystems.end())
{
}

QuizSession::~QuizSession() = default;

void QuizSession::StartPractice(std::uint64_t seed, std::vector<System> systems)
{
    SetSystems(std::move(systems));
    Begin(QuizMode::Practice, seed);
}

void QuizSession::SetSystems(std::vector<System> systems)
{
    std::erase_if(systems, [](System s) { return std::find(kAllSystems.begin(), kAllSystems.end(), s) == kAllSystems.end(); });
    m_systems = systems.empty() ? std::vector<System>(kAllSystems.begin(), kAllSystems.end()) : std::move(systems);
}

void QuizSession::StartExam(std::uint64_t seed)
{
    m_systems.assign(kAllSystems.begin(), kAllSystems.end());
    Begin(QuizMode::Exam, seed);
}

void QuizSession::Begin(QuizMode mode, std::uint64_t seed)
{
    if (!m_kept)
        m_kept = std::make_unique<Driver>(m_line.Copy());
    m_open = true;
    m_mode = mode;
    m_random = Random(seed);
    m_exam = mode == QuizMode::Exam ? GenerateQuiz(seed, kExamItems) : std::vector<QuizItem> {};
    m_index = 0;
    m_asked = 0;
    m_right = 0;
    m_finished = false;
    m_missed.clear();
    Next();
}

void QuizSession::Close()
{
    m_open = false;
    m_item.reset();
    m_answered = false;
    if (m_kept) {
        m_line.Restore(*m_kept);
        m_kept.reset();
    }
}

void QuizSession::Next()
{
    m_answered = false;
    m_reached = false;
    m_chosen = -1;
    if (m_mode == QuizMode::Exam) {
        if (m_index >= static_cast<int>(m_exam.size())) {
            m_finished = true;
            m_item.reset();
            m_progress.RecordExam({m_right, m_asked});
            Recorded();
            return;
        }
        m_item = m_exam[static_cast<std::size_t>(m_index)];
    } else if (const std::optional<ProgressKey> due = m_progress.Due(m_systems)) {
        // A question that is due comes back about the same designation.
        m_item = GenerateItem(m_random, due->kind, due->system, due->designation);
    } else {
        // A new question, but none whose turn is still to come: a missed one returns when it is
        // due, not earlier by chance.
        constexpr int kTries = 8;
        for (int attempt = 0; attempt < kTries; ++attempt) {
            const ItemKind kind = kKinds[static_cast<std::size_t>(m_random.Below(static_cast<int>(kKinds.size())))];
            const System system =
                m_systems[static_cast<std::size_t>(m_random.Below(static_cast<int>(m_systems.size())))];
            m_item = GenerateItem(m_random, kind, system);
            if (!m_progress.Waiting(Progress::KeyOf(*m_item)))
                break;
        }
    }
    ++m_index;
    ShowSituation();
}

void QuizSession::ShowSituation()
{
    Driver situation;
    situation.RecordTrace(m_line.View().Canvas.Recording());
    situation.Start();
    RunActions(situation, m_item->setup);
    m_line.Restore(situation);
}

bool QuizSession::Choose(int index)
{
    if (!m_open || !m_item || m_answered || m_item->kind == ItemKind::Set)
        return false;
    if (index < 0 || index >= static_cast<int>(m_item->choices.size()))
        return false;
    Answer(index == m_item->answer, index);
    return true;
}

bool QuizSession::Proceed()
{
    if (!m_open || m_finished || !m_item)
        return false;
    if (!m_answered) {
        // Only a setting question is handed in by the button: right when its target showed, or
        // shows once the line has caught up with the last press.
        if (m_item->kind != ItemKind::Set)
            return false;
        Answer(m_reached || TargetShowsSoon(), -1);
        return true;
    }
    Next();
    return true;
}

void QuizSession::AfterTick()
{
    if (!m_open || !m_item || m_answered || m_item->kind != ItemKind::Set)
        return;
    if (m_line.View().Panels[static_cast<std::size_t>(m_item->panel)].caption != m_item->target)
        return;
    m_reached = true;
    if (m_mode == QuizMode::Practice)
        Answer(true, -1);
}

bool QuizSession::TargetShowsSoon() const
{
    Driver ahead = m_line.Copy();
    for (int t = 0; t < kCatchUpTicks; ++t) {
        ahead.Tick();
        if (ahead.View().Panels[static_cast<std::size_t>(m_item->panel)].caption == m_item->target)
            return true;
    }
    return false;
}

void QuizSession::Answer(bool right, int chosen)
{
    const QuizItem& item = *m_item;
    m_answered = true;
    m_answeredRight = right;
    m_chosen = chosen;
    ++m_asked;
    if (right)
        ++m_right;
    m_progress.Record(Progress::KeyOf(item), right);
    if (!right) {
        MissedView missed;
        missed.heading = "Frage " + std::to_string(m_index) + " · " + ItemHeading(item);
        missed.prompt = item.prompt;
        missed.right = "Richtig: " + RightAnswer(item);
        missed.given = chosen >= 0 ? "Deine Antwort: " + AnswerText(item.choices[static_cast<std::size_t>(chosen)])
                                   : std::string("Nicht eingestellt.");
        missed.why = item.why;
        m_missed.push_back(std::move(missed));
    }
    Recorded();
    if (m_mode == QuizMode::Exam) {
        // No word on the answer until the end.
        Next();
        return;
    }
    if (item.kind == ItemKind::Predict)
        RunActions(m_line, item.then);   // the learner sees it happen
}

void QuizSession::Recorded()
{
    if (m_recorded)
        m_recorded();
}

Concealment QuizSession::Concealed() const
{
    if (!m_open || !m_item || m_answered || m_item->kind == ItemKind::Set)
        return {};
    return {PanelColumn(m_item->panel), true};
}

SessionView QuizSession::View() const
{
    SessionView view;
    view.open = m_open;
    view.mode = m_mode;
    view.title = m_mode == QuizMode::Exam ? "Prüfung" : "Üben";
    view.systemsLabel = "Üben im";
    static constexpr std::array kShortNames = {"H/V", "Ks", "Hl"};
    for (std::size_t i = 0; i < kAllSystems.size(); ++i)
        view.systemChoices.push_back({kAllSystems[i], kShortNames[i],
                                      std::find(m_systems.begin(), m_systems.end(), kAllSystems[i]) != m_systems.end()});
    if (!m_open)
        return view;
    if (m_finished) {
        view.finished = true;
        view.passed = Passed();
        view.heading = "Ergebnis der Prüfung";
        view.result = std::to_string(m_right) + " von " + std::to_string(m_asked) + " richtig ("
            + std::to_string(Percent(m_right, m_asked)) + " %). " + (view.passed ? "Bestanden" : "Nicht bestanden")
            + " – bestanden ist die Prüfung ab " + std::to_string(kPassPercent) + " %.";
        view.missedHeading = m_missed.empty() ? "Keine Frage falsch beantwortet."
                                              : "Falsch beantwortet (" + std::to_string(m_missed.size()) + "):";
        view.missed = m_missed;
        view.proceed = "Schließen";
        view.proceedEnabled = true;
        return view;
    }
    if (!m_item)
        return view;
    const QuizItem& item = *m_item;
    view.item = &item;
    view.number = m_index;
    view.answered = m_answered;
    view.heading = m_mode == QuizMode::Exam
        ? "Frage " + std::to_string(m_index) + " von " + std::to_string(m_exam.size()) + " · " + ItemHeading(item)
        : ItemHeading(item);
    view.prompt = item.prompt;
    const std::int32_t column = PanelColumn(item.panel);
    if (!m_answered) {
        view.askedColumn = column;
        view.askedSignal = ColumnName(item.system, column);
        view.coverPanel = item.kind == ItemKind::Name;
        view.coverHint = "Welcher Signalbegriff steht hier?";
    }
    if (item.kind == ItemKind::Set)
        view.hint = "Stelle es mit den Tasten des Signals ein.";
    else if (!m_answered)
        view.hint = "Die Tasten an der Strecke warten, bis du geantwortet hast.";
    for (std::size_t i = 0; i < item.choices.size(); ++i) {
        ChoiceView choice {AnswerText(item.choices[i])};
        if (m_answered) {
            const bool isRight = static_cast<int>(i) == item.answer;
            const bool chosen = static_cast<int>(i) == m_chosen;
            choice.mark = isRight ? (chosen ? ChoiceMark::ChosenRight : ChoiceMark::Right)
                                  : (chosen ? ChoiceMark::ChosenWrong : ChoiceMark::None);
            choice.note = isRight ? (chosen ? "richtig, deine Wahl" : "richtig") : (chosen ? "deine Wahl" : "");
        }
        view.choices.push_back(std::move(choice));
    }
    view.choicesEnabled = !m_answered && item.kind != ItemKind::Set;
    if (m_answered) {
        const std::string verdict = m_answeredRight ? "Richtig." : "Falsch. Richtig ist: " + RightAnswer(item) + ".";
        view.feedback = verdict + "\n" + item.why;
        view.proceed = "Weiter";
        view.proceedEnabled = true;
    } else {
        view.proceed = item.kind == ItemKind::Set && m_mode == QuizMode::Practice ? "Aufgeben" : "Weiter";
        view.proceedEnabled = item.kind == ItemKind::Set;
    }
    return view;
}

ProgressView MakeProgressView(const KeptProgress& kept)
{
    const Progress& progress = kept.current;
    ProgressView view;
    view.summary = "Gewusst: " + std::to_string(progress.KnownCount()) + " · Zu üben: "
        + std::to_string(progress.PracticeCount()) + " · Antworten insgesamt: " + std::to_string(progress.Answered());
    view.boxesHeading = "Fragen je Lernstufe (Stufe 1: zuletzt falsch, ab Stufe "
        + std::to_string(Progress::kKnownBox) + ": gewusst)";
    for (int box = 1; box <= Progress::kBoxes; ++box)
        view.boxNames.push_back("Stufe " + std::to_string(box));
    for (const System system : kAllSystems) {
        ProgressView::SystemBoxes row;
        row.system = system;
        row.name = SystemTitle(system);
        for (const auto& [key, entry] : progress.Entries()) {
            if (key.system != system)
                continue;
            ++row.boxes[static_cast<std::size_t>(std::clamp(entry.box, 1, Progress::kBoxes) - 1)];
            ++row.total;
            row.known += entry.box >= Progress::kKnownBox ? 1 : 0;
        }
        row.summary = row.total ? std::to_string(row.known) + " von " + std::to_string(row.total) + " gewusst"
                                : std::string("noch nicht geübt");
        view.systems.push_back(std::move(row));
    }
    view.columns = {"System", "Frage", "Signalbegriff", "Gefragt", "Richtig", "Stufe"};
    for (const auto& [key, entry] : progress.Entries())
        view.rows.push_back({SystemTitle(key.system), KindTitle(key.kind), key.designation, entry.asked, entry.right,
                             view.boxNames[static_cast<std::size_t>(std::clamp(entry.box, 1, Progress::kBoxes) - 1)]});
    view.examsHeading = "Prüfungen (richtig in Prozent, bestanden ab "
        + std::to_string(QuizSession::kPassPercent) + " %)";
    view.examsEmpty = "Noch keine Prüfung abgelegt.";
    view.exams = progress.Exams();
    for (const ExamResult& exam : view.exams)
        view.examPercents.push_back(Percent(exam.right, exam.asked));
    view.passPercent = QuizSession::kPassPercent;
    view.resetQuestion = "Den ganzen Fortschritt löschen? Er bleibt als Sicherung erhalten, bis du wieder "
                         "zurücksetzt, und „Wiederherstellen“ holt ihn zurück.";
    view.confirmYes = "Löschen";
    view.confirmNo = "Abbrechen";
    view.canRestore = kept.backup.has_value();
    view.restore = "Wiederherstellen";
    if (kept.backup)
        view.restoreNote = "Gesichert vor dem Zurücksetzen: " + Counted(kept.backup->Answered(), "Antwort", "Antworten")
            + ", " + Counted(static_cast<std::int64_t>(kept.backup->Exams().size()), "Prüfung", "Prüfungen") + ".";
    return view;
}

} // namespace lumaro::learn
