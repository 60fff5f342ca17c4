// The self-test in the window: an exam answered right and wrong with every missed question in
// its result, keys, nothing given away while a question is open, the window clear of the asked
// column, questions coming back, and progress that survives restarts, resets and damaged files.

#include "app/main_window.h"
#include "tests/app/window_fixture.h"
#include "app/quiz_window.h"
#include "learn/quiz.h"

#include "app/canvas_widget.h"
#include "app/why_bar.h"
#include "learn/columns.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QScreen>
#include <QScrollArea>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace lumaro;
using learn::ItemKind;

namespace {

class QuizWindowTest : public WindowFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        showWindow();
        makeController(dir.path());
    }

    void TearDown() override
    {
        controller.reset();
        window.reset();
    }

    void makeController(const QString& directory)
    {
        controller.reset();
        controller = std::make_unique<QuizController>(*window, directory);
        controller->setReporter([this](const QString& message) { messages << message; });
    }

    QuizWindow* quiz() { return controller->quizWindow(); }

    // Answers the current question right or wrong the way a learner does: keys 1 to 4, or the
    // real buttons under the signals and Enter.
    void answer(bool right)
    {
        const learn::QuizItem item = *quiz()->currentItem();
        if (item.kind == ItemKind::Set) {
            if (right) {
                for (const std::string& word : item.solution) {
                    if (word == "tick")
                        tick();
                    else
                        window->button(std::stoi(word.substr(6)))->click();
                }
            }
            if (quiz()->currentItem() && quiz()->currentItem()->prompt == item.prompt)
                QTest::keyClick(quiz(), Qt::Key_Return);
            return;
        }
        const int wrong = item.answer == 0 ? 1 : 0;
        QTest::keyClick(quiz(), static_cast<Qt::Key>(Qt::Key_1 + (right ? item.answer : wrong)));
    }

    QTemporaryDir dir;
    std::unique_ptr<QuizController> controller;
    QStringList messages;
};

TEST_F(QuizWindowTest, ExamOfTwentyGivesTheRightResultAndListsTheMissedQuestions)
{
    struct Case {
        int wrong;
        bool passed;
        const char* score;
    };
    for (const Case& c : {Case {4, true, "16 von 20 richtig (80 %)"}, Case {5, false, "15 von 20 richtig (75 %)"},
                          Case {20, false, "0 von 20 richtig (0 %)"}}) {
        controller->startExam(77);
        ASSERT_NE(quiz(), nullptr);
        EXPECT_EQ(quiz()->mode(), learn::QuizMode::Exam);
        const std::vector<learn::QuizItem> expected = learn::GenerateQuiz(77, learn::QuizSession::kExamItems);
        std::vector<std::string> missedWhy;
        for (int i = 0; i < learn::QuizSession::kExamItems; ++i) {
            ASSERT_NE(quiz()->currentItem(), nullptr) << i;
            EXPECT_EQ(quiz()->currentItem()->prompt, expected[static_cast<std::size_t>(i)].prompt);
            EXPECT_TRUE(quiz()->feedbackText().isEmpty() || quiz()->currentItem()->kind == ItemKind::Set)
                << "an exam says nothing about the answers until the end";
            const bool right = i >= c.wrong;
            if (!right)
                missedWhy.push_back(quiz()->currentItem()->why);
            answer(right);
        }
        ASSERT_TRUE(quiz()->finished());
        EXPECT_EQ(quiz()->passed(), c.passed);
        EXPECT_TRUE(quiz()->resultText().contains(QString::fromUtf8(c.score))) << quiz()->resultText().toStdString();
        EXPECT_TRUE(quiz()->resultText().contains(QString::fromUtf8(c.passed ? "Bestanden" : "Nicht bestanden")));

        // Every missed question is in the result with its explanation, and scrolling brings each
        // one into the window, which itself fits the screen.
        const QList<QWidget*> missed = quiz()->missedItems();
        ASSERT_EQ(missed.size(), c.wrong);
        QApplication::processEvents();
        EXPECT_LE(quiz()->frameGeometry().height(), quiz()->screen()->availableGeometry().height());
        for (int i = 0; i < missed.size(); ++i) {
            QStringList texts;
            for (const QLabel* label : missed[i]->findChildren<QLabel*>())
                texts << label->text();
            EXPECT_TRUE(texts.contains(QString::fromStdString(missedWhy[static_cast<std::size_t>(i)]))) << i;
            quiz()->resultArea()->ensureWidgetVisible(missed[i]);
            const QRect shown = QRect(missed[i]->mapTo(quiz()->resultArea()->viewport(), QPoint(0, 0)), QSize(1, 20));
            EXPECT_TRUE(quiz()->resultArea()->viewport()->rect().contains(shown)) << "missed question " << i;
        }
        QTest::keyClick(quiz(), Qt::Key_Return);
        EXPECT_FALSE(quiz()->isVisible());
    }
}

