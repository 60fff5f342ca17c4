// The learner's progress: Leitner boxes, and a text form that reads back exactly or not at all.

#include "learn/progress.h"

#include <gtest/gtest.h>

namespace lumaro::learn {
namespace {

const ProgressKey kZs1 {ItemKind::Name, System::HV, "Hp 0 + Zs 1"};
const ProgressKey kHl3a {ItemKind::Speed, System::Hl, "Hl 3a"};
const ProgressKey kKs1 {ItemKind::Predict, System::Ks, "Ks 1 + Zs 3 \"6\""};

TEST(ProgressTest, MissedQuestionComesBackAfterAFewOthersAndRightOnesLater)
{
    Progress p;
    EXPECT_FALSE(p.Waiting(kZs1)) << "never asked";
    p.Record(kZs1, false);
    EXPECT_EQ(p.Due(), std::nullopt);
    EXPECT_TRUE(p.Waiting(kZs1));
    p.Record(kHl3a, true);
    p.Record(kKs1, true);
    EXPECT_EQ(p.Due(), std::nullopt) << "two answers later it is not due yet";
    EXPECT_TRUE(p.Waiting(kZs1));
    p.Record(ProgressKey {ItemKind::Set, System::HV, "Hp 2"}, true);
    EXPECT_EQ(p.Due(), kZs1);
    EXPECT_FALSE(p.Waiting(kZs1));

    p.Record(kZs1, true);
    p.Record(kZs1, true);
    EXPECT_EQ(p.Entries().at(kZs1), (ProgressEntry {3, 2, 6, 3}));
    EXPECT_EQ(p.KnownCount(), 1);
    EXPECT_EQ(p.PracticeCount(), 3);
    // Box 3 waits twelve answers; the others (box 2, six answers) come first.
    for (int i = 0; i < 6; ++i)
        p.Record(ProgressKey {ItemKind::Name, System::Ks, "Ks 2"}, i % 2 == 0);
    EXPECT_NE(p.Due(), kZs1);

    for (int i = 0; i < 10; ++i)
        p.Record(kZs1, true);
    EXPECT_EQ(p.Entries().at(kZs1).box, Progress::kBoxes);
    p.Record(kZs1, false);
    EXPECT_EQ(p.Entries().at(kZs1).box, 1);

    p.Reset();
    EXPECT_TRUE(p.Entries().empty());
    EXPECT_EQ(p.Answered(), 0);
}

TEST(ProgressTest, TextFormReadsBackExactly)
{
    Progress p;
    p.Record(kZs1, false);
    p.Record(kHl3a, true);
    p.Record(kKs1, true);
    p.Record(kKs1, false);
    p.RecordExam({15, 20});
    p.RecordExam({20, 20});
    const std::string text = p.Serialise();
    EXPECT_EQ(text,
              "lumaro-progress 2\n"
              "answered 4\n"
              "exam 15 20\n"
              "exam 20 20\n"
              "name\tHV\tHp 0 + Zs 1\t1\t0\t1\t1\n"
              "predict\tKs\tKs 1 + Zs 3 \"6\"\t2\t1\t4\t1\n"
              "speed\tHl\tHl 3a\t1\t1\t2\t2\n"
              "end 3\n");
    std::string error;
    const std::optional<Progress> back = Progress::Parse(text, error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, p);
    ASSERT_TRUE(Progress::Parse(Progress().Serialise(), error)) << error;

    // A file of the first version, without exams, is still read.
    const std::optional<Progress> old = Progress::Parse("lumaro-progress 1\nanswered 1\nname\tHV\tHp 0\t1\t1\t1\t2\nend 1\n", error);
    ASSERT_TRUE(old) << error;
    EXPECT_EQ(old->Entries().size(), 1u);
    EXPECT_TRUE(old->Exams().empty());
}

TEST(ProgressTest, ExamsKeepTheLatestHundred)
{
    Progress p;
    for (int i = 0; i < 105; ++i)
        p.RecordExam({i % 21, 20});
    ASSERT_EQ(p.Exams().size(), Progress::kMaxExams);
    EXPECT_EQ(p.Exams().front(), (ExamResult {5, 20}));
    std::string error;
    const std::optional<Progress> back = Progress::Parse(p.Serialise(), error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, p);
}

// A reset keeps what it erased; one step brings it back, and a second reset of nothing never
// throws the backup away.
TEST(ProgressTest, ResetKeepsABackupThatOneStepRestores)
{
    KeptProgress kept;
    EXPECT_FALSE(kept.Restore());
    kept.current.Record(kZs1, true);
    kept.current.RecordExam({18, 20});
    const Progress before = kept.current;

    kept.Reset();
    EXPECT_TRUE(kept.current.Empty());
    kept.Reset();
    ASSERT_TRUE(kept.backup);
    EXPECT_EQ(*kept.backup, before);

    EXPECT_TRUE(kept.Restore());
    EXPECT_EQ(kept.current, before);
    EXPECT_FALSE(kept.backup);
    EXPECT_FALSE(kept.Restore());
    EXPECT_EQ(kept.current, before);
}

// Every way a file can be damaged is refused with a message, never half taken.
TEST(ProgressTest, DamagedTextIsRefused)
{
    Progress p;
    p.Record(kZs1, false);
    p.Record(kHl3a, true);
    const std::string good = p.Serialise();
    std::string error;
    for (std::size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(Progress::Parse(good.substr(0, cut), error)) << "cut at " << cut;

    const char* bad[] = {
        "lumaro-progress 3\nanswered 0\nend 0\n",
        "lumaro-progress 2\nanswered 0\nexam 21 20\nend 0\n",                  // more right than asked
        "lumaro-progress 2\nanswered 0\nexam 0 0\nend 0\n",
        "lumaro-progress 2\nanswered 0\nexam 1\nend 0\n",
        "lumaro-progress 1\nanswered 0\nexam 1 2\nend 0\n",                    // no exams in version 1
        "lumaro-progress 2\nanswered 1\nname\tHV\tHp 0\t1\t1\t1\t2\nexam 1 2\nend 1\n", // exams come first
        "lumaro-progress 1\nanswered -1\nend 0\n",
        "lumaro-progress 1\nanswered 01\nend 0\n",
        "lumaro-progress 1\nanswered 99999999999\nend 0\n",
        "lumaro-progress 1\nanswered 2\nname\tHV\tHp 0\t1\t0\t1\t1\nend 2\n",
        "lumaro-progress 1\nanswered 2\nname\tHV\tHp 0\t1\t2\t1\t1\nend 1\n",     // more right than asked
        "lumaro-progress 1\nanswered 2\nname\tHV\tHp 0\t1\t0\t3\t1\nend 1\n",     // seen in the future
        "lumaro-progress 1\nanswered 2\nname\tHV\tHp 0\t1\t0\t1\t6\nend 1\n",     // no such box
        "lumaro-progress 1\nanswered 2\nname\tHV\tHp 0\t1\t0\t1\t0\nend 1\n",
        "lumaro-progress 1\nanswered 2\nname\tHV\tHp 0\t0\t0\t1\t1\nend 1\n",     // never asked
        "lumaro-progress 1\nanswered 2\nname\tXY\tHp 0\t1\t0\t1\t1\nend 1\n",
        "lumaro-progress 1\nanswered 2\nwhat\tHV\tHp 0\t1\t0\t1\t1\nend 1\n",
        "lumaro-progress 1\nanswered 2\nname\tHV\t\t1\t0\t1\t1\nend 1\n",
        "lumaro-progress 1\nanswered 2\nname\tHV\tHp\x01\t1\t0\t1\t1\nend 1\n",
        "lumaro-progress 1\nanswered 2\nname\tHV\tHp 0\t1\t0\t1\nend 1\n",
        "lumaro-progress 1\nanswered 2\nname\tHV\tHp 0\t1\t0\t1\t1\t7\nend 1\n",
        "lumaro-progress 1\nanswered 2\nname\tHV\tHp 0\t1\t0\t1\t1\nname\tHV\tHp 0\t1\t0\t2\t1\nend 2\n",
        "lumaro-progress 1\r\nanswered 0\r\nend 0\r\n",
        "\x89PNG\r\n\x1a\n garbage",
    };
    for (const char* text : bad) {
        error.clear();
        EXPECT_FALSE(Progress::Parse(text, error)) << text;
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
} // namespace lumaro::learn
