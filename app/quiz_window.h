#pragma once

// The self-test beside the main window: "Üben" (one question after another, answered at once,
// missed ones coming back) and "Prüfung" (20 questions, then the result). The situations are
// set up on the main window's own line, which the learner watches and operates.

#include "app/progress_store.h"
#include "core/driver.h"
#include "learn/progress.h"
#include "learn/quiz.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QPushButton;
class QTableWidget;

namespace lumaro {

class MainWindow;

class QuizWindow : public QWidget {
    Q_OBJECT
public:
    enum class Mode { Practice, Exam };
    static constexpr int kExamItems = 20;
    static constexpr int kPassPercent = 80;
    static constexpr int kChoiceKeys = 4;

    // `recorded` is called after every answer, once it is in `progress`.
    QuizWindow(MainWindow& main, learn::Progress& progress, std::function<void()> recorded);
    ~QuizWindow() override;

    void startPractice(std::uint64_t seed);
    void startExam(std::uint64_t seed);
    // The exam's questions, or the next practice question, as they will be asked; tests answer
    // them right or wrong from this.
    const learn::QuizItem* currentItem() const { return m_current ? &*m_current : nullptr; }
    Mode mode() const { return m_mode; }

    // The learner's moves: the choice with key 1 .. 4, and Enter ("Weiter").
    void choose(int index);
    void proceed();

    bool finished() const { return m_finished; }
    int rightCount() const { return m_right; }
    int askedCount() const { return m_asked; }
    bool passed() const { return m_right * 100 >= kPassPercent * m_asked; }
    QString promptText() const;
    QString feedbackText() const;
    QPushButton* choiceButton(int index) const { return m_choices[static_cast<std::size_t>(index)]; }
    QPushButton* proceedButton() const { return m_proceed; }
    // The cover over the asked panel while a naming question runs, or nullptr.
    QLabel* cover() const;

signals:
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createWidgets();
    void connectWidgets();
    void begin(Mode mode, std::uint64_t seed);
    void nextItem();
    void showItem();
    void answer(bool right, const QString& given);
    void showResult();
    void afterTick();
    void showSituation(const std::vector<std::string>& setup);
    void perform(const std::vector<std::string>& actions);
    void coverPanel(int panel);
    void restoreLine();
    bool targetReachedSoon() const;

    MainWindow& m_main;
    learn::Progress& m_progress;
    std::function<void()> m_recorded;

    Mode m_mode = Mode::Practice;
    learn::Random m_random {0};
    std::vector<learn::QuizItem> m_exam;
    std::optional<learn::QuizItem> m_current;
    int m_index = 0;
    int m_asked = 0;
    int m_right = 0;
    bool m_answered = false;
    bool m_reached = false;   // a set question's target showed on a tick
    bool m_finished = false;
    QStringList m_missed;
    // The learner's own line, given back when the self-test ends.
    std::optional<Driver> m_savedLine;

    QLabel* m_heading = nullptr;
    QLabel* m_prompt = nullptr;
    std::array<QPushButton*, kChoiceKeys> m_choices {};
    QLabel* m_feedback = nullptr;
    QPushButton* m_proceed = nullptr;
    QPointer<QLabel> m_cover;
};

// The statistics: designations known and to practise, and a way to start afresh.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    ProgressWindow(learn::Progress& progress, std::function<void()> reset);
    void refresh();
    QString summaryText() const;
    QPushButton* resetButton() const { return m_reset; }
    QTableWidget* table() const { return m_table; }

private:
    learn::Progress& m_progress;
    std::function<void()> m_resetDone;
    QLabel* m_summary = nullptr;
    QTableWidget* m_table = nullptr;
    QPushButton* m_reset = nullptr;
};

// The self-test's menu items under "Datei", its windows and its saved progress. It must go
// before the main window it serves.
class QuizController : public QObject {
    Q_OBJECT
public:
    // `directory`: where the progress is kept; empty for the user's data folder.
    explicit QuizController(MainWindow& main, QString directory = {});
    ~QuizController() override;

    using Reporter = std::function<void(const QString& message)>;
    void setReporter(Reporter reporter) { m_report = std::move(reporter); }

    QAction* practiceAction() const { return m_practice; }
    QAction* examAction() const { return m_exam; }
    QAction* progressAction() const { return m_progressAction; }
    QuizWindow* quizWindow() const { return m_quiz.get(); }
    ProgressWindow* progressWindow() const { return m_progressWindow.get(); }
    const learn::Progress& progress() const { return m_progress; }

    void startPractice(std::uint64_t seed);
    void startExam(std::uint64_t seed);
    void showProgress();

private:
    void ensureLoaded();
    void save();
    QuizWindow* ensureQuizWindow();

    MainWindow& m_main;
    ProgressStore m_store;
    learn::Progress m_progress;
    bool m_loaded = false;
    bool m_saveFailureTold = false;
    Reporter m_report;
    QAction* m_practice = nullptr;
    QAction* m_exam = nullptr;
    QAction* m_progressAction = nullptr;
    std::unique_ptr<QuizWindow> m_quiz;
    std::unique_ptr<ProgressWindow> m_progressWindow;
};

} // namespace lumaro