TEST_F(QuizWindowTest, NamingQuestionCoversItsPanelOverTheWidgetNotInTheCanvas)
{
    const SignalTable before = window->form().Signals;
    controller->startPractice(1);
    // Practise until a naming question comes.
    for (int i = 0; i < 40 && quiz()->currentItem()->kind != ItemKind::Name; ++i) {
        answer(true);
        QTest::keyClick(quiz(), Qt::Key_Return);
    }
    const learn::QuizItem item = *quiz()->currentItem();
    ASSERT_EQ(item.kind, ItemKind::Name);
    ASSERT_NE(quiz()->cover(), nullptr);
    EXPECT_EQ(quiz()->cover()->geometry(), window->panel(item.panel)->geometry());
    EXPECT_EQ(quiz()->cover()->parentWidget(), window->panel(item.panel)->parentWidget());

    // The line is the item's situation, its canvas exactly the program's own picture.
    Driver replay;
    replay.Start();
    ASSERT_TRUE(learn::RunActions(replay, item.setup));
    EXPECT_EQ(window->form().Signals, replay.View().Signals);
    const std::uint32_t* pixels = replay.DrawCanvas().Pixels();
    EXPECT_TRUE(std::equal(pixels, pixels + Canvas::kWidth * Canvas::kHeight, window->driver().DrawCanvas().Pixels()));
    EXPECT_EQ(window->panel(item.panel)->text().toStdString(), item.choices[static_cast<std::size_t>(item.answer)]);

    // While the question is open its column explains nothing: not the Warum line, not the hint,
    // not the accessible words; and the line's buttons wait.
    const int column = learn::PanelColumn(item.panel);
    const QString answerText = QString::fromStdString(item.choices[static_cast<std::size_t>(item.answer)]);
    window->why()->columnPressed(column);
    window->why()->refresh();
    EXPECT_TRUE(window->why()->line()->text().endsWith(QString::fromUtf8(learn::kConcealedText)));
    EXPECT_TRUE(window->why()->line()->text().startsWith(QStringLiteral("Gefragt: ")));
    EXPECT_TRUE(window->panel(item.panel)->toolTip().isEmpty());
    EXPECT_FALSE(window->panel(item.panel)->accessibleName().contains(answerText));
    EXPECT_TRUE(window->panel(item.panel)->accessibleDescription().isEmpty());
    EXPECT_FALSE(window->canvas()->column(column)->description.contains(answerText));
    EXPECT_FALSE(window->canvas()->summary().contains(window->canvas()->column(column)->name + QStringLiteral(": ") + answerText));
    for (const ButtonDef& def : kButtons)
        EXPECT_FALSE(window->button(def.number)->isEnabled()) << def.number;
    ASSERT_NE(quiz()->askedMark(), nullptr);
    EXPECT_EQ(quiz()->askedMark()->column(), column);
    EXPECT_EQ(quiz()->askedMark()->name().toStdString(), learn::ColumnName(item.system, column));

    answer(true);
    EXPECT_EQ(quiz()->cover(), nullptr) << "the answer uncovers the panel";
    window->why()->refresh();
    EXPECT_FALSE(window->why()->line()->text().contains(QString::fromUtf8(learn::kConcealedText)));
    EXPECT_EQ(window->panel(item.panel)->toolTip().isEmpty(), window->form().Panels[item.panel].hint.empty());
    EXPECT_FALSE(quiz()->askedMark()->isVisible());
    EXPECT_TRUE(quiz()->feedbackText().startsWith(QString::fromUtf8("Richtig.")));

    // Closing the self-test gives the learner's own line back.
    quiz()->close();
    EXPECT_EQ(window->form().Signals, before);
}

