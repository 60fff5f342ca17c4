// --run: the speed along the line as a document, its options and their usage errors, and that
// asking for it changes no other output.

#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lumaro::test;

namespace {

// Distant signal Vr 2, entry signal Hp 2, intermediate signal Hp 1 (the exit signal dark), block
// signal Hp 1.
const std::vector<std::string> kExample = {"Button22", "Button16", "Button31", "tick", "tick"};

class RunOutputTest : public ::testing::Test {
protected:
    RunResult Render(std::vector<std::string> args) { return RunRender(args, m_dir.Path()); }

    Json RunDocument(std::vector<std::string> options)
    {
        std::vector<std::string> args = kExample;
        args.insert(args.end(), {"--run", "run.json"});
        args.insert(args.end(), options.begin(), options.end());
        const RunResult run = Render(args);
        EXPECT_EQ(run.status, 0) << run.err;
        Json doc;
        std::string error;
        EXPECT_TRUE(ParseJson(ReadFile(m_dir / "run.json"), doc, error)) << error;
        return doc;
    }

    // "0-50:160 50-150:160>40 ..."
    static std::string Shape(const Json& doc)
    {
        std::string out;
        for (const Json& p : doc["pieces"].items) {
            out += out.empty() ? "" : " ";
            out += std::to_string(p["from"].Int()) + "-" + std::to_string(p["to"].Int()) + ":"
                + std::to_string(p["from_kmh"].Int());
            if (p["to_kmh"].number != p["from_kmh"].number)
                out += ">" + std::to_string(p["to_kmh"].Int());
        }
        return out;
    }

    ScratchDir m_dir;
};

} // namespace

TEST_F(RunOutputTest, WritesThePiecesWithTheirOptions)
{
    const Json doc = RunDocument({});
    EXPECT_EQ(doc.Keys(), (std::vector<std::string> {"system", "line_speed", "train_length", "stop_at_platform", "pieces"}));
    EXPECT_EQ(doc["system"].string, "HV");
    EXPECT_EQ(doc["line_speed"].Int(), 160);
    EXPECT_EQ(doc["train_length"].Int(), 30);
    EXPECT_FALSE(doc["stop_at_platform"].boolean);
    EXPECT_EQ(Shape(doc), "0-50:160 50-150:160>40 150-580:40 580-1000:160");
    EXPECT_EQ(doc["pieces"][0].Keys(), (std::vector<std::string> {"from", "to", "from_kmh", "to_kmh", "why"}));
    EXPECT_NE(doc["pieces"][2]["why"].string.find("Hp 2"), std::string::npos);

    const Json stop = RunDocument({"--train-length", "0", "--stop-at-platform"});
    EXPECT_EQ(stop["train_length"].Int(), 0);
    EXPECT_TRUE(stop["stop_at_platform"].boolean);
    EXPECT_EQ(Shape(stop), "0-50:160 50-150:160>40 150-440:40 440-540:40>0 540-1000:160");
}

TEST_F(RunOutputTest, EveryOtherOutputIsTheSameWithOrWithoutRun)
{
    const std::vector<std::string> outputs = {"--state", "s.json", "--trace", "t.txt", "--png", "p.png",
                                              "--explain", "e.json"};
    std::vector<std::string> plain = kExample;
    plain.insert(plain.end(), outputs.begin(), outputs.end());
    ASSERT_EQ(Render(plain).status, 0);
    std::vector<std::string> names = {"s.json", "t.txt", "p.png", "e.json"};
    std::vector<std::string> before;
    for (const std::string& name : names)
        before.push_back(ReadFile(m_dir / name));

    std::vector<std::string> withRun = plain;
    withRun.insert(withRun.begin() + 2, {"--run", "r.json", "--train-length", "77", "--stop-at-platform"});
    const RunResult run = Render(withRun);
    ASSERT_EQ(run.status, 0) << run.err;
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(ReadFile(m_dir / names[i]), before[i]) << names[i];
    EXPECT_TRUE(FileExists(m_dir / "r.json"));
}

TEST_F(RunOutputTest, BadOptionsAreUsageErrorsThatWriteNothing)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--train-length", "30", "--state", "s.json"}, "--train-length"},
        {{"--stop-at-platform", "--state", "s.json"}, "--stop-at-platform"},
        {{"--run", "r.json", "--train-length"}, "--train-length"},
        {{"--run", "r.json", "--train-length", "-1"}, "'-1'"},
        {{"--run", "r.json", "--train-length", "101"}, "'101'"},
        {{"--run", "r.json", "--train-length", "3x"}, "'3x'"},
        {{"--run", "r.json", "--train-length", "1", "--train-length", "2"}, "twice"},
        {{"--run"}, "--run"},
        {{"--run", "-", "--state", "-"}, "standard output"},
        {{"--replay", "t.txt", "--png", "p.png", "--run", "r.json"}, "--run"},
    };
    for (const auto& [args, word] : cases) {
        const RunResult run = Render(args);
        std::string joined;
        for (const std::string& a : args)
            joined += a + " ";
        EXPECT_EQ(run.status, 2) << joined;
        EXPECT_NE(run.err.find(word), std::string::npos) << joined << ": " << run.err;
        EXPECT_TRUE(m_dir.List().empty()) << joined;
    }
}
