// Speed indicators, the speed pre-indicator, the track-change indicator and the shunting
// signals, each in its H/V and its Ks look.

#include "tests/render/element_stage.h"
#include "io/trace_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lumaro;
using namespace lumaro::io;

namespace {

constexpr int kX = 300;
constexpr int kY = 400;

class IndicatorsTest : public ::testing::Test {
protected:
    void Look(System system)
    {
        stage.system = system;
        stage.ClearDesignations();
    }

    // One element on an empty sky, with empty panels and a fresh trace.
    void Draw(int code, int own, int next, Color background = clSkyBlue)
    {
        stage.Canvas.Erase(background);
        stage.ClearDesignations();
        stage.Canvas.SetRecording(true);
        stage.Canvas.ClearTrace();
        stage.DrawElement(kX, kY, code, own, next);
    }

    void Set(int record, std::initializer_list<FieldPtr> fields)
    {
        stage.Signals[record] = {};
        for (FieldPtr f : fields)
            stage.Signals[record].*f = 1;
    }

    // "caption | hint" of PanelN.
    std::string Panel(int n) const { return stage.Panels[n].caption + " | " + stage.Panels[n].hint; }

    Color At(int dx, int dy) const { return stage.Canvas.Drawn().Pixel(kX + dx, kY + dy); }

    // The 5 x 7 dot grid of the indicator box, row by row: '#' where a dot burns in `lit`,
    // '.' where the box shows black.
    std::string Dots(Color lit) const
    {
        std::string out;
        for (int dy = -286; dy <= -268; dy += 3) {
            for (int dx = -6; dx <= 6; dx += 3)
                out += At(dx, dy) == lit ? '#' : At(dx, dy) == clBlack ? '.' : '?';
            out += '\n';
        }
        return out;
    }

    std::string Trace(std::size_t from, std::size_t count) const
    {
        std::string out;
        for (std::size_t i = from; i < from + count && i < stage.Canvas.Trace().size(); ++i)
            out += FormatTraceOp(stage.Canvas.Trace()[i]) + "\n";
        return out;
    }