TEST_F(QuizWindowTest, KeysAnswerAndAMissedQuestionComesBackAfterAFewOthers)
{
    controller->startPractice(5);
    // Make sure the first question is one with choices.
    while (quiz()->currentItem()->kind == ItemKind::Set) {
        answer(true);
        QTest::keyClick(quiz(), Qt::Key_Return);
    }
    const learn::ProgressKey missed = learn::Progress::KeyOf(*quiz()->currentItem());
    const int wrong = quiz()->currentItem()->answer == 0 ? 2 : 1;
    QTest::keyClick(quiz(), static_cast<Qt::Key>(Qt::Key_0 + wrong));
    EXPECT_TRUE(quiz()->feedbackText().startsWith(QString::fromUtf8("Falsch. Richtig ist: ")));
    // Keys after the answer change nothing; Enter goes on.
    QTest::keyClick(quiz(), Qt::Key_1);
    EXPECT_EQ(controller->progress().Answered(), 1);
    QTest::keyClick(quiz(), Qt::Key_Enter);

    std::vector<learn::ProgressKey> asked;
    for (int i = 0; i < 4; ++i) {
        asked.push_back(learn::Progress::KeyOf(*quiz()->currentItem()));
        answer(true);
        QTest::keyClick(quiz(), Qt::Key_Return);
    }
    EXPECT_NE(asked[0], missed);
    EXPECT_NE(asked[1], missed);
    EXPECT_NE(asked[2], missed);
    EXPECT_EQ(asked[3], missed) << "the missed question returns after three others";
}

TEST_F(QuizWindowTest, ProgressSurvivesARestartAndCanBeReset)
{
    controller->startPractice(9);
    for (int i = 0; i < 5; ++i) {
        answer(i % 2 == 0);
        QTest::keyClick(quiz(), Qt::Key_Return);
    }
    const learn::Progress kept = controller->progress();
    ASSERT_EQ(kept.Answered(), 5);

    makeController(dir.path());
    controller->showProgress();
    EXPECT_EQ(controller->progress(), kept);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(controller->progressWindow()->table()->rowCount(), static_cast<int>(kept.Entries().size()));
    EXPECT_TRUE(controller->progressWindow()->summaryText().contains(QString::fromUtf8("Antworten insgesamt: 5")));

    // Reset asks first: refused, nothing changes; confirmed, the progress goes and its backup
    // stays, over a restart too; one step brings it back.
    QStringList questions;
    bool yes = false;
    controller->progressWindow()->setConfirm([&](const QString& question, const QString&, const QString&) {
        questions << question;
        return yes;
    });
    EXPECT_FALSE(controller->progressWindow()->restoreButton()->isEnabled());
    controller->progressWindow()->resetButton()->click();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(controller->progress(), kept);
    yes = true;
    controller->progressWindow()->resetButton()->click();
    EXPECT_EQ(controller->progress().Answered(), 0);
    EXPECT_TRUE(controller->progressWindow()->restoreButton()->isEnabled());

    makeController(dir.path());
    controller->showProgress();
    EXPECT_EQ(controller->progress().Answered(), 0);
    ASSERT_TRUE(controller->kept().backup);
    EXPECT_EQ(*controller->kept().backup, kept);
    controller->progressWindow()->restoreButton()->click();
    EXPECT_EQ(controller->progress(), kept);
    EXPECT_FALSE(controller->progressWindow()->restoreButton()->isEnabled());
    makeController(dir.path());
    controller->showProgress();
    EXPECT_EQ(controller->progress(), kept);
    EXPECT_FALSE(controller->kept().backup);
}

