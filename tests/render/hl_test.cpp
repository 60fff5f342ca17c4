// The Hl signals' lamps, designations and hand-overs.

#include "tests/render/element_stage.h"
#include "io/trace_format.h"
#include "render/elements.h"
#include "state/record_fields.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

using namespace lumaro;
using namespace lumaro::io;
using namespace lumaro::field;

namespace {

constexpr int kX = 200;
constexpr int kY = 400;
constexpr Palette kDayColours {clBlack, clGray, clWhite, clMedGray, clGreen};
constexpr Palette kNightColours {clWhite, Rgb(3, 3, 3), Rgb(3, 3, 4), Rgb(3, 3, 5), Rgb(3, 3, 6)};

// Lamp seeds of code 70: upper left, upper right, red, small white upper right, small white
// lower left, lower yellow.
constexpr Offset kMainLamps[] = {{-5, -215}, {5, -215}, {0, -200}, {6, -205}, {-6, -193}, {-5, -180}};

class HlTest : public ::testing::Test {
protected:
    void Set(int record, std::initializer_list<FieldPtr> fields)
    {
        stage.Signals[record] = {};
        for (FieldPtr f : fields)
            stage.Signals[record].*f = 1;
    }

    void Draw(int code, int own, int next, bool blink = true, const Palette& colours = kDayColours,
              Color background = clSkyBlue)
    {
        stage.Colors = colours;
        stage.BlinkPhase = blink;
        stage.ClearDesignations();
        stage.Canvas.Erase(background);
        stage.Canvas.SetRecording(true);
        stage.Canvas.ClearTrace();
        stage.DrawElement(kX, kY, code, own, next);
    }

    Color At(int dx, int dy) const { return stage.Canvas.Drawn().Pixel(kX + dx, kY + dy); }

    // One letter per lamp: y(ellow), g(reen), r(ed), w(hite), . for the black screen.
    std::string Lamps(std::span<const Offset> seeds) const
    {
        std::string out;
        for (const Offset& s : seeds) {
            const Color c = At(s.dx, s.dy);
            out += c == clYellow ? 'y' : c == clLampGreen ? 'g' : c == clRed ? 'r' : c == clWhite ? 'w'
                 : c == clBlack  ? '.' : '?';
        }
        return out;
    }

    // The written panels as "4:Hl 1 5:Zs 6".
    std::string Written() const
    {
        std::string out;
        for (int n = 1; n <= kDesignationPanelCount; ++n)
            if (!stage.Panels[n].caption.empty())
                out += (out.empty() ? "" : " ") + std::to_string(n) + ":" + stage.Panels[n].caption;
        return out;
    }

    std::vector<std::string> Trace(std::size_t from, std::size_t count) const
    {
        std::vector<std::string> lines;
        for (std::size_t i = from; i < from + count && i < stage.Canvas.Trace().size(); ++i)
            lines.push_back(FormatTraceOp(stage.Canvas.Trace()[i]));
        return lines;
    }

    int CountInBox(Color colour, int left, int top, int right, int bottom) const
    {
        int n = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                n += At(x, y) == colour;
        return n;
    }