    lumaro::test::ElementStage stage;
};

TEST_F(IndicatorsTest, ShuntingSignalLampsDependOnAspectAndLook)
{
    const struct {
        System system;
        FieldPtr aspect;
        Color leftRed, rightRed, upperWhite, lowerWhite;
    } cases[] = {
        {System::HV, &SignalRecord::Halt,      clRed,   clRed,   clBlack, clBlack},
        {System::Ks, &SignalRecord::Halt,      clBlack, clRed,   clBlack, clBlack},
        {System::HV, &SignalRecord::Rangier,   clBlack, clBlack, clWhite, clWhite},
        {System::Ks, &SignalRecord::Kennlicht, clBlack, clBlack, clWhite, clBlack},
    };
    for (const auto& c : cases) {
        for (int code : {33, 34}) {
            SCOPED_TRACE(std::to_string(code) + (c.system == System::Ks ? " Ks" : " H/V"));
            Look(c.system);
            Set(9, {c.aspect});
            Draw(code, 9, 99);
            EXPECT_EQ(At(-6, -30), c.leftRed);
            EXPECT_EQ(At(7, -30), c.rightRed);
            EXPECT_EQ(At(2, -30), c.upperWhite);
            EXPECT_EQ(At(-6, -23), c.lowerWhite);
            EXPECT_EQ(At(4, -22), clWhite);  // the square under the upper lamp
            EXPECT_EQ(At(10, -22), code == 33 ? clRed : clBlack);  // the dwarf signal's marker
            EXPECT_EQ(At(10, -26), code == 33 ? clWhite : clBlack);
            EXPECT_EQ(At(0, -16), clBlack);  // foot
        }
    }
}

TEST_F(IndicatorsTest, ShuntingSignalPanelFollowsNextAndLaterRowWins)
{
    Set(9, {&SignalRecord::Halt, &SignalRecord::Kennlicht});
    for (int next : {98, 28}) {
        Draw(34, 9, next);
        EXPECT_EQ(Panel(7), "Hp 0 | Halt");
    }
    Set(9, {&SignalRecord::Kennlicht});
    Draw(34, 9, 98);
    EXPECT_EQ(Panel(7), "Ke | Kennlicht");
    Set(12, {&SignalRecord::Rangier});
    for (int next : {11, 31}) {
        Draw(33, 12, next);
        EXPECT_EQ(Panel(9), "Sh 1 | Rangierverbot aufgehoben");
    }
    const SignalTable before = stage.Signals;
    Draw(33, 12, 13);  // a next number that selects no panel
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(Panel(n), " | ") << n;
    EXPECT_EQ(stage.Signals, before);
}

TEST_F(IndicatorsTest, TrackChangeIndicatorShowsZs6InEachLook)
{
    Set(3, {&SignalRecord::Gwb});
    Draw(30, 3, 2);
    EXPECT_EQ(At(-18, -276), clBlack);  // the diamond
    EXPECT_EQ(At(-6, -286), clWhite);   // the band of dots, upper left to lower right
    EXPECT_EQ(At(0, -277), clWhite);
    EXPECT_EQ(At(6, -268), clWhite);
    EXPECT_EQ(At(6, -286), clBlack);
    EXPECT_EQ(stage.Panels[2].caption, "Zs 6");
    EXPECT_EQ(stage.Panels[2].hint, "Gegengleisanzeiger - Der Fahrweg führt in das\r\n"
                                   "Streckengleis entgegen der gewöhnlichen Fahrtrichtung");
    // Every dot is a lamp of its own; the first one's inside takes the box's black brush.
    EXPECT_EQ(Trace(12, 4), "ellipse 294 114 296 116 0xFFFFFF 1 0x000000\n"
                            "floodfill 294 114 0xFFFFFF 0xFFFFFF\n"
                            "ellipse 297 114 299 116 0xFFFFFF 1 0xFFFFFF\n"
                            "floodfill 297 114 0xFFFFFF 0xFFFFFF\n");

    Look(System::Ks);
    Set(22, {&SignalRecord::Gwb});
    Draw(30, 22, 21);
    EXPECT_EQ(At(-18, -276), clSkyBlue);  // no diamond
    EXPECT_EQ(At(-9, -276), clBlack);     // the open frame
    EXPECT_EQ(At(4, -270), clWhite);      // the stepped stroke
    EXPECT_EQ(At(-4, -282), clWhite);
    EXPECT_EQ(stage.Panels[2].caption, "Zs 6");

    Set(22, {});
    Draw(30, 22, 21);
    EXPECT_EQ(At(4, -270), clBlack);
    EXPECT_EQ(Panel(2), " | dunkel");
}

TEST_F(IndicatorsTest, TrackChangeIndicatorPassesOnTheAspectAhead)
{
    stage.Signals[2] = {1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0};
    stage.Signals[3] = {};
    Draw(30, 3, 2);
    // The copy leaves the higher speeds, shunting and caution alone.
    EXPECT_EQ(stage.Signals[3], (SignalRecord {1, 1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));

    // Lit, it passes on no aspect but the additional light.
    stage.Signals[3] = {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};
    Draw(30, 3, 2);
    EXPECT_EQ(stage.Signals[3], (SignalRecord {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0}));
}

TEST_F(IndicatorsTest, SpeedIndicatorDotMatrixDigits)
{
    const struct {
        FieldPtr field;
        const char* dots;
    } digits[] = {
        {&SignalRecord::Gwb,    ".###.\n#...#\n....#\n...#.\n..#..\n.#...\n#####\n"},
        {&SignalRecord::Kmh60,  ".###.\n#....\n#....\n####.\n#...#\n#...#\n.###.\n"},
        {&SignalRecord::Kmh80,  ".###.\n#...#\n#...#\n.###.\n#...#\n#...#\n.###.\n"},
        {&SignalRecord::Kmh100, "#..#.\n#.#.#\n#.#.#\n#.#.#\n#.#.#\n#.#.#\n#..#.\n"},
        {&SignalRecord::Kmh40,  ".....\n.....\n.....\n.....\n.....\n.....\n.....\n"},
    };
    for (const auto& d : digits) {
        for (int code : {27, 31}) {
            Set(6, {d.field});
            Draw(code, 6, 5);
            EXPECT_EQ(Dots(clWhite), d.dots) << code;
            EXPECT_EQ(At(0, -298), clBlack);                    // the triangle's tip
            EXPECT_EQ(At(0, -256), code == 27 ? clBlack : clSkyBlue);  // the bar under it
        }
    }
}

TEST_F(IndicatorsTest, SpeedIndicatorKsLineDigitsInAWideOutlinedBox)
{
    Look(System::Ks);
    Set(24, {&SignalRecord::Kmh40});
    Draw(27, 24, 23);
    EXPECT_EQ(At(0, -273), clWhite);   // 4's bar
    EXPECT_EQ(At(2, -270), clWhite);   // 4's stem
    Set(24, {&SignalRecord::Kmh80});
    Draw(27, 24, 23);
    EXPECT_EQ(At(-5, -273), clWhite);  // 8's rings, black inside
    EXPECT_EQ(At(0, -273), clBlack);
    EXPECT_EQ(At(-4, -281), clWhite);
    EXPECT_EQ(At(0, -281), clBlack);
    EXPECT_EQ(At(0, -264), clBlack);   // the bracket under the frame
    EXPECT_EQ(At(0, -299), clSkyBlue); // no triangle
    // The box outline keeps the bracket's pen width.
    EXPECT_EQ(Trace(7, 3), "moveto 292 134\nlineto 308 134 0x000000 3\nlineto 308 113 0x000000 3\n");

    // 6 is the lower ring with a neck rising to the right, without 8's upper ring.
    Set(24, {&SignalRecord::Kmh60});
    Draw(27, 24, 23);
    EXPECT_EQ(At(-5, -273), clWhite);
    EXPECT_EQ(At(0, -273), clBlack);
    EXPECT_EQ(At(-1, -281), clWhite);
    EXPECT_EQ(At(-4, -281), clBlack);
    // 10 is a "1" beside a narrow "0".
    Set(24, {&SignalRecord::Kmh100});
    Draw(27, 24, 23);
    EXPECT_EQ(At(-3, -277), clWhite);
    EXPECT_EQ(At(-1, -277), clBlack);
    EXPECT_EQ(At(1, -277), clWhite);
    EXPECT_EQ(At(5, -277), clWhite);
    EXPECT_EQ(At(3, -277), clBlack);

    Set(24, {&SignalRecord::Aux12});
    Draw(27, 24, 23);
    EXPECT_EQ(At(-5, -269), clWhite);  // 2's foot
    EXPECT_EQ(At(0, -285), clWhite);   // 2's arc
    EXPECT_EQ(stage.Panels[8].hint, "");  // on a main signal no panel is written

    Set(31, {&SignalRecord::Aux12});
    Draw(31, 31, 30);
    EXPECT_EQ(stage.Panels[8].caption, "Zs 3 \"2\"");
    EXPECT_EQ(stage.Panels[8].hint,
              "Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
              "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (20 km/h)");
    Look(System::HV);
    Draw(31, 31, 10);  // H/V reads Gwb, not Aux12
    EXPECT_EQ(Panel(8), " | dunkel");
}

TEST_F(IndicatorsTest, PreIndicatorAnnouncesOnlyALowerSpeedAhead)
{
    const struct {
        System system;
        FieldPtr own, next;
        bool shown;
    } cases[] = {
        {System::Ks, &SignalRecord::Kmh80, &SignalRecord::Kmh60,  true},
        {System::Ks, &SignalRecord::Kmh60, &SignalRecord::Kmh60,  false},
        {System::Ks, &SignalRecord::Halt,  &SignalRecord::Aux12,  false},
        {System::Ks, &SignalRecord::Kmh40, &SignalRecord::Aux12,  true},
        {System::HV, &SignalRecord::Fahrt, &SignalRecord::Kmh100, true},
        {System::HV, &SignalRecord::Kmh40, &SignalRecord::Kmh100, true},
        {System::HV, &SignalRecord::Halt,  &SignalRecord::Kmh100, false},
        {System::HV, &SignalRecord::Ersatz, &SignalRecord::Gwb,   false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Look(c.system);
        Set(14, {c.own});
        Set(8, {c.next});
        Draw(32, 14, 8);
        int yellow = 0;
        for (int dy = -287; dy <= -266; ++dy)
            for (int dx = -8; dx <= 8; ++dx)
                yellow += At(dx, dy) == clYellow;
        EXPECT_EQ(yellow > 0, c.shown);
        EXPECT_EQ(At(0, -255), c.system == System::HV ? clBlack : clSkyBlue);  // the triangle's tip
    }
}

// No fill leaves its outline, by day and by night, whatever the element shows.
TEST_F(IndicatorsTest, NoIndicatorFloodsOutsideItsOutline)
{
    const struct {
        int code, left, right, top, bottom;
    } elements[] = {{27, -20, 20, -300, -254}, {31, -20, 20, -300, -254}, {32, -20, 20, -288, -253},
                    {30, -19, 19, -295, -257}, {33, -13, 13, -35, -14},   {34, -13, 13, -35, -14}};
    for (System system : {System::HV, System::Ks}) {
        for (Color background : {clSkyBlue, clNightBlue}) {
            for (const auto& e : elements) {
                SCOPED_TRACE(e.code);
                Look(system);
                stage.Signals[2] = stage.Signals[3] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
                Draw(e.code, 3, 2, background);
                int outside = 0;
                for (int y = 0; y < stage.Canvas.Height(); ++y)
                    for (int x = 0; x < stage.Canvas.Width(); ++x)
                        outside += stage.Canvas.Drawn().Pixel(x, y) != background &&
                                   (x < kX + e.left || x > kX + e.right || y < kY + e.top || y > kY + e.bottom);
                EXPECT_EQ(outside, 0);
            }
        }
    }
}

} // namespace