// The self-test stands beside the line or, where the screen has no room, away from the asked
// column; never over it, never taller than the screen.
TEST_F(QuizWindowTest, QuestionsNeverCoverTheAskedColumn)
{
    controller->startExam(5);
    for (int i = 0; i < learn::QuizSession::kExamItems; ++i) {
        const learn::QuizItem item = *quiz()->currentItem();
        QApplication::processEvents();
        const QRect column(window->canvas()->mapToGlobal(CanvasWidget::columnRect(learn::PanelColumn(item.panel)).topLeft()),
                           CanvasWidget::columnRect(learn::PanelColumn(item.panel)).size());
        EXPECT_FALSE(quiz()->frameGeometry().intersects(column)) << "question " << i + 1;
        EXPECT_LE(quiz()->frameGeometry().height(), quiz()->screen()->availableGeometry().height());
        // An exam holds the buttons but for a setting question, which is answered with them.
        EXPECT_EQ(window->button(30)->isEnabled(), item.kind == ItemKind::Set && window->form().Buttons[30].enabled);
        answer(false);
    }
}

TEST_F(QuizWindowTest, PracticeKeepsToTheChosenSystemsAndMarksTheChoicesInWords)
{
    controller->startPractice(8);
    quiz()->systemBox(0)->setChecked(false);
    quiz()->systemBox(2)->setChecked(false);
    quiz()->systemBox(1)->setChecked(false);
    EXPECT_TRUE(quiz()->systemBox(1)->isChecked()) << "one system stays chosen";
    for (int i = 0; i < 12; ++i) {
        answer(true);
        QTest::keyClick(quiz(), Qt::Key_Return);
        EXPECT_EQ(quiz()->currentItem()->system, System::Ks);
    }
    while (quiz()->currentItem()->kind == ItemKind::Set) {
        answer(true);
        QTest::keyClick(quiz(), Qt::Key_Return);
    }
    const learn::QuizItem item = *quiz()->currentItem();
    const int wrong = item.answer == 0 ? 1 : 0;
    quiz()->choose(wrong);
    EXPECT_TRUE(quiz()->choiceButton(wrong)->text().contains(QString::fromUtf8("✗")));
    EXPECT_TRUE(quiz()->choiceButton(wrong)->text().endsWith(QString::fromUtf8("deine Wahl")));
    EXPECT_TRUE(quiz()->choiceButton(item.answer)->text().contains(QString::fromUtf8("✓")));
    EXPECT_TRUE(quiz()->choiceButton(item.answer)->text().endsWith(QString::fromUtf8("richtig")));
}

// A file cut off while written (by another program: this one replaces it whole) and a file of
// garbage are set aside under another name with a message; the self-test starts afresh.
TEST_F(QuizWindowTest, DamagedProgressIsSetAsideWithAMessage)
{
    learn::Progress progress;
    progress.Record({ItemKind::Name, System::HV, "Hp 0 + Zs 1"}, false);
    progress.Record({ItemKind::Speed, System::Hl, "Hl 3a"}, true);
    const std::string whole = progress.Serialise();
    const QString file = QDir(dir.path()).filePath(QStringLiteral("fortschritt.txt"));
    for (const std::string& damaged : {whole.substr(0, whole.size() / 2), whole.substr(0, whole.size() - 6),
                                       std::string("\x00\xff garbage \x01\x02", 14)}) {
        messages.clear();
        QFile::remove(file);
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(QDir(dir.path()).filePath(name));
        {
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(damaged.data(), static_cast<qint64>(damaged.size()));
        }
        makeController(dir.path());
        controller->startPractice(3);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(QString::fromUtf8("nicht lesbar")));
        EXPECT_EQ(controller->progress().Answered(), 0);
        const QStringList aside = QDir(dir.path()).entryList({QStringLiteral("fortschritt.txt.defekt-*")});
        ASSERT_EQ(aside.size(), 1);
        QFile kept(QDir(dir.path()).filePath(aside[0]));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll().toStdString(), damaged) << "the damaged file is kept as it was";

        // The self-test works and saves afresh.
        ASSERT_NE(quiz()->currentItem(), nullptr);
        answer(true);
        QString error;
        EXPECT_EQ(ProgressStore(dir.path()).load(error).Answered(), 1);
        EXPECT_TRUE(error.isEmpty());
        quiz()->close();
    }
}

