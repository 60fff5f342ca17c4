#pragma once

// One self-test session as the learner goes through it: practice (answered at once, missed
// designations coming back through the Leitner boxes) or an exam (a fixed number of questions,
// then the result). The session sets its situations up on the line the learner watches, keeps the
// learner's own line aside meanwhile, records the answers in the progress, and says every text
// the self-test shows. The window and the page display its view and pass the learner's moves in.

#include "core/driver.h"
#include "learn/progress.h"
#include "learn/quiz.h"
#include "learn/random.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumaro::learn {

enum class QuizMode { Practice, Exam };

// How a choice reads once the question is answered: the right one is marked whether chosen or
// not, a wrong choice as the learner's.
enum class ChoiceMark { None, Right, ChosenRight, ChosenWrong };

struct ChoiceView {
    std::string text;    // as a learner writes it ("Zs 3v "6"", not the panel's "+ Zs 3v "6"")
    ChoiceMark mark = ChoiceMark::None;
    std::string note;    // the mark in words ("richtig", "deine Wahl"), so colour is not all
};

struct MissedView {
    std::string heading;   // "Frage 3 · Benennen · H/V-System"
    std::string prompt;
    std::string right;     // "Richtig: Hp 2"
    std::string given;     // "Deine Antwort: Hp 1", or "Nicht eingestellt"
    std::string why;
};

// What the line keeps to itself while a question is open: the asked column explains nothing
// (Warum line, hints, column sheet, accessible descriptions), and while `buttonsHeld` its buttons
// wait for the answer.
struct Concealment {
    std::int32_t column = 0;   // 0: nothing concealed
    bool buttonsHeld = false;

    bool Conceals(int panel) const;
    bool ConcealsColumn(std::int32_t x) const { return column != 0 && x == column; }
};

// What the line says of the asked column instead of its explanation.
constexpr const char* kConcealedText = "Zu diesem Signal gibt es die Erklärung nach der Antwort.";

// Everything the self-test's window shows, in the order it shows it.
struct SessionView {
    bool open = false;
    QuizMode mode = QuizMode::Practice;
    std::string title;            // "Üben", "Prüfung"
    std::string heading;          // "Frage 3 von 20 · Benennen · H/V-System"
    std::string prompt;
    std::string hint;             // what to do ("Stelle es mit den Tasten unter den Signalen ein.")
    const QuizItem* item = nullptr;   // the open or just answered question
    int number = 0;                   // questions drawn so far in this session, this one included
    bool answered = false;
    std::vector<ChoiceView> choices;
    bool choicesEnabled = false;
    std::string feedback;         // practice, after the answer: verdict and explanation
    std::string proceed;          // the caption of the one button: "Weiter", "Aufgeben", "Schließen"
    bool proceedEnabled = false;
    std::int32_t askedColumn = 0; // the column marked on the line while a question is open
    std::string askedSignal;      // its name ("Spalte 7, Ausfahrsignal")
    bool coverPanel = false;      // a naming question covers the asked panel
    std::string coverHint;        // the cover's hint
    // The practice's choice of systems: its label, and each system's short name and whether it is
    // chosen, H/V, Ks, Hl.
    std::string systemsLabel;
    struct SystemChoice {
        System system = System::HV;
        std::string label;
        bool chosen = false;
    };
    std::vector<SystemChoice> systemChoices;
    // The exam's result.
    bool finished = false;
    std::string result;           // "15 von 20 richtig (75 %). Nicht bestanden – ..."
    bool passed = false;
    std::string missedHeading;    // "Falsch beantwortet (5):"
    std::vector<MissedView> missed;
};