    lumaro::test::ElementStage stage;
};

// The exit signal (own 43, next 42) in both blink phases: flashing lamps go dark, steady lamps
// and the designation stay.
TEST_F(HlTest, MainSignalShowsEachAspectInBothBlinkPhases)
{
    const struct {
        std::initializer_list<FieldPtr> own, next;
        const char* lit;    // blink phase on
        const char* dark;   // blink phase off
        const char* written;
    } cases[] = {
        {{},               {Fahrt},         "......", "......", ""},
        {{Halt},           {Fahrt},         "..r...", "..r...", "4:Hp 0"},
        {{Ersatz},         {Fahrt},         "..r.w.", "..r...", "4:Hp 0 + Zs 1"},
        {{Halt, Ersatz},   {Fahrt},         "..r.w.", "..r...", "4:Hp 0 + Zs 1"},
        {{Rangier},        {Fahrt},         "..rww.", "..rww.", "4:Hp 0 + Ra 12"},
        {{Kennlicht},      {Fahrt},         "....w.", "....w.", "4:Ke"},
        {{Fahrt},          {Fahrt},         ".g....", ".g....", "4:Hl 1"},
        {{Kmh40},          {Fahrt},         ".g...y", ".g...y", "4:Hl 3a"},
        {{Kmh100},         {Fahrt},         ".g...y", ".g...y", "4:Hl 2"},
        {{Fahrt},          {Halt},          "y.....", "y.....", "4:Hl 10"},
        {{Kmh60},          {Ersatz},        "y....y", "y....y", "4:Hl 12b"},
        {{Kmh100},         {Halt},          "y....y", "y....y", "4:Hl 11"},
        {{Fahrt},          {Kmh60},         "y.....", "......", "4:Hl 7"},
        {{Kmh40},          {Kmh40},         "y....y", ".....y", "4:Hl 9a"},
        {{Kmh100},         {Kmh60},         "y....y", ".....y", "4:Hl 8"},
        {{Fahrt},          {Kmh100},        ".g....", "......", "4:Hl 4"},
        {{Kmh60},          {Kmh100},        ".g...y", ".....y", "4:Hl 6b"},
        {{Kmh100},         {Kmh100},        ".g...y", ".....y", "4:Hl 5"},
        // A track-change route shows clear ahead, whatever the next signal shows.
        {{Fahrt, Gwb},     {Halt},          ".g....", ".g....", "4:Hl 1 5:Zs 6"},
        {{Kmh40, Gwb},     {Kmh60},         "yg...y", ".g...y", "4:Hl 9a 5:Zs 6"},
        {{Halt, Gwb},      {Fahrt},         "..r...", "..r...", "4:Hp 0"},
        // Shunting ahead lights the steady yellow but names no aspect.
        {{Fahrt},          {Rangier},       "y.....", "y.....", ""},
        // 80 km/h is no speed of this system.
        {{Kmh80},          {Fahrt},         "......", "......", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        for (const bool blink : {true, false}) {
            Set(43, c.own);
            Set(42, c.next);
            Draw(70, 43, 42, blink);
            EXPECT_EQ(Lamps(kMainLamps), blink ? c.lit : c.dark) << "blink " << blink;
            EXPECT_EQ(Written(), c.written);
        }
    }
    Set(43, {Fahrt, Gwb});
    Draw(70, 43, 42);
    EXPECT_EQ(stage.Panels[5].hint, "Gegengleisanzeiger - Der Fahrweg führt in das\r\n"
                                   "Streckengleis entgegen der gewöhnlichen Fahrtrichtung");
}

TEST_F(HlTest, MainSignalPanelsFollowTheNextRecord)
{
    const struct {
        int next;
        std::initializer_list<FieldPtr> own;
        const char* written;
    } cases[] = {
        {40, {Fahrt, Gwb}, "1:Hl 1"},
        {40, {Kmh40},      ""},          // the block signal names no speed
        {40, {Rangier},    ""},
        {42, {Fahrt, Gwb}, "4:Hl 1 5:Zs 6"},
        {44, {Fahrt, Gwb}, "6:Hl 1 16:Zs 6"},
        {46, {Fahrt, Gwb}, "10:Hl 1 11:Zs 13"},
        {46, {Halt},       "10:Hp 0"},
        {47, {Fahrt, Gwb}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.next);
        Set(51, c.own);
        Set(c.next, {Fahrt, Aux12});
        Draw(70, 51, c.next);
        EXPECT_EQ(Written(), c.written);
    }
    EXPECT_EQ(Lamps(kMainLamps), ".g....");  // drawn all the same
}

// Two matching rows of one lamp draw it twice; the second ellipse takes the brush of the first fill.
TEST_F(HlTest, SteadyAndFlashingRowsOfOneLampBothDraw)
{
    Set(43, {Fahrt});
    Set(42, {Halt, Kmh40});
    Draw(70, 43, 42);
    const std::vector<std::string> twice = {
        "ellipse 191 180 198 187 0x00FFFF 1 0x000000",
        "floodfill 195 185 0x00FFFF 0x00FFFF",
        "ellipse 191 180 198 187 0x00FFFF 1 0x00FFFF",
        "floodfill 195 185 0x00FFFF 0x00FFFF",
    };
    EXPECT_EQ(Trace(8, 5), twice);
    Draw(70, 43, 42, false);
    EXPECT_EQ(stage.Canvas.Trace().size(), 10u);
}

TEST_F(HlTest, LightStripIsFourLampsLitTogether)
{
    const struct {
        std::initializer_list<FieldPtr> own;
        const char* lamps;  // green strip, then yellow strip
    } cases[] = {{{Kmh100}, "gggg...."}, {{Kmh60}, "....yyyy"}, {{Kmh40}, "........"}, {{Kmh100, Kmh60}, "ggggyyyy"}};
    constexpr Offset kSeeds[] = {{-9, -156}, {-4, -156}, {4, -156}, {9, -156},
                                 {-9, -147}, {-4, -147}, {4, -147}, {9, -147}};
    constexpr Offset kGaps[] = {{-6, -156}, {0, -156}, {5, -156}, {0, -150}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lamps);
        Set(43, c.own);
        Draw(71, 43, 42);
        EXPECT_EQ(Lamps(kSeeds), c.lamps);
        EXPECT_EQ(Lamps(kGaps), "....");
        EXPECT_EQ(Written(), "");
    }
    Set(43, {Kmh100});
    Draw(71, 43, 42);
    const std::vector<std::string> strip = {
        "ellipse 190 243 194 247 0x90EE90 1 0x000000", "floodfill 191 244 0x90EE90 0x90EE90",
        "ellipse 195 243 199 247 0x90EE90 1 0x90EE90", "floodfill 196 244 0x90EE90 0x90EE90",
        "ellipse 201 243 205 247 0x90EE90 1 0x90EE90", "floodfill 204 244 0x90EE90 0x90EE90",
        "ellipse 206 243 210 247 0x90EE90 1 0x90EE90", "floodfill 209 244 0x90EE90 0x90EE90",
    };
    EXPECT_EQ(Trace(6, 9), strip);
}

TEST_F(HlTest, DistantSignalAnnouncesAndHandsOverTheSignalAhead)
{
    constexpr Offset kSeeds[] = {{-5, -215}, {5, -215}};
    const struct {
        std::initializer_list<FieldPtr> next;
        const char* lit;
        const char* dark;
        const char* written;
    } cases[] = {
        {{Halt}, "y.", "y.", "2:Hl 10"},  {{Ersatz}, "y.", "y.", "2:Hl 10"}, {{Kmh60}, "y.", "..", "2:Hl 7"},
        {{Fahrt}, ".g", ".g", "2:Hl 1"}, {{Kmh100}, ".g", "..", "2:Hl 4"}, {{Rangier}, "..", "..", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        for (const bool blink : {true, false}) {
            Set(41, c.next);
            Draw(72, 42, 41, blink);
            EXPECT_EQ(Lamps(kSeeds), blink ? c.lit : c.dark);
            EXPECT_EQ(Written(), c.written);
        }
    }
    // Only stop, proceed and substitute are handed over; the other fields stay.
    Set(53, {Halt, Kmh60, Gwb});
    Set(51, {Fahrt, Ersatz, Kmh40, Aux12});
    Draw(72, 53, 51);
    EXPECT_EQ(stage.Signals[53], (SignalRecord {.Fahrt = 1, .Kmh60 = 1, .Ersatz = 1, .Gwb = 1}));
    EXPECT_EQ(Written(), "12:Hl 1");
    Draw(72, 53, 47);
    EXPECT_EQ(Written(), "");
}

// The distant signal at x = 850 is drawn before the exit signal, which reads its copy in the same paint.
TEST_F(HlTest, ExitSignalSeesTheHandOverOfTheSamePaint)
{
    stage.Start();
    stage.system = System::Hl;
    Set(41, {Halt});
    Set(42, {Fahrt});
    Set(43, {Fahrt});
    Set(51, {Ersatz});
    stage.PaintLine();
    EXPECT_EQ(stage.Panels[4].caption, "Hl 10");
    EXPECT_EQ(stage.Canvas.Drawn().Pixel(645, 185), clYellow);
    EXPECT_EQ(stage.Signals[42].Halt, 1);
    EXPECT_EQ(stage.Signals[42].Fahrt, 0);
    EXPECT_EQ(stage.Signals[53].Ersatz, 1);
}

TEST_F(HlTest, IndicatorBoxesShowSolidDots)
{
    // Pen and brush are set even when no dot follows.
    Set(43, {Gwb});
    Draw(73, 43, 42);
    EXPECT_EQ(CountInBox(clWhite, -8, -287, 8, -263), 0);
    EXPECT_EQ(stage.Canvas.PenColor(), clWhite);
    EXPECT_EQ(stage.Canvas.BrushColor(), clWhite);
    Set(43, {Fahrt});
    Draw(73, 43, 42);
    EXPECT_EQ(CountInBox(clWhite, -8, -287, 8, -263), 0);

    Set(43, {Kmh40, Gwb});
    Draw(73, 43, 42);
    EXPECT_EQ(CountInBox(clWhite, -8, -287, 8, -263), 20);
    EXPECT_EQ(CountInBox(clWhite, -6, -280, -5, -279), 4);
    EXPECT_EQ(CountInBox(clWhite, 6, -268, 7, -267), 4);
    EXPECT_EQ(Trace(6, 3), (std::vector<std::string> {"ellipse 194 120 196 122 0xFFFFFF 1 0xFFFFFF",
                                                       "floodfill 194 120 0xFFFFFF 0xFFFFFF",
                                                       "ellipse 197 123 199 125 0xFFFFFF 1 0xFFFFFF"}));

    Set(51, {Fahrt});
    Set(46, {Aux12});
    Draw(77, 51, 46);
    EXPECT_EQ(CountInBox(clYellow, -8, -287, 8, -263), 64);
    EXPECT_EQ(CountInBox(clYellow, -6, -286, -5, -264), 32);  // the bar of eight dots
    EXPECT_EQ(CountInBox(clYellow, -4, -277, 7, -273), 32);   // the arm
    EXPECT_EQ(Written(), "");
    Set(51, {Halt});
    Draw(77, 51, 46);
    EXPECT_EQ(CountInBox(clYellow, -8, -287, 8, -263), 0);
}

TEST_F(HlTest, StopScreenAndShuntingSignal)
{
    constexpr Offset kStopSeeds[] = {{-5, -215}, {-6, -193}};
    Set(48, {Halt});
    Draw(74, 48, 47);
    EXPECT_EQ(Lamps(kStopSeeds), "r.");
    EXPECT_EQ(Written(), "7:Hp 0");
    Set(48, {Kennlicht});
    Draw(74, 48, 47);
    EXPECT_EQ(Lamps(kStopSeeds), ".w");
    EXPECT_EQ(Written(), "7:Ke");
    Draw(74, 48, 49);
    EXPECT_EQ(Written(), "");

    constexpr Offset kShuntingSeeds[] = {{3, -32}, {-3, -26}};
    Set(50, {});
    Draw(75, 50, 49, true, kNightColours, clNightBlue);
    EXPECT_EQ(Lamps(kShuntingSeeds), "..");
    EXPECT_EQ(At(-5, -48), clYellow);  // the W
    EXPECT_EQ(At(0, -46), clYellow);
    EXPECT_EQ(At(0, -10), Rgb(3, 3, 3));  // the post
    EXPECT_EQ(Written(), "9:Ra 11a");
    EXPECT_EQ(stage.Panels[9].hint, "Wartezeichen - Auftrag des Wärters zur Rangierfahrt abwarten");
    Set(50, {Rangier});
    Draw(75, 50, 49);
    EXPECT_EQ(Lamps(kShuntingSeeds), "ww");
    EXPECT_EQ(Written(), "9:Ra 12");
    Draw(75, 50, 47);
    EXPECT_EQ(Written(), "");
}

// With every lamp lit, by day and by night, no pixel outside an element's screens changes.
TEST_F(HlTest, NoFillLeavesItsScreen)
{
    const struct {
        int code;
        std::initializer_list<FieldPtr> own, next;
        int left, top, right, bottom;
    } cases[] = {
        {70, {Rangier, Kmh100}, {Halt, Fahrt, Kmh40, Kmh100}, -12, -227, 12, -165},
        {71, {Kmh100, Kmh60},   {},                           -12, -162, 12, -140},
        {72, {},                {Halt, Fahrt},                -12, -227, 12, -182},
        {73, {Fahrt, Gwb},      {},                           -8,  -287, 8,  -263},
        {74, {Halt, Kennlicht}, {},                           -12, -227, 12, -182},
        {75, {Rangier},         {},                           -7,  -50,  7,  -4},
        {77, {Fahrt},           {Aux12},                      -8,  -287, 8,  -263},
    };
    for (const auto& c : cases) {
        for (const bool night : {false, true}) {
            SCOPED_TRACE(std::to_string(c.code) + (night ? " night" : " day"));
            const Color background = night ? clNightBlue : clSkyBlue;
            Set(60, c.own);
            Set(61, c.next);
            Draw(c.code, 60, 61, true, night ? kNightColours : kDayColours, background);
            const int all = stage.Canvas.Width() * stage.Canvas.Height();
            int unchanged = 0;
            for (int y = 0; y < stage.Canvas.Height(); ++y)
                for (int x = 0; x < stage.Canvas.Width(); ++x)
                    unchanged += stage.Canvas.Drawn().Pixel(x, y) == background;
            const int box = (c.right - c.left + 1) * (c.bottom - c.top + 1);
            EXPECT_EQ(unchanged + box - CountInBox(background, c.left, c.top, c.right, c.bottom), all);
        }
    }
}

} // namespace
