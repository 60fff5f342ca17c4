// The command line: help and version, usage errors (status 2) and unwritable outputs (status 1).
// On every error nothing may be left in the directory: no output, no temporary file.

#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

using namespace lumaro::test;

namespace {

bool IsOneErrorLine(const std::string& err)
{
    return err.starts_with("lumaro-render: ") && err.ends_with("\n") && err.find('\n') == err.size() - 1;
}

} // namespace

TEST(OptionsTest, HelpAndVersionPrintToStdoutAndSucceed)
{
    ScratchDir dir;
    RunResult run = RunRender({"--version"}, dir.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "lumaro-render 1.0\n");
    EXPECT_EQ(run.err, "");

    run = RunRender({"--help"}, dir.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    for (const char* word : {"tick", "paint", "ButtonN", "FormClick", "Beenden1", "Signalbegriff1", "Info1",
                             "--state", "--trace", "--png", "--replay", "--version"})
        EXPECT_NE(run.out.find(word), std::string::npos) << word;

    // Without any word the program starts, paints and ends quietly.
    run = RunRender({}, dir.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_TRUE(dir.List().empty());
}

TEST(OptionsTest, UsageErrorsNameTheWordExitTwoAndWriteNothing)
{
    struct Case {
        std::vector<std::string> args;
        const char* named;   // must appear in the message
    };
    const Case cases[] = {
        {{"tick", "bogus", "--state", "s.json"}, "bogus"},
        {{"--state", "s.json", "--bogus"}, "--bogus"},
        {{"--png", "p.png", "-x"}, "-x"},
        // Numbers without an aspect button, and spellings the window does not use.
        {{"Button4", "--state", "s.json"}, "Button4"},
        {{"Button15", "--png", "p.png"}, "Button15"},
        {{"Button33"}, "Button33"},
        {{"Button38"}, "Button38"},
        {{"Button0"}, "Button0"},
        {{"Button01"}, "Button01"},
        {{"button1"}, "button1"},
        {{"Tick"}, "Tick"},
        // A word with a line break still gives one line, the break written as an escape.
        {{"tick\nbogus"}, "tick\\nbogus"},
        // Missing arguments: at the end, or another option in their place.
        {{"tick", "--state"}, "--state"},
        {{"--trace", "--png", "p.png"}, "--trace"},
        {{"--png"}, "--png"},
        {{"--state", "a.json", "--state", "b.json"}, "--state"},
        {{"--state", "same", "--png", "same"}, "same"},
        {{"--trace", "same", "--state", "./same"}, "same"},
        {{"--png", "sub/../same", "--trace", "same"}, "same"},
        // --replay stands alone with --png.
        {{"--replay", "t.trace"}, "--png"},
        {{"--replay", "t.trace", "--png", "p.png", "tick"}, "--replay"},
        {{"--replay", "t.trace", "--png", "p.png", "--state", "s.json"}, "--replay"},
        {{"--version", "tick"}, "--version"},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        WriteFile(dir / "t.trace", "erase 0xF0CAA6\n");
        const RunResult run = RunRender(c.args, dir.Path());
        std::string script;
        for (const std::string& word : c.args)
            script += word + " ";
        EXPECT_EQ(run.status, 2) << script;
        EXPECT_TRUE(IsOneErrorLine(run.err)) << script << ": " << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << script << ": " << run.err;
        EXPECT_EQ(run.out, "") << script;
        EXPECT_EQ(dir.List(), std::vector<std::string> {"t.trace"}) << script;
    }
}

TEST(OptionsTest, AnUnwritableOutputExitsOneAndLeavesNoOutputAtAll)
{
    struct Case {
        std::vector<std::string> args;
        const char* named;
    };
    // The failing output comes before or after one that could be written, and fails either while
    // its temporary file is made (no directory) or only when renamed into place (a directory).
    const Case cases[] = {
        {{"--png", "missing/p.png"}, "missing/p.png"},
        {{"tick", "--state", "s.json", "--trace", "t.txt", "--png", "missing/p.png"}, "missing/p.png"},
        {{"--state", "missing/s.json", "--png", "p.png"}, "missing/s.json"},
        {{"--state", "s.json", "--png", "taken"}, "taken"},
        {{"--trace", "taken", "--state", "s.json"}, "taken"},
        {{"--state", "missing\r\n/s.json"}, "missing\\r\\n/s.json"},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        ASSERT_EQ(mkdir((dir / "taken").c_str(), 0755), 0);
        const RunResult run = RunRender(c.args, dir.Path());
        std::string script;
        for (const std::string& word : c.args)
            script += word + " ";
        EXPECT_EQ(run.status, 1) << script;
        EXPECT_TRUE(IsOneErrorLine(run.err)) << script << ": " << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << script << ": " << run.err;
        EXPECT_EQ(dir.List(), std::vector<std::string> {"taken"}) << script;
        EXPECT_TRUE(std::filesystem::is_empty(dir / "taken")) << script;
    }
}

TEST(OptionsTest, OutputsReplaceExistingFilesWhole)
{
    ScratchDir dir;
    WriteFile(dir / "s.json", std::string(100000, 'x'));
    const RunResult run = RunRender({"--state", "s.json", "tick"}, dir.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    Json state;
    std::string error;
    EXPECT_TRUE(ParseJson(ReadFile(dir / "s.json"), state, error)) << error;
    EXPECT_EQ(dir.List(), std::vector<std::string> {"s.json"});
}
