// The self-test's windows: the questions beside the line, the result of an exam, the statistics,
// and the menu items that open them.

#include "app/quiz_window.h"

#include "app/canvas_widget.h"
#include "app/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace lumaro {

namespace {

using learn::ItemKind;

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

QString KindTitle(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Name: return QString::fromUtf8("Benennen");
    case ItemKind::Set: return QString::fromUtf8("Einstellen");
    case ItemKind::Predict: return QString::fromUtf8("Vorhersagen");
    case ItemKind::Speed: return QString::fromUtf8("Geschwindigkeit");
    }
    return {};
}

QString SystemTitle(System system)
{
    switch (system) {
    case System::HV: return QString::fromUtf8("H/V-System");
    case System::Ks: return QString::fromUtf8("Ks-System");
    case System::Hl: return QString::fromUtf8("Hl-System");
    }
    return {};
}

QString RightAnswer(const learn::QuizItem& item)
{
    if (item.kind == ItemKind::Set)
        return Utf8(item.target);
    return Utf8(item.choices[static_cast<std::size_t>(item.answer)]);
}

} // namespace

QuizWindow::QuizWindow(MainWindow& main, learn::Progress& progress, std::function<void()> recorded)
    : QWidget(nullptr, Qt::Window)
    , m_main(main)
    , m_progress(progress)
    , m_recorded(std::move(recorded))
{
    createWidgets();
    connectWidgets();
}

QuizWindow::~QuizWindow()
{
    restoreLine();
}

void QuizWindow::createWidgets()
{
    setObjectName(QStringLiteral("QuizWindow"));
    auto* layout = new QVBoxLayout(this);
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("QuizHeading"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_prompt = new QLabel(this);
    m_prompt->setObjectName(QStringLiteral("QuizPrompt"));
    m_prompt->setWordWrap(true);
    m_prompt->setTextFormat(Qt::PlainText);
    layout->addWidget(m_heading);
    layout->addWidget(m_prompt);
    for (int i = 0; i < kChoiceKeys; ++i) {
        auto* choice = new QPushButton(this);
        choice->setObjectName(QStringLiteral("QuizChoice%1").arg(i + 1));
        // Keys 1 to 4 and Enter answer wherever the focus is; no button keeps it.
        choice->setFocusPolicy(Qt::NoFocus);
        choice->setStyleSheet(QStringLiteral("text-align: left; padding: 4px 8px;"));
        m_choices[static_cast<std::size_t>(i)] = choice;
        layout->addWidget(choice);
    }
    m_feedback = new QLabel(this);
    m_feedback->setObjectName(QStringLiteral("QuizFeedback"));
    m_feedback->setWordWrap(true);
    m_feedback->setTextFormat(Qt::PlainText);
    layout->addWidget(m_feedback);
    layout->addStretch();
    m_proceed = new QPushButton(QString::fromUtf8("Weiter"), this);
    m_proceed->setObjectName(QStringLiteral("QuizProceed"));
    m_proceed->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_proceed);
    setMinimumWidth(380);
    resize(420, 460);
}