// The words the progress view shows, and the picture's numbers.
struct ProgressView {
    struct SystemBoxes {
        System system = System::HV;
        std::string name;                     // "H/V-System"
        std::array<int, Progress::kBoxes> boxes {};   // designations per Leitner box, box 1 first
        int known = 0;
        int total = 0;
        std::string summary;                  // "4 von 9 gewusst"
    };
    struct Row {
        std::string system;       // "H/V-System"
        std::string kind;         // "Benennen"
        std::string designation;
        std::int64_t asked = 0;
        std::int64_t right = 0;
        std::string box;          // "Stufe 2"
    };
    std::string title = "Fortschritt";
    std::string summary;                      // "Gewusst: 4 · Zu üben: 5 · Antworten insgesamt: 20"
    std::string boxesHeading;                 // "Signalbegriffe je Lernstufe"
    std::vector<std::string> boxNames;        // "Stufe 1" ... with a short legend
    std::vector<SystemBoxes> systems;
    std::vector<std::string> columns;         // the table's headings
    std::vector<Row> rows;
    std::string examsHeading;                 // "Prüfungen"
    std::string examsEmpty;                   // shown without any exam
    std::vector<ExamResult> exams;
    std::vector<int> examPercents;
    int passPercent = 0;
    std::string close = "Schließen";
    std::string reset = "Zurücksetzen";
    std::string resetQuestion;
    std::string confirmYes;
    std::string confirmNo;
    bool canRestore = false;
    std::string restore;                      // "Wiederherstellen"
    std::string restoreNote;                  // what it brings back
};

class QuizSession {
public:
    static constexpr int kExamItems = 20;
    static constexpr int kPassPercent = 80;

    // `line` is the run the learner sees; `progress` records every answer. Both outlive the session.
    QuizSession(Driver& line, Progress& progress);
    ~QuizSession();

    // Practice among `systems` (all three when empty), or an exam of kExamItems on all three.
    // The learner's own line is kept aside until Close().
    void StartPractice(std::uint64_t seed, std::vector<System> systems = {});
    void StartExam(std::uint64_t seed);
    // The systems of the practice questions from the next one on (all three when empty).
    void SetSystems(std::vector<System> systems);
    // Gives the learner's line back; the session is closed.
    void Close();

    // The learner's moves. Each returns whether it did anything.
    bool Choose(int index);
    // The one button (Enter): gives up or hands in a setting question, goes on after an answer;
    // false after an exam's result, where it closes the window.
    bool Proceed();
    // After every tick of the line: a setting question is right once its panel shows the target.
    void AfterTick();

    bool IsOpen() const { return m_open; }
    QuizMode Mode() const { return m_mode; }
    const QuizItem* Item() const { return m_item ? &*m_item : nullptr; }
    bool Answered() const { return m_answered; }
    bool Finished() const { return m_finished; }
    int Asked() const { return m_asked; }
    int Right() const { return m_right; }
    bool Passed() const { return m_right * 100 >= kPassPercent * m_asked; }
    const std::vector<System>& Systems() const { return m_systems; }
    // Called after every recorded answer and after the exam's result, for saving.
    void OnRecorded(std::function<void()> recorded) { m_recorded = std::move(recorded); }

    Concealment Concealed() const;
    SessionView View() const;

private:
    void Begin(QuizMode mode, std::uint64_t seed);
    void Next();
    void ShowSituation();
    void Answer(bool right, int chosen);
    bool TargetShowsSoon() const;
    void Recorded();

    Driver& m_line;
    Progress& m_progress;
    std::function<void()> m_recorded;
    std::unique_ptr<Driver> m_kept;

    bool m_open = false;
    QuizMode m_mode = QuizMode::Practice;
    std::vector<System> m_systems;
    Random m_random {0};
    std::vector<QuizItem> m_exam;
    std::optional<QuizItem> m_item;
    int m_index = 0;   // questions drawn so far
    int m_asked = 0;
    int m_right = 0;
    int m_chosen = -1;
    bool m_answered = false;
    bool m_answeredRight = false;
    bool m_reached = false;
    bool m_finished = false;
    std::vector<MissedView> m_missed;
};

// The picture of `kept`'s current progress, with the reset's question and the way back.
ProgressView MakeProgressView(const KeptProgress& kept);

// Display texts shared by the views.
const char* KindTitle(ItemKind kind);        // "Benennen"
const char* SystemTitle(System system);      // "H/V-System"
// A designation as a learner writes it: a supplement without the panel's leading "+ ".
std::string AnswerText(std::string_view caption);

} // namespace lumaro::learn