// A damaged backup costs only the way back: the progress stays, and the message says so.
TEST_F(QuizWindowTest, ADamagedBackupKeepsTheProgressAndSaysWhatIsLost)
{
    learn::Progress progress;
    progress.Record({ItemKind::Name, System::HV, "Hp 0 + Zs 1"}, true);
    QString error;
    ASSERT_TRUE(ProgressStore(dir.path()).save(progress, error));
    {
        QFile backup(QDir(dir.path()).filePath(QStringLiteral("fortschritt-vorher.txt")));
        ASSERT_TRUE(backup.open(QIODevice::WriteOnly));
        backup.write("garbage\n");
    }
    makeController(dir.path());
    controller->startPractice(3);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8("Die Sicherung vor dem letzten Zurücksetzen"))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QString::fromUtf8("„Wiederherstellen“ geht damit nicht mehr")));
    EXPECT_FALSE(messages[0].contains(QString::fromUtf8("beginnt neu")));
    EXPECT_EQ(controller->progress().Answered(), 1);
    EXPECT_FALSE(controller->kept().backup);
    quiz()->close();
}

TEST_F(QuizWindowTest, AFolderThatCannotBeWrittenGivesAMessageAndTheSelfTestGoesOn)
{
    // A folder below a regular file can never be made, whoever runs the test.
    QFile blocker(QDir(dir.path()).filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    makeController(QDir(dir.path()).filePath(QStringLiteral("file/lumaro")));
    controller->startPractice(4);
    for (int i = 0; i < 3; ++i) {
        answer(true);
        QTest::keyClick(quiz(), Qt::Key_Return);
    }
    EXPECT_EQ(messages.size(), 1) << "told once, not at every answer";
    EXPECT_TRUE(messages.value(0).contains(QString::fromUtf8("kann nicht gespeichert werden")));
    EXPECT_EQ(controller->progress().Answered(), 3);
    EXPECT_NE(quiz()->currentItem(), nullptr);
}

TEST_F(QuizWindowTest, MenuItemsStandUnderDateiFromTheMenuTable)
{
    QMenu* datei = window->menuBar()->findChild<QMenu*>(QStringLiteral("Datei1"));
    ASSERT_NE(datei, nullptr);
    QStringList texts;
    for (QAction* action : datei->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(texts, (QStringList {QString::fromUtf8("Üben …"), QString::fromUtf8("Prüfung …"),
                                   QString::fromUtf8("Fortschritt"), QStringLiteral("-"),
                                   QString::fromUtf8("Bild speichern …"), QStringLiteral("-"),
                                   QString::fromUtf8("Beenden")}));
    EXPECT_EQ(controller->practiceAction()->text(), QString::fromUtf8("Üben …"));
    EXPECT_EQ(controller->examAction()->text(), QString::fromUtf8("Prüfung …"));
    EXPECT_EQ(controller->progressAction()->text(), QString::fromUtf8("Fortschritt"));
    controller->examAction()->trigger();
    ASSERT_NE(quiz(), nullptr);
    EXPECT_TRUE(quiz()->isVisible());
    EXPECT_EQ(quiz()->mode(), learn::QuizMode::Exam);
}

} // namespace
