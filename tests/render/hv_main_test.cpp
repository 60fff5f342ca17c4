// The H/V main signals: block signal (code 20), entry signal (21), exit and intermediate
// signal (25). Records are set directly, then the window paints as on a tick.

#include "tests/render/element_stage.h"
#include "io/trace_format.h"
#include "state/record_fields.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

using namespace lumaro;
using namespace lumaro::io;

namespace {

constexpr Color kGreen = Rgb(144, 238, 144);

struct Probe {
    int dx, dy;     // from the anchor: a pixel inside the lamp
    Color lit;
};

// One lamp per entry, probed at its fill seed.
constexpr Probe kBlockLamps[] = {{-3, -205, clRed}, {3, -205, kGreen}, {-3, -245, clRed}};
constexpr Probe kEntryLamps[] = {{-3, -205, clRed}, {3, -205, clYellow}, {3, -245, kGreen}, {-3, -245, clRed}};
constexpr Probe kMainLamps[] = {{-4, -235, clRed},   {4, -235, clRed},    {-7, -245, kGreen}, {-7, -205, clYellow},
                                {5, -225, clWhite},  {-5, -215, clWhite}, {-5, -225, clWhite}};
// The three lights of the indicator box, probed at their seeds.
constexpr Probe kSubstitute[] = {{-3, -188, clWhite}, {3, -188, clWhite}, {0, -195, clWhite}};
constexpr Probe kCaution[] = {{-3, -195, clYellow}, {3, -195, clYellow}, {0, -188, clYellow}};

struct Anchor {
    int x, y, own;
};
constexpr Anchor kBlock {950, 400, 2};
constexpr Anchor kExit {650, 400, 6};
constexpr Anchor kIntermediate {550, 400, 7};
constexpr Anchor kEntry {150, 380, 14};

class HvMainSignalTest : public ::testing::Test {
protected:
    void SetUp() override { stage.Start(); }

    // Sets exactly `fields` on the signal's record, paints, and returns nothing; the canvas and
    // the panels then show the aspect.
    void Show(const Anchor& a, std::initializer_list<FieldPtr> fields)
    {
        stage.Signals[a.own] = {};
        for (FieldPtr f : fields)
            stage.Signals[a.own].*f = 1;
        stage.ClearDesignations();
        stage.PaintLine();
    }

    // "1" for each lit probe, "0" for each showing the black screen, "?" otherwise.
    template <std::size_t N>
    std::string Lit(const Anchor& a, const Probe (&probes)[N]) const
    {
        std::string out;
        for (const Probe& p : probes) {
            const Color c = stage.Canvas.Drawn().Pixel(a.x + p.dx, a.y + p.dy);
            out += c == p.lit ? '1' : c == clBlack ? '0' : '?';
        }
        return out;
    }

    // Pixels beside the housing, two pixels out, that are not the window background; and above
    // it unless a speed indicator stands there.
    int Smudges(const Anchor& a, bool indicatorAbove = false) const
    {
        int smudges = 0;
        const Color background = stage.Panels[1].color;
        for (int y = a.y - 250; y <= a.y - 181; ++y)
            for (int dx : {-16, -15, 16, 17})
                smudges += stage.Canvas.Drawn().Pixel(a.x + dx, y) != background;
        for (int x = a.x - 16; x <= a.x + 17 && !indicatorAbove; ++x)
            smudges += stage.Canvas.Drawn().Pixel(x, a.y - 260) != background;
        return smudges;
    }

    const PanelState& Panel(int n) const { return stage.Panels[n]; }