void QuizWindow::connectWidgets()
{
    for (int i = 0; i < kChoiceKeys; ++i)
        connect(m_choices[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { choose(i); });
    connect(m_proceed, &QPushButton::clicked, this, &QuizWindow::proceed);
    // Connected after the main window's own tick: the panels are mirrored when this runs.
    connect(m_main.timer(), &QTimer::timeout, this, &QuizWindow::afterTick);
}

void QuizWindow::startPractice(std::uint64_t seed) { begin(Mode::Practice, seed); }

void QuizWindow::startExam(std::uint64_t seed) { begin(Mode::Exam, seed); }

void QuizWindow::begin(Mode mode, std::uint64_t seed)
{
    if (!m_savedLine)
        m_savedLine = m_main.driver().Copy();
    m_mode = mode;
    m_random = learn::Random(seed);
    m_exam = mode == Mode::Exam ? learn::GenerateQuiz(seed, kExamItems) : std::vector<learn::QuizItem> {};
    m_index = 0;
    m_asked = 0;
    m_right = 0;
    m_finished = false;
    m_missed.clear();
    setWindowTitle(mode == Mode::Exam ? QString::fromUtf8("Prüfung") : QString::fromUtf8("Üben"));
    // Beside the line, so that the learner sees both.
    const QRect line = m_main.frameGeometry();
    move(line.right() + 8, line.top());
    nextItem();
    show();
    raise();
}

void QuizWindow::nextItem()
{
    if (m_mode == Mode::Exam) {
        if (m_index >= static_cast<int>(m_exam.size())) {
            showResult();
            return;
        }
        m_current = m_exam[static_cast<std::size_t>(m_index++)];
    } else {
        // A question that is due comes back about the same designation; otherwise any.
        static constexpr std::array kKinds = {ItemKind::Name, ItemKind::Set, ItemKind::Predict, ItemKind::Speed};
        if (const std::optional<learn::ProgressKey> due = m_progress.Due())
            m_current = learn::GenerateItem(m_random, due->kind, due->system, due->designation);
        else
            m_current = learn::GenerateItem(m_random, kKinds[static_cast<std::size_t>(m_random.Below(4))]);
    }
    showItem();
}

void QuizWindow::showItem()
{
    const learn::QuizItem& item = *m_current;
    m_answered = false;
    m_reached = false;
    showSituation(item.setup);
    coverPanel(item.kind == ItemKind::Name ? item.panel : 0);

    QString heading = KindTitle(item.kind) + QStringLiteral(" · ") + SystemTitle(item.system);
    if (m_mode == Mode::Exam)
        heading = QString::fromUtf8("Frage %1 von %2 · ").arg(m_index).arg(m_exam.size()) + heading;
    m_heading->setText(heading);
    m_prompt->setText(Utf8(item.prompt));
    for (int i = 0; i < kChoiceKeys; ++i) {
        QPushButton* button = m_choices[static_cast<std::size_t>(i)];
        const bool shown = i < static_cast<int>(item.choices.size());
        button->setVisible(shown);
        button->setEnabled(true);
        if (shown)
            button->setText(QStringLiteral("%1   %2").arg(i + 1).arg(Utf8(item.choices[static_cast<std::size_t>(i)])));
    }
    if (item.kind == ItemKind::Set) {
        m_feedback->setText(QString::fromUtf8("Stelle es mit den Tasten unter den Signalen ein."));
        m_proceed->setText(m_mode == Mode::Exam ? QString::fromUtf8("Weiter") : QString::fromUtf8("Aufgeben"));
    } else {
        m_feedback->clear();
        m_proceed->setText(QString::fromUtf8("Weiter"));
    }
    m_proceed->setEnabled(item.kind == ItemKind::Set);
}

void QuizWindow::choose(int index)
{
    if (!m_current || m_finished || m_answered || m_current->kind == ItemKind::Set)
        return;
    if (index < 0 || index >= static_cast<int>(m_current->choices.size()))
        return;
    answer(index == m_current->answer, Utf8(m_current->choices[static_cast<std::size_t>(index)]));
}

void QuizWindow::proceed()
{
    if (m_finished) {
        close();
        return;
    }
    if (!m_current)
        return;
    if (!m_answered) {
        // Only a setting question is answered with Enter: right when its target showed, or
        // shows once the line has caught up with the last press.
        if (m_current->kind != ItemKind::Set)
            return;
        answer(m_reached || targetReachedSoon(), QString());
        return;
    }
    nextItem();
}

bool QuizWindow::targetReachedSoon() const
{
    Driver ahead = m_main.driver().Copy();
    const std::vector<std::string> tick {"tick"};
    for (int t = 0; t < 3; ++t) {
        learn::RunActions(ahead, tick);
        if (ahead.View().Panels[m_current->panel].caption == m_current->target)
            return true;
    }
    return false;
}

void QuizWindow::answer(bool right, const QString& given)
{
    const learn::QuizItem& item = *m_current;
    m_answered = true;
    ++m_asked;
    if (right)
        ++m_right;
    m_progress.Record(learn::Progress::KeyOf(item), right);
    if (m_recorded)
        m_recorded();
    for (QPushButton* button : m_choices)
        button->setEnabled(false);

    if (!right) {
        QString missed = Utf8(item.prompt) + QString::fromUtf8("\n  Richtig: ") + RightAnswer(item);
        if (!given.isEmpty())
            missed += QString::fromUtf8(" (gewählt: %1)").arg(given);
        m_missed << missed + QStringLiteral("\n  ") + Utf8(item.why);
    }
    if (m_mode == Mode::Exam) {
        // No word on the answer until the end.
        nextItem();
        return;
    }
    coverPanel(0);
    if (item.kind == ItemKind::Predict)
        perform(item.then);   // the learner sees it happen
    const QString verdict = right ? QString::fromUtf8("Richtig.") : QString::fromUtf8("Falsch. Richtig ist: ") + RightAnswer(item) + QStringLiteral(".");
    m_feedback->setText(verdict + QStringLiteral("\n") + Utf8(item.why));
    m_proceed->setText(QString::fromUtf8("Weiter"));
    m_proceed->setEnabled(true);
}

void QuizWindow::showResult()
{
    m_finished = true;
    m_current.reset();
    coverPanel(0);
    const int percent = m_asked ? m_right * 100 / m_asked : 0;
    m_heading->setText(QString::fromUtf8("Ergebnis der Prüfung"));
    m_prompt->setText(QString::fromUtf8("%1 von %2 richtig (%3 %). %4 – bestanden ist die Prüfung ab %5 %.")
                          .arg(m_right)
                          .arg(m_asked)
                          .arg(percent)
                          .arg(passed() ? QString::fromUtf8("Bestanden") : QString::fromUtf8("Nicht bestanden"))
                          .arg(kPassPercent));
    for (QPushButton* button : m_choices)
        button->hide();
    m_feedback->setText(m_missed.isEmpty() ? QString::fromUtf8("Keine Frage falsch beantwortet.")
                                           : QString::fromUtf8("Falsch beantwortet:\n\n") + m_missed.join(QStringLiteral("\n\n")));
    m_proceed->setText(QString::fromUtf8("Schließen"));
    m_proceed->setEnabled(true);
}

void QuizWindow::afterTick()
{
    if (!m_current || m_answered || m_current->kind != ItemKind::Set)
        return;
    if (m_main.form().Panels[m_current->panel].caption != m_current->target)
        return;
    m_reached = true;
    if (m_mode == Mode::Practice)
        answer(true, QString());
}

QString QuizWindow::promptText() const { return m_prompt->text(); }

QString QuizWindow::feedbackText() const { return m_feedback->text(); }

QLabel* QuizWindow::cover() const { return m_cover && m_cover->isVisible() ? m_cover.data() : nullptr; }

void QuizWindow::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key >= Qt::Key_1 && key < Qt::Key_1 + kChoiceKeys) {
        choose(key - Qt::Key_1);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        proceed();
        return;
    }
    QWidget::keyPressEvent(event);
}

