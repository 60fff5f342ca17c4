// lumaro-render --quiz: the items the core makes for a seed, as JSON Lines, and its usage errors.

#include "cli_test_support.h"
#include "documents/quiz_json.h"
#include "learn/quiz.h"

#include <gtest/gtest.h>

using namespace lumaro::test;

TEST(QuizCliTest, WritesTheCoresItemsForTheSeedOnePerLine)
{
    ScratchDir dir;
    RunResult run = RunRender({"--quiz", "-", "--seed", "20261208", "--items", "9"}, dir.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    std::string expected;
    for (const lumaro::learn::QuizItem& item : lumaro::learn::GenerateQuiz(20261208, 9))
        expected += lumaro::documents::QuizItemJson(item) + "\n";
    EXPECT_EQ(run.out, expected);

    // Each line is one JSON object with the keys in their fixed order.
    std::size_t start = 0;
    while (start < run.out.size()) {
        const std::size_t end = run.out.find('\n', start);
        Json item;
        std::string error;
        ASSERT_TRUE(ParseJson(run.out.substr(start, end - start), item, error)) << error;
        EXPECT_EQ(item.Keys(), (std::vector<std::string> {"kind", "system", "setup", "panel", "prompt", "then",
                                                          "choices", "answer", "target", "solution", "why"}));
        start = end + 1;
    }

    // Into a file, and none at all for zero items.
    run = RunRender({"--items", "2", "--quiz", "q.jsonl", "--seed", "0"}, dir.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(dir / "q.jsonl"), RunRender({"--quiz", "-", "--seed", "0", "--items", "2"}, dir.Path()).out);
    run = RunRender({"--quiz", "-", "--seed", "18446744073709551615", "--items", "0"}, dir.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
}

TEST(QuizCliTest, BadSeedOrItemsOrASelfTestMenuWordIsAUsageErrorAndWritesNothing)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--quiz", "q.jsonl", "--items", "3"},
        {"--quiz", "q.jsonl", "--seed", "1"},
        {"--quiz", "q.jsonl", "--seed", "-1", "--items", "3"},
        {"--quiz", "q.jsonl", "--seed", "1", "--items", "-3"},
        {"--quiz", "q.jsonl", "--seed", "x", "--items", "3"},
        {"--quiz", "q.jsonl", "--seed", "1", "--items", "3.5"},
        {"--quiz", "q.jsonl", "--seed", "", "--items", "3"},
        {"--quiz", "q.jsonl", "--seed", "18446744073709551616", "--items", "3"},
        {"--quiz", "q.jsonl", "--seed", "1", "--items", "1001"},
        {"--quiz", "q.jsonl", "--seed", "1", "--items"},
        {"--quiz", "q.jsonl", "--seed", "1", "--seed", "2", "--items", "3"},
        {"--seed", "1", "--items", "3"},
        {"--quiz", "q.jsonl", "--seed", "1", "--items", "3", "tick"},
        {"--quiz", "q.jsonl", "--seed", "1", "--items", "3", "--state", "s.json"},
        {"--quiz", "--seed", "1", "--items", "3"},
        // The self-test's menu items are the window's, no words of a script.
        {"Ueben1", "--state", "s.json"},
    };
    for (const auto& args : cases) {
        ScratchDir dir;
        const RunResult run = RunRender(args, dir.Path());
        std::string joined;
        for (const std::string& a : args)
            joined += a + " ";
        EXPECT_EQ(run.status, 2) << joined;
        EXPECT_TRUE(run.err.starts_with("lumaro-render: ")) << joined;
        EXPECT_TRUE(dir.List().empty()) << joined;
    }
}
