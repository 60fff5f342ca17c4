// --trace, --png and --replay together: the picture, its encoding, and replaying a trace.

#include "cli_test_support.h"

#include <gtest/gtest.h>

using namespace lumaro::test;

TEST(ReplayTest, ReplayingTheTraceOfARunGivesTheSamePngBytes)
{
    ScratchDir dir;
    // Night, a button and two ticks, so the last paint is not the start paint.
    const RunResult run = RunRender({"Nacht1", "tick", "Button6", "tick", "--trace", "run.trace", "--png", "run.png"},
                                    dir.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string trace = ReadFile(dir / "run.trace");
    EXPECT_TRUE(trace.starts_with("erase 0x8B0000\n"));
    EXPECT_TRUE(trace.ends_with("\n"));
    EXPECT_EQ(trace.find("erase", 1), std::string::npos) << "the trace holds only the last paint";

    const RunResult replay = RunRender({"--replay", "run.trace", "--png", "replay.png"}, dir.Path());
    ASSERT_EQ(replay.status, 0) << replay.err;
    EXPECT_EQ(replay.out + replay.err, "");
    EXPECT_TRUE(ReadFile(dir / "replay.png") == ReadFile(dir / "run.png")) << "the PNG files differ";
}

TEST(ReplayTest, PngIsEightBitRgbOfTheWholeCanvasWithRedFromTheLowByte)
{
    ScratchDir dir;
    // Blank lines and a CR before the line break are accepted anywhere.
    WriteFile(dir / "red.trace", "\nerase 0x0000FF\r\n\n");
    const RunResult run = RunRender({"--png", "red.png", "--replay", "red.trace"}, dir.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    Image image;
    ASSERT_TRUE(DecodePng(dir / "red.png", image));
    EXPECT_EQ(image.width, 1016);
    EXPECT_EQ(image.height, 696);
    EXPECT_EQ(image.bitDepth, 8);
    EXPECT_EQ(image.colorType, 2);   // RGB, no alpha, no palette
    EXPECT_EQ(image.rgb[0], 255);
    EXPECT_EQ(image.rgb[1], 0);
    EXPECT_EQ(image.rgb[2], 0);
    EXPECT_EQ(image.Pixel(1015, 695), 0x0000FFu);

    // The window's own start picture: its background is sky blue where nothing is drawn.
    const RunResult start = RunRender({"--png", "start.png"}, dir.Path());
    ASSERT_EQ(start.status, 0) << start.err;
    ASSERT_TRUE(DecodePng(dir / "start.png", image));
    EXPECT_EQ(image.Pixel(1015, 0), 0xF0CAA6u);
}

TEST(ReplayTest, ABadTraceExitsTwoNamingItAndWritesNoPng)
{
    ScratchDir dir;
    WriteFile(dir / "bad.trace", "erase 0xF0CAA6\nmoveto 1 2\nlineto 1 2 banana\nmoveto 3 4\n");
    RunResult run = RunRender({"--replay", "bad.trace", "--png", "out.png"}, dir.Path());
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.starts_with("lumaro-render: bad.trace:3: ")) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);

    WriteFile(dir / "unknown.trace", "erase 0xF0CAA6\n\npolygon 1 2 3 4\n");
    run = RunRender({"--replay", "unknown.trace", "--png", "out.png"}, dir.Path());
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.starts_with("lumaro-render: unknown.trace:3: ")) << run.err;

    // The trace is an input: not being able to read it is a usage error, not a write failure.
    run = RunRender({"--replay", "absent.trace", "--png", "out.png"}, dir.Path());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("absent.trace"), std::string::npos) << run.err;
    run = RunRender({"--replay", ".", "--png", "out.png"}, dir.Path());
    EXPECT_EQ(run.status, 2) << "a directory is no trace";

    EXPECT_FALSE(FileExists(dir / "out.png"));
    EXPECT_EQ(dir.List(), (std::vector<std::string> {"bad.trace", "unknown.trace"}));
}