void QuizWindow::closeEvent(QCloseEvent* event)
{
    restoreLine();
    m_current.reset();
    event->accept();
    emit closed();
}

void QuizWindow::showSituation(const std::vector<std::string>& setup)
{
    Driver situation;
    situation.Start();
    learn::RunActions(situation, setup);
    m_main.driver().Restore(situation);
    m_main.canvas()->showTickPaint();
    m_main.mirror();
}

void QuizWindow::perform(const std::vector<std::string>& actions)
{
    learn::RunActions(m_main.driver(), actions);
    m_main.canvas()->showTickPaint();
    m_main.mirror();
}

void QuizWindow::coverPanel(int panel)
{
    if (panel == 0) {
        if (m_cover)
            m_cover->hide();
        return;
    }
    // Over the panel widget, never into the canvas: the picture stays the program's own.
    if (!m_cover) {
        m_cover = new QLabel(QStringLiteral("?"), m_main.canvas());
        m_cover->setObjectName(QStringLiteral("QuizCover"));
        m_cover->setAlignment(Qt::AlignCenter);
        m_cover->setAutoFillBackground(true);
        m_cover->setStyleSheet(QStringLiteral("background: #505050; color: white; font-weight: bold;"));
        m_cover->setToolTip(QString::fromUtf8("Welcher Signalbegriff steht hier?"));
    }
    m_cover->setGeometry(m_main.panel(panel)->geometry());
    m_cover->show();
    m_cover->raise();
}

void QuizWindow::restoreLine()
{
    coverPanel(0);
    if (!m_savedLine)
        return;
    m_main.driver().Restore(*m_savedLine);
    m_savedLine.reset();
    m_main.canvas()->requestCorePaint();
    m_main.mirror();
}

