#pragma once

// The self-test beside the main window: it shows the core's session (learn::QuizSession) and
// passes the learner's moves in. "Üben" asks one question after another on the chosen systems,
// "Prüfung" asks its questions and then lists every missed one; "Fortschritt" shows the Leitner
// boxes and the exams as a picture. The situations are set up on the main window's own line,
// which the learner watches and operates.

#include "app/progress_store.h"
#include "core/driver.h"
#include "learn/progress.h"
#include "learn/quiz.h"
#include "learn/quiz_session.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTableWidget;
class QVBoxLayout;

namespace lumaro {

class MainWindow;

// The asked signal's column outlined and named above the canvas, never in its pixels.
class AskedMark : public QWidget {
    Q_OBJECT
public:
    explicit AskedMark(QWidget* canvas);
    void setColumn(int x, const QString& name);
    int column() const { return m_x; }
    QString name() const { return m_name; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_x = 0;
    QString m_name;
};

class QuizWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kChoiceKeys = 4;

    QuizWindow(MainWindow& main, learn::QuizSession& session);
    ~QuizWindow() override;

    void startPractice(std::uint64_t seed);
    void startExam(std::uint64_t seed);
    const learn::QuizItem* currentItem() const { return m_session.Item(); }
    learn::QuizMode mode() const { return m_session.Mode(); }

    // The learner's moves: the choice with key 1 .. 4, and Enter ("Weiter").
    void choose(int index);
    void proceed();

    bool finished() const { return m_session.Finished(); }
    int rightCount() const { return m_session.Right(); }
    int askedCount() const { return m_session.Asked(); }
    bool passed() const { return m_session.Passed(); }
    QString headingText() const;
    QString promptText() const;
    QString feedbackText() const;
    QPushButton* choiceButton(int index) const { return m_choices[static_cast<std::size_t>(index)]; }
    QPushButton* proceedButton() const { return m_proceed; }
    // The systems to practise, H/V, Ks, Hl.
    QCheckBox* systemBox(int index) const { return m_systemBoxes[static_cast<std::size_t>(index)]; }
    // The exam's result: the scrolled list, and one widget per missed question in it.
    QScrollArea* resultArea() const { return m_resultArea; }
    QList<QWidget*> missedItems() const;
    QString resultText() const;
    // The cover over the asked panel while a naming question runs, or nullptr.
    QLabel* cover() const;
    AskedMark* askedMark() const { return m_mark; }

    // Shows the session as it stands; the controller calls it after changes from outside.
    void refresh();

signals:
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createWidgets();
    void connectWidgets();
    void afterTick();
    void systemsChanged();
    void showLine();
    void showResult(const learn::SessionView& view);
    void coverPanel(int panel);
    // Beside the line, else below it, else on the screen's side away from the asked column.
    void place();

    MainWindow& m_main;
    learn::QuizSession& m_session;
    // What the window last showed, to draw the line again only when the session moved on.
    int m_shownNumber = -1;
    bool m_shownAnswered = false;
    bool m_shownFinished = false;

    QLabel* m_heading = nullptr;
    QWidget* m_systems = nullptr;
    std::array<QCheckBox*, 3> m_systemBoxes {};
    QLabel* m_prompt = nullptr;
    QLabel* m_hint = nullptr;
    std::array<QPushButton*, kChoiceKeys> m_choices {};
    QLabel* m_feedback = nullptr;
    QScrollArea* m_resultArea = nullptr;
    QWidget* m_resultList = nullptr;
    QVBoxLayout* m_resultLayout = nullptr;
    QPushButton* m_proceed = nullptr;
    QPointer<QLabel> m_cover;
    QPointer<AskedMark> m_mark;
};

// The Leitner boxes per system as bars, and the exams over time as a small chart.
class ProgressPicture : public QWidget {
    Q_OBJECT
public:
    explicit ProgressPicture(QWidget* parent = nullptr);
    void setView(learn::ProgressView view);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    learn::ProgressView m_view;
};

// The statistics as a picture and a table; "Zurücksetzen" asks first and keeps a backup that
// "Wiederherstellen" brings back.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    // `changed` is called after a reset or a restore, for saving.
    ProgressWindow(learn::KeptProgress& kept, std::function<void()> changed);
    void refresh();
    QString summaryText() const;
    QPushButton* resetButton() const { return m_reset; }
    QPushButton* restoreButton() const { return m_restore; }
    QTableWidget* table() const { return m_table; }
    ProgressPicture* picture() const { return m_picture; }

    // Asks the reset's question; true for yes. A modal question by default; tests replace it.
    using Confirm = std::function<bool(const QString& question, const QString& yes, const QString& no)>;
    void setConfirm(Confirm confirm) { m_confirm = std::move(confirm); }

private:
    void reset();
    void restore();

    learn::KeptProgress& m_kept;
    std::function<void()> m_changed;
    Confirm m_confirm;
    QLabel* m_summary = nullptr;
    ProgressPicture* m_picture = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_restoreNote = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_restore = nullptr;
};

// The self-test's menu items, its windows and its saved progress. It must go before the main
// window it serves.
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
    const learn::Progress& progress() const { return m_kept.current; }
    const learn::KeptProgress& kept() const { return m_kept; }

    void startPractice(std::uint64_t seed);
    void startExam(std::uint64_t seed);
    void showProgress();

private:
    void ensureLoaded();
    void save();
    QuizWindow* ensureQuizWindow();

    MainWindow& m_main;
    ProgressStore m_store;
    learn::KeptProgress m_kept;
    bool m_loaded = false;
    bool m_saveFailureTold = false;
    Reporter m_report;
    QAction* m_practice = nullptr;
    QAction* m_exam = nullptr;
    QAction* m_progressAction = nullptr;
    std::unique_ptr<learn::QuizSession> m_session;
    std::unique_ptr<QuizWindow> m_quiz;
    std::unique_ptr<ProgressWindow> m_progressWindow;
};

} // namespace lumaro
