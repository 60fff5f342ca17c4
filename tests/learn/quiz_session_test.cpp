// The self-test's session: exams answered right and wrong to the pass mark, the missed questions
// in the result, what the line keeps to itself during a question, practice on chosen systems, and
// the progress picture.

#include "learn/quiz_session.h"

#include "learn/columns.h"

#include <gtest/gtest.h>

#include <set>

namespace lumaro::learn {
namespace {

class QuizSessionTest : public ::testing::Test {
protected:
    void SetUp() override { line.Start(); }

    // Answers the open question as a learner does: a choice, or the solution's presses with the
    // ticks between them, then the button.
    void Answer(bool right)
    {
        const QuizItem item = *session.Item();
        if (item.kind != ItemKind::Set) {
            const int wrong = item.answer == 0 ? 1 : 0;
            ASSERT_TRUE(session.Choose(right ? item.answer : wrong));
            return;
        }
        if (right) {
            for (const std::string& word : item.solution) {
                ASSERT_TRUE(RunActions(line, std::vector<std::string> {word}));
                if (word == "tick")
                    session.AfterTick();
            }
        }
        if (session.Item() && !session.Answered() && session.Item()->prompt == item.prompt)
            session.Proceed();
    }

    Driver line;
    Progress progress;
    QuizSession session {line, progress};
};

TEST_F(QuizSessionTest, ExamAnsweredWrongThroughoutListsEveryMissedItemAndGivesTheLineBack)
{
    ASSERT_TRUE(RunActions(line, std::vector<std::string> {"Button5", "tick", "tick"}));
    const std::string learnersCaption = line.View().Panels[2].caption;
    int recorded = 0;
    session.OnRecorded([&] { ++recorded; });

    session.StartExam(77);
    const std::vector<QuizItem> expected = GenerateQuiz(77, QuizSession::kExamItems);
    for (int i = 0; i < QuizSession::kExamItems; ++i) {
        ASSERT_EQ(session.Item()->prompt, expected[static_cast<std::size_t>(i)].prompt) << i;
        EXPECT_EQ(session.View().heading.rfind("Frage " + std::to_string(i + 1) + " von 20 · ", 0), 0u);
        // No word on the answer during the exam.
        EXPECT_TRUE(session.View().feedback.empty());
        Answer(false);
    }
    const SessionView result = session.View();
    ASSERT_TRUE(result.finished);
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.result, "0 von 20 richtig (0 %). Nicht bestanden – bestanden ist die Prüfung ab 80 %.");
    EXPECT_EQ(result.missedHeading, "Falsch beantwortet (20):");
    ASSERT_EQ(result.missed.size(), 20u);
    for (std::size_t i = 0; i < result.missed.size(); ++i) {
        const QuizItem& item = expected[i];
        const std::string right = item.kind == ItemKind::Set ? item.target : item.choices[std::size_t(item.answer)];
        EXPECT_EQ(result.missed[i].right, "Richtig: " + AnswerText(right));
        EXPECT_EQ(result.missed[i].why, item.why);
        EXPECT_EQ(result.missed[i].prompt, item.prompt);
        EXPECT_EQ(result.missed[i].given.empty(), false);
    }
    EXPECT_EQ(recorded, 21);   // every answer, then the result
    ASSERT_EQ(progress.Exams().size(), 1u);
    EXPECT_EQ(progress.Exams()[0], (ExamResult {0, 20}));
    EXPECT_FALSE(session.Proceed());