ProgressWindow::ProgressWindow(learn::Progress& progress, std::function<void()> reset)
    : QWidget(nullptr, Qt::Window)
    , m_progress(progress)
    , m_resetDone(std::move(reset))
{
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(QString::fromUtf8("Fortschritt"));
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_table = new QTableWidget(this);
    m_table->setColumnCount(6);
    m_table->setHorizontalHeaderLabels({QString::fromUtf8("System"), QString::fromUtf8("Frage"),
                                        QString::fromUtf8("Signalbegriff"), QString::fromUtf8("Gefragt"),
                                        QString::fromUtf8("Richtig"), QString::fromUtf8("Stand")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table);
    m_reset = new QPushButton(QString::fromUtf8("Zurücksetzen"), this);
    m_reset->setObjectName(QStringLiteral("ProgressReset"));
    layout->addWidget(m_reset, 0, Qt::AlignRight);
    connect(m_reset, &QPushButton::clicked, this, [this] {
        m_progress.Reset();
        if (m_resetDone)
            m_resetDone();
        refresh();
    });
    resize(560, 420);
    refresh();
}

QString ProgressWindow::summaryText() const { return m_summary->text(); }

void ProgressWindow::refresh()
{
    m_summary->setText(QString::fromUtf8("Gewusst: %1 · Zu üben: %2 · Antworten insgesamt: %3")
                           .arg(m_progress.KnownCount())
                           .arg(m_progress.PracticeCount())
                           .arg(m_progress.Answered()));
    m_table->setRowCount(static_cast<int>(m_progress.Entries().size()));
    int row = 0;
    for (const auto& [key, entry] : m_progress.Entries()) {
        const QString state = entry.box >= learn::Progress::kKnownBox ? QString::fromUtf8("gewusst")
                                                                      : QString::fromUtf8("üben");
        const QStringList cells = {SystemTitle(key.system), KindTitle(key.kind), Utf8(key.designation),
                                   QString::number(entry.asked), QString::number(entry.right), state};
        for (int column = 0; column < cells.size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
        ++row;
    }
    m_table->resizeColumnsToContents();
}

QuizController::QuizController(MainWindow& main, QString directory)
    : m_main(main)
    , m_store(std::move(directory))
{
    m_report = [this](const QString& message) {
        auto* box = new QMessageBox(QMessageBox::Warning, QString::fromUtf8("Üben"), message, QMessageBox::Ok, &m_main);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };
    // The items stand in the window's menu, built from the core's menu table.
    m_practice = m_main.menuAction(QStringLiteral("Ueben1"));
    m_exam = m_main.menuAction(QStringLiteral("Pruefung1"));
    m_progressAction = m_main.menuAction(QStringLiteral("Fortschritt1"));
    const auto freshSeed = [] { return QRandomGenerator::global()->generate64(); };
    connect(m_practice, &QAction::triggered, this, [this, freshSeed] { startPractice(freshSeed()); });
    connect(m_exam, &QAction::triggered, this, [this, freshSeed] { startExam(freshSeed()); });
    connect(m_progressAction, &QAction::triggered, this, &QuizController::showProgress);
}

QuizController::~QuizController() = default;

void QuizController::ensureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    QString message;
    m_progress = m_store.load(message);
    if (!message.isEmpty())
        m_report(message);
}

void QuizController::save()
{
    QString message;
    if (m_store.save(m_progress, message)) {
        m_saveFailureTold = false;
        return;
    }
    // Told once; the self-test goes on with the progress in memory.
    if (!m_saveFailureTold) {
        m_saveFailureTold = true;
        m_report(QString::fromUtf8("Der Fortschritt kann nicht gespeichert werden.\n%1\nDas Üben geht trotzdem weiter.").arg(message));
    }
}

QuizWindow* QuizController::ensureQuizWindow()
{
    ensureLoaded();
    if (!m_quiz) {
        m_quiz = std::make_unique<QuizWindow>(m_main, m_progress, [this] {
            save();
            if (m_progressWindow)
                m_progressWindow->refresh();
        });
    }
    return m_quiz.get();
}

void QuizController::startPractice(std::uint64_t seed) { ensureQuizWindow()->startPractice(seed); }

void QuizController::startExam(std::uint64_t seed) { ensureQuizWindow()->startExam(seed); }

void QuizController::showProgress()
{
    ensureLoaded();
    if (!m_progressWindow)
        m_progressWindow = std::make_unique<ProgressWindow>(m_progress, [this] { save(); });
    m_progressWindow->refresh();
    m_progressWindow->show();
    m_progressWindow->raise();
}

} // namespace lumaro