    lumaro::test::ElementStage stage;
};

using namespace field;

TEST_F(HvMainSignalTest, BlockSignalLampsAndDesignations)
{
    Show(kBlock, {Halt});
    EXPECT_EQ(Lit(kBlock, kBlockLamps), "100");
    EXPECT_EQ(Lit(kBlock, kSubstitute), "000");
    EXPECT_EQ(Panel(1).caption, "Hp 0");
    EXPECT_EQ(Panel(1).hint, "Halt");

    Show(kBlock, {Fahrt});
    EXPECT_EQ(Lit(kBlock, kBlockLamps), "010");
    EXPECT_EQ(Panel(1).caption, "Hp 1");

    Show(kBlock, {Ersatz});
    EXPECT_EQ(Lit(kBlock, kBlockLamps), "001");
    EXPECT_EQ(Lit(kBlock, kSubstitute), "111");
    EXPECT_EQ(Panel(1).caption, "Hp 0 + Zs 1");
    EXPECT_EQ(Panel(1).hint, "Ersatzsignal - Am Signal Hp 0 oder am gestörten\r\n"
                             "Lichthauptsignal ohne schriftlichen Befehl vorbeifahren");

    // Dark: screen and empty box only, and the panel is not written.
    Show(kBlock, {});
    EXPECT_EQ(Lit(kBlock, kBlockLamps), "000");
    EXPECT_EQ(Panel(1).caption, "");
    EXPECT_EQ(Smudges(kBlock), 0);
}

TEST_F(HvMainSignalTest, BlockSignalMarksItsRecordOnEveryPaint)
{
    EXPECT_EQ(stage.Signals[2].Aux12, 0);
    stage.PaintLine();
    EXPECT_EQ(stage.Signals[2].Aux12, 1);
    // Only the placement with its own record 2 marks.
    stage.Signals[2].Aux12 = 0;
    stage.DrawElement(950, 400, 20, 5, 1);
    EXPECT_EQ(stage.Signals[2].Aux12, 0);
    EXPECT_EQ(stage.Signals[5].Aux12, 0);
}

TEST_F(HvMainSignalTest, ExitSignalAspects)
{
    struct Case {
        std::initializer_list<FieldPtr> fields;
        const char* lamps;
        const char* caption;
    };
    const Case cases[] = {
        {{Halt},      "1100000", "Hp 0"},
        {{Fahrt},     "0010000", "Hp 1"},
        {{Kmh40},     "0011000", "Hp 2"},
        {{Kmh60},     "0011000", "Hp 2 + Zs 3 \"6\""},
        {{Kmh80},     "0010000", "Hp 1 + Zs 3 \"8\""},
        {{Kmh100},    "0010000", "Hp 1 + Zs 3 \"10\""},
        {{Rangier},   "1000110", "Hp 0 + Sh 1"},
        {{Ersatz},    "1100000", "Hp 0 + Zs 1"},
        {{Vorsicht},  "1100000", "Hp 0 + Zs 7"},
        {{Kennlicht}, "0000001", "Ke"},
        // Several flags: every matching lamp burns, the last matching row names the aspect.
        {{Halt, Rangier}, "1100110", "Hp 0 + Sh 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        Show(kExit, c.fields);
        EXPECT_EQ(Lit(kExit, kMainLamps), c.lamps);
        EXPECT_EQ(Panel(4).caption, c.caption);
        EXPECT_EQ(Smudges(kExit, true), 0);
    }
    // The exit signal names both speed figures with the long hints.
    Show(kExit, {Kmh60});
    EXPECT_TRUE(Panel(4).hint.ends_with("(60 km/h) 60 km/h"));
    Show(kExit, {Kmh100});
    EXPECT_TRUE(Panel(4).hint.ends_with("(100 km/h) 100 km/h"));
    Show(kExit, {Ersatz});
    EXPECT_EQ(Lit(kExit, kSubstitute), "111");
    Show(kExit, {Vorsicht});
    EXPECT_EQ(Lit(kExit, kCaution), "111");
    EXPECT_EQ(Panel(4).hint, "Vorsichtsignal - Am Signal Hp 0 oder am gestörten\r\n"
                             "Lichthauptsignal ohne schriftlichen Befehl vorbeifahren! Weiterfahrt auf Sicht.");
}

TEST_F(HvMainSignalTest, IntermediateSignalNamesNoHighSpeedFigures)
{
    Show(kIntermediate, {Kmh80});
    EXPECT_EQ(Panel(6).caption, "Hp 1");
    EXPECT_EQ(Panel(6).hint, "Fahrt");
    Show(kIntermediate, {Kmh100});
    EXPECT_EQ(Panel(6).caption, "Hp 1");
    Show(kIntermediate, {Kmh60});
    EXPECT_EQ(Panel(6).caption, "Hp 2 + Zs 3 \"6\"");
    EXPECT_TRUE(Panel(6).hint.ends_with("(60 km/h)"));
    Show(kIntermediate, {Rangier});
    EXPECT_EQ(Lit(kIntermediate, kMainLamps), "1000110");
    EXPECT_EQ(Panel(6).caption, "Hp 0 + Sh 1");
}

TEST_F(HvMainSignalTest, EntrySignalAspects)
{
    struct Case {
        std::initializer_list<FieldPtr> fields;
        const char* lamps;
        const char* box;   // substitute light, then caution light
        const char* caption;
    };
    const Case cases[] = {
        {{Halt},          "1000", "000000", "Hp 0"},
        {{Fahrt},         "0010", "000000", "Hp 1"},
        {{Kmh40},         "0110", "000000", "Hp 2"},
        {{Kmh60},         "0110", "000000", "Hp 2 + Zs 3 \"6\""},
        {{Kmh80},         "0010", "000000", "Hp 1 + Zs 3 \"8\""},
        {{Kmh100},        "0010", "000000", "Hp 1 + Zs 3 \"10\""},
        {{Ersatz},        "0001", "111000", "Hp 0 + Zs 1"},
        {{Ersatz, Halt},  "1001", "111000", "Hp 0 + Zs 1"},
        {{Vorsicht},      "0001", "000111", "Hp 0 + Zs 7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        Show(kEntry, c.fields);
        EXPECT_EQ(Lit(kEntry, kEntryLamps), c.lamps);
        // The two light groups share their places: probe the lights that differ.
        const Color s = stage.Canvas.Drawn().Pixel(kEntry.x - 3, kEntry.y - 188);
        const Color t = stage.Canvas.Drawn().Pixel(kEntry.x - 3, kEntry.y - 195);
        const std::string box = std::string(s == clWhite ? "111" : "000") + (t == clYellow ? "111" : "000");
        EXPECT_EQ(box, c.box);
        EXPECT_EQ(Panel(10).caption, c.caption);
    }
    Show(kEntry, {Kmh100});
    EXPECT_TRUE(Panel(10).hint.ends_with("(100 km/h)"));
}

TEST_F(HvMainSignalTest, OtherPlacementsDrawLampsButNameNothing)
{
    stage.Signals[6] = {};
    stage.Signals[6].Fahrt = 1;
    stage.Canvas.Erase(clSkyBlue);
    stage.DrawElement(300, 400, 25, 6, 9);
    stage.DrawElement(400, 400, 21, 6, 9);
    EXPECT_EQ(stage.Canvas.Drawn().Pixel(300 - 7, 400 - 245), kGreen);
    EXPECT_EQ(stage.Canvas.Drawn().Pixel(400 + 3, 400 - 245), kGreen);
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(Panel(n).caption, "") << n;
}

// The two lights of a group are drawn as three ellipses, then three fills; the first ellipse
// takes the brush that the last lamp left.
TEST_F(HvMainSignalTest, SubstituteLightDrawsItsEllipsesBeforeItsFills)
{
    stage.Signals[14] = {};
    stage.Signals[14].Ersatz = 1;
    stage.Canvas.SetRecording(true);
    stage.Canvas.ClearTrace();
    stage.DrawElement(150, 380, 21, 14, 13);
    const auto& trace = stage.Canvas.Trace();
    ASSERT_GE(trace.size(), 6u);
    std::string tail;
    for (std::size_t i = trace.size() - 6; i < trace.size(); ++i)
        tail += FormatTraceOp(trace[i]) + "\n";
    EXPECT_EQ(tail,
              "ellipse 149 190 145 194 0xFFFFFF 1 0x0000FF\n"
              "ellipse 152 190 156 194 0xFFFFFF 1 0x0000FF\n"
              "ellipse 148 184 152 188 0xFFFFFF 1 0x0000FF\n"
              "floodfill 147 192 0xFFFFFF 0xFFFFFF\n"
              "floodfill 153 192 0xFFFFFF 0xFFFFFF\n"
              "floodfill 150 185 0xFFFFFF 0xFFFFFF\n");
}

} // namespace