    session.Close();
    EXPECT_EQ(line.View().Panels[2].caption, learnersCaption);
    EXPECT_FALSE(session.View().open);
}

TEST_F(QuizSessionTest, ExamPassesFromEightyPercent)
{
    for (const auto& [wrong, text] : {std::pair {4, "16 von 20 richtig (80 %). Bestanden"},
                                      std::pair {5, "15 von 20 richtig (75 %). Nicht bestanden"}}) {
        session.StartExam(31);
        for (int i = 0; i < QuizSession::kExamItems; ++i)
            Answer(i >= wrong);
        const SessionView result = session.View();
        EXPECT_EQ(result.result.rfind(text, 0), 0u) << result.result;
        EXPECT_EQ(result.missed.size(), static_cast<std::size_t>(wrong));
    }
}

// While a question is open, its column explains nothing and, but for a setting question, the
// line's buttons wait; the answer lifts both.
TEST_F(QuizSessionTest, OpenQuestionConcealsItsColumnUntilAnswered)
{
    session.StartPractice(5);
    std::set<ItemKind> seen;
    for (int n = 0; n < 60 && seen.size() < 4; ++n) {
        const QuizItem item = *session.Item();
        seen.insert(item.kind);
        const Concealment open = session.Concealed();
        const SessionView view = session.View();
        EXPECT_EQ(view.askedColumn, PanelColumn(item.panel));
        EXPECT_EQ(view.askedSignal, ColumnName(item.system, PanelColumn(item.panel)));
        if (item.kind == ItemKind::Set) {
            EXPECT_EQ(open.column, 0);
            EXPECT_FALSE(open.buttonsHeld);
            EXPECT_FALSE(view.choicesEnabled);
            EXPECT_EQ(view.proceed, "Aufgeben");
        } else {
            EXPECT_TRUE(open.Conceals(item.panel));
            EXPECT_TRUE(open.buttonsHeld);
            EXPECT_FALSE(open.Conceals(item.panel == 1 ? 16 : 1) && PanelColumn(1) != PanelColumn(item.panel));
            EXPECT_EQ(view.coverPanel, item.kind == ItemKind::Name);
            EXPECT_FALSE(view.proceedEnabled);
        }
        Answer(n % 2 == 0);
        EXPECT_TRUE(session.Answered());
        EXPECT_EQ(session.Concealed().column, 0);
        EXPECT_FALSE(session.Concealed().buttonsHeld);
        EXPECT_EQ(session.View().askedColumn, 0);
        ASSERT_TRUE(session.Proceed());
    }
    EXPECT_EQ(seen.size(), 4u);
}

// Practice feedback names the chosen and the right choice in words, not by colour alone.
TEST_F(QuizSessionTest, PracticeFeedbackMarksChosenAndRightChoice)
{
    session.StartPractice(11);
    while (session.Item()->kind == ItemKind::Set) {
        Answer(true);
        session.Proceed();
    }
    const QuizItem item = *session.Item();
    const int wrong = item.answer == 0 ? 1 : 0;
    ASSERT_TRUE(session.Choose(wrong));
    EXPECT_FALSE(session.Choose(item.answer));   // answered once only
    const SessionView view = session.View();
    EXPECT_EQ(view.choices[std::size_t(wrong)].mark, ChoiceMark::ChosenWrong);
    EXPECT_EQ(view.choices[std::size_t(wrong)].note, "deine Wahl");
    EXPECT_EQ(view.choices[std::size_t(item.answer)].mark, ChoiceMark::Right);
    EXPECT_EQ(view.choices[std::size_t(item.answer)].note, "richtig");
    EXPECT_EQ(view.feedback.rfind("Falsch. Richtig ist: " + AnswerText(item.choices[std::size_t(item.answer)]) + ".\n", 0), 0u);
    for (const ChoiceView& choice : view.choices)
        EXPECT_FALSE(choice.text.starts_with("+ ")) << choice.text;
    EXPECT_EQ(view.proceed, "Weiter");
    EXPECT_TRUE(view.proceedEnabled);
}

TEST_F(QuizSessionTest, SettingQuestionIsRightOnceTheLineShowsTheTargetAndWrongWhenGivenUp)
{
    session.StartPractice(3);
    int rightSets = 0;
    int givenUp = 0;
    for (int n = 0; n < 80 && (rightSets < 2 || givenUp < 2); ++n) {
        if (session.Item()->kind == ItemKind::Set) {
            const bool right = rightSets <= givenUp;
            Answer(right);
            const ProgressEntry& entry = progress.Entries().at(Progress::KeyOf(*session.Item()));
            EXPECT_EQ(session.View().feedback.starts_with("Richtig."), right);
            EXPECT_EQ(entry.box > 1, right);
            (right ? rightSets : givenUp) += 1;
        } else {
            Answer(true);
        }
        session.Proceed();
    }
    EXPECT_EQ(rightSets, 2);
    EXPECT_EQ(givenUp, 2);
}

TEST_F(QuizSessionTest, PracticeAsksOnlyTheChosenSystemsMissedOnesIncluded)
{
    session.StartPractice(9, {System::Ks});
    for (int n = 0; n < 30; ++n) {
        EXPECT_EQ(session.Item()->system, System::Ks);
        Answer(n % 3 != 0);
        session.Proceed();
    }
    // A missed H/V question from before stays out of a Ks practice.
    progress.Record({ItemKind::Name, System::HV, "Hp 0"}, false);
    for (int n = 0; n < 10; ++n)
        progress.Record({ItemKind::Name, System::Ks, "Ks 1"}, true);
    session.StartPractice(10, {System::Ks});
    EXPECT_EQ(session.Item()->system, System::Ks);
}

TEST(ProgressViewTest, CountsDesignationsPerSystemAndBoxAndOffersTheBackup)
{
    KeptProgress kept;
    kept.current.Record({ItemKind::Name, System::HV, "Hp 0"}, false);
    kept.current.Record({ItemKind::Name, System::HV, "Hp 1"}, true);
    kept.current.Record({ItemKind::Name, System::HV, "Hp 1"}, true);
    kept.current.Record({ItemKind::Speed, System::Hl, "Hl 3a"}, true);
    kept.current.RecordExam({15, 20});
    ProgressView view = MakeProgressView(kept);
    ASSERT_EQ(view.systems.size(), 3u);
    EXPECT_EQ(view.systems[0].boxes, (std::array<int, Progress::kBoxes> {1, 0, 1, 0, 0}));
    EXPECT_EQ(view.systems[0].summary, "1 von 2 gewusst");
    EXPECT_EQ(view.systems[1].summary, "noch nicht geübt");
    EXPECT_EQ(view.systems[2].boxes, (std::array<int, Progress::kBoxes> {0, 1, 0, 0, 0}));
    EXPECT_EQ(view.examPercents, std::vector<int> {75});
    EXPECT_FALSE(view.canRestore);

    kept.Reset();
    view = MakeProgressView(kept);
    EXPECT_TRUE(view.canRestore);
    EXPECT_EQ(view.restoreNote, "Gesichert vor dem Zurücksetzen: 4 Antworten, 1 Prüfung.");
    EXPECT_EQ(view.systems[0].boxes, (std::array<int, Progress::kBoxes> {}));
}

} // namespace
} // namespace lumaro::learn
