// The H/V distant signals and distant parts: lamps, panels and the copies they make.

#include "tests/render/element_stage.h"
#include "io/trace_format.h"
#include "render/elements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lumaro;
using namespace lumaro::io;
using namespace lumaro::field;

namespace {

constexpr int kX = 200;
constexpr int kY = 400;

// Own and next records of each placement; the main signal on the mast of 14 and 17 is own + 1.
struct Placed {
    int code;
    int own;
    int next;
};
constexpr Placed k12 {12, 4, 3};
constexpr Placed k14 {14, 5, 4};
constexpr Placed k17 {17, 13, 8};
constexpr Placed k10 {10, 15, 14};

const Palette kDay {clBlack, clGray, clWhite, clMedGray, clGreen};
const Palette kNight {clWhite, Rgb(3, 3, 3), Rgb(3, 3, 4), Rgb(3, 3, 5), Rgb(3, 3, 6)};

SignalRecord With(std::initializer_list<FieldPtr> fields)
{
    SignalRecord r;
    for (FieldPtr f : fields)
        r.*f = 1;
    return r;
}

class HvDistantTest : public ::testing::Test {
protected:
    // Draws one element on a fresh canvas with all panels empty.
    void Draw(const Placed& p, const Palette& palette = kDay, Color background = clSkyBlue)
    {
        stage.Colors = palette;
        stage.Canvas.Erase(background);
        stage.Canvas.SetRecording(true);
        stage.Canvas.ClearTrace();
        stage.ClearDesignations();
        stage.DrawElement(kX, kY, p.code, p.own, p.next);
    }

    // The five lamps in table order at their centres: 'Y', 'G', 'W' lit, '.' dark on the
    // screen or housing, ' ' background, '?' anything else.
    std::string Lamps() const
    {
        constexpr Offset kCentres[] = {{6, -191}, {-14, -170}, {13, -191}, {-7, -170}, {-13, -190}};
        std::string out;
        for (const Offset& o : kCentres) {
            const Color c = stage.Canvas.Drawn().Pixel(kX + o.dx, kY + o.dy);
            out += c == clYellow ? 'Y' : c == clLampGreen ? 'G' : c == clWhite ? 'W' : c == clBlack ? '.'
                 : c == clSkyBlue || c == clNightBlue ? ' ' : '?';
        }
        return out;
    }

    std::string Caption(int panel) const { return stage.Panels[panel].caption; }
    std::string Hint(int panel) const { return stage.Panels[panel].hint; }

    std::vector<std::string> Trace() const
    {
        std::vector<std::string> lines;
        for (const TraceOp& op : stage.Canvas.Trace())
            lines.push_back(FormatTraceOp(op));
        return lines;
    }

    lumaro::test::ElementStage stage;
};

struct LampCase {
    const char* name;
    SignalRecord next;
    const char* lamps;
};

TEST_F(HvDistantTest, FreeStandingLampsShowTheAnnouncedAspect)
{
    const LampCase cases[] = {
        {"nothing", {}, "....."},
        {"Halt", With({Halt}), "YY..."},
        {"Ersatz", With({Ersatz}), "YY..."},
        {"Vorsicht", With({Vorsicht}), "YY..."},
        {"Rangier", With({Rangier}), "....."},
        {"Fahrt", With({Fahrt}), "..GG."},
        {"Kmh40", With({Kmh40}), ".YG.."},
        {"Kmh60", With({Kmh60}), ".YG.."},
        {"Kmh80", With({Kmh80}), "..GG."},
        {"Kmh100 Aux12", With({Kmh100, Aux12}), "..GGW"},
        {"Halt Aux13", With({Halt, Aux13}), "YY..W"},
        {"Gwb", With({Gwb}), "....."},
    };
    for (const LampCase& c : cases) {
        SCOPED_TRACE(c.name);
        stage.Signals[3] = c.next;
        Draw(k12);
        EXPECT_EQ(Lamps(), c.lamps);
    }

    // Code 10 has no housing: its white light burns on the background, and only for Aux12.
    stage.Signals[14] = With({Fahrt, Aux12});
    Draw(k10);
    EXPECT_EQ(Lamps(), "..GGW");
    stage.Signals[14] = With({Halt, Aux13});
    Draw(k10);
    EXPECT_EQ(Lamps(), "YY.. ");
}

TEST_F(HvDistantTest, LampsOnAMainSignalMastBurnOnlyWhileItProceeds)
{
    const struct {
        const char* name;
        SignalRecord main;
        bool lit;
    } mains[] = {
        {"Halt", With({Halt}), false},
        {"Rangier", With({Rangier}), false},
        {"Ersatz", With({Ersatz}), false},
        {"nothing", {}, false},
        {"Fahrt", With({Fahrt}), true},
        {"Kmh40", With({Kmh40}), true},
        {"Kmh100", With({Kmh100}), true},
        {"Kennlicht", With({Kennlicht}), true},
    };
    for (const auto& m : mains) {
        SCOPED_TRACE(m.name);
        stage.Signals[6] = m.main;
        stage.Signals[4] = With({Halt, Aux12});
        Draw(k14);
        EXPECT_EQ(Lamps(), m.lit ? "YY..W" : ".... ");
        stage.Signals[14] = m.main;
        stage.Signals[8] = With({Fahrt});
        Draw(k17);
        EXPECT_EQ(Lamps(), m.lit ? "..GG." : ".....");
    }

    // Rangier announced counts as stop for the lamps; Aux13 lights the white light on 17 only.
    stage.Signals[6] = With({Fahrt});
    stage.Signals[14] = With({Fahrt});
    const LampCase cases[] = {
        {"Rangier", With({Rangier}), "YY..."},
        {"Kmh60", With({Kmh60}), ".YG.."},
        {"Aux13", With({Aux13}), "....W"},
        {"Gwb", With({Gwb}), "....."},
    };
    for (const LampCase& c : cases) {
        SCOPED_TRACE(c.name);
        stage.Signals[8] = c.next;
        Draw(k17);
        EXPECT_EQ(Lamps(), c.lamps);
    }
    stage.Signals[4] = With({Aux13});
    Draw(k14);
    EXPECT_EQ(Lamps(), ".... ");
}

// Every lamp lit at once, by day and by night: the screen, housing and lamps stay inside their
// box, the screen is solid black around the lamps and the housing exists only on 12 and 17.
TEST_F(HvDistantTest, SignalStaysInsideItsOutline)
{
    const SignalRecord all = With({Halt, Fahrt, Kmh80, Rangier, Aux12, Aux13});
    for (int n : {3, 4, 8, 14})
        stage.Signals[n] = all;
    stage.Signals[6] = With({Fahrt});
    const struct {
        const Palette* palette;
        Color background;
    } looks[] = {{&kDay, clSkyBlue}, {&kNight, clNightBlue}};
    for (const auto& look : looks) {
        for (const Placed& p : {k10, k12, k14, k17}) {
            SCOPED_TRACE(std::to_string(p.code) + (look.background == clSkyBlue ? " day" : " night"));
            Draw(p, *look.palette, look.background);
            EXPECT_EQ(Lamps(), "YYGGW");
            int outside = 0;
            for (int y = 0; y < stage.Canvas.Height(); ++y)
                for (int x = 0; x < stage.Canvas.Width(); ++x) {
                    const bool inBox = x >= kX - 20 && x <= kX + 20 && y >= kY - 200 && y <= kY - 160;
                    outside += !inBox && stage.Canvas.Drawn().Pixel(x, y) != look.background;
                }
            EXPECT_EQ(outside, 0);
            const bool housing = p.code == 12 || p.code == 17;
            EXPECT_EQ(stage.Canvas.Drawn().Pixel(kX - 17, kY - 189), housing ? clBlack : look.background);
            EXPECT_EQ(stage.Canvas.Drawn().Pixel(kX - 12, kY - 194), housing ? clBlack : look.background);
            EXPECT_EQ(stage.Canvas.Drawn().Pixel(kX - 4, kY - 161), clBlack);
            EXPECT_EQ(stage.Canvas.Drawn().Pixel(kX + 19, kY - 185), clBlack);
            EXPECT_EQ(stage.Canvas.Drawn().Pixel(kX, kY - 180), clBlack);
            EXPECT_EQ(stage.Canvas.Drawn().Pixel(kX - 19, kY - 161), look.background);  // cut corner
            EXPECT_EQ(stage.Canvas.Drawn().Pixel(kX + 19, kY - 199), look.background);
        }
    }
}

TEST_F(HvDistantTest, HousingIsFilledBeforeTheLampsAndEachLampEllipseTakesTheBrushLeftBehind)
{
    stage.Signals[3] = With({Kmh40, Aux12});
    Draw(k12);
    const std::vector<std::string> trace = Trace();
    ASSERT_EQ(trace.size(), 24u);
    const std::vector<std::string> afterScreen = {
        "floodfill 196 239 0x000000 0x000000",
        "ellipse 181 205 194 217 0x000000 1 0x000000",
        "floodfill 192 210 0x000000 0x000000",
        "moveto 190 220",
        "lineto 185 216 0x000000 1",
        "lineto 192 208 0x000000 1",
        "lineto 196 211 0x000000 1",
        "lineto 190 220 0x000000 1",
        "floodfill 190 219 0x000000 0x000000",
        // Lower yellow, upper green, white: each ellipse is first filled with the brush of the
        // lamp before it.
        "ellipse 183 227 190 234 0x00FFFF 1 0x000000",
        "floodfill 185 229 0x00FFFF 0x00FFFF",
        "ellipse 210 206 217 213 0x90EE90 1 0x00FFFF",
        "floodfill 212 208 0x90EE90 0x90EE90",
        "ellipse 185 208 189 212 0xFFFFFF 1 0x90EE90",
        "floodfill 186 210 0xFFFFFF 0xFFFFFF",
    };
    EXPECT_EQ(std::vector<std::string>(trace.begin() + 9, trace.end()), afterScreen);
    EXPECT_EQ(trace.front(), "moveto 197 240");
}

TEST_F(HvDistantTest, FreeStandingSignalsCopyFourFieldsOfTheAnnouncedRecord)
{
    stage.Signals[3] = With({Fahrt, Kmh40, Kmh60, Ersatz, Gwb, Aux12, Aux13});
    stage.Signals[4] = With({Halt, Kmh80, Kennlicht});
    Draw(k12);
    EXPECT_EQ(stage.Signals[4], With({Fahrt, Kmh40, Ersatz, Kmh80, Kennlicht}));

    stage.Signals[14] = With({Halt});
    stage.Signals[15] = With({Fahrt, Kmh40, Aux12});
    Draw(k10);
    EXPECT_EQ(stage.Signals[15], With({Halt, Aux12}));

    // Distant signals on a mast only read.
    stage.Signals[6] = With({Fahrt});
    stage.Signals[14] = With({Fahrt});
    stage.Signals[8] = With({Kmh60, Aux13});
    const SignalTable before = stage.Signals;
    Draw(k14);
    Draw(k17);
    EXPECT_EQ(stage.Signals, before);
}

// Within one paint code 12 copies record 3 into 4 before code 14 reads it.
TEST_F(HvDistantTest, ExitSignalDistantShowsTheBlockSignalInTheSamePaint)
{
    stage.Signals[6] = With({Kmh60});
    stage.Signals[4] = With({Halt});
    stage.Signals[3] = With({Fahrt, Aux12});
    Draw(k12);
    stage.DrawElement(kX + 100, kY, 14, 5, 4);
    EXPECT_EQ(stage.Canvas.Drawn().Pixel(kX + 100 + 13, kY - 191), clLampGreen);
    EXPECT_EQ(stage.Canvas.Drawn().Pixel(kX + 100 + 6, kY - 191), clBlack);
    EXPECT_EQ(Caption(5), "Vr 1");

    // A lit track-change indicator leaves record 3 with the marker alone: the distant signal
    // of column 750 shows only its white light, and the exit signal's distant signal nothing.
    stage.Signals[3] = With({Aux12});
    Draw(k12);
    EXPECT_EQ(Lamps(), "....W");
    EXPECT_EQ(Caption(3), "Ke");
    EXPECT_EQ(Hint(3), "Kennlicht");
    stage.DrawElement(kX + 100, kY, 14, 5, 4);
    EXPECT_EQ(stage.Canvas.Drawn().Pixel(kX + 100 + 6, kY - 191), clBlack);
    EXPECT_EQ(stage.Canvas.Drawn().Pixel(kX + 100 - 14, kY - 170), clBlack);
    EXPECT_EQ(Caption(5), "");
    EXPECT_EQ(Hint(5), "dunkel");
}

struct PanelCase {
    const char* name;
    SignalRecord next;
    const char* caption;
    const char* hint;
};

TEST_F(HvDistantTest, Column750WritesPanel3WithTheAdditionalLight)
{
    const PanelCase cases[] = {
        {"Halt", With({Halt}), "Vr 0 + ZL", "Halt erwarten - verkürzter Bremswegabstand"},
        {"Vorsicht", With({Vorsicht}), "Vr 0 + ZL", "Halt erwarten - verkürzter Bremswegabstand"},
        {"Fahrt", With({Fahrt}), "Vr 1 + ZL", "Fahrt erwarten - verkürzter Bremswegabstand"},
        {"Kmh100", With({Kmh100}), "Vr 1 + ZL", "Fahrt erwarten - verkürzter Bremswegabstand"},
        {"Kmh60", With({Kmh60}), "Ke", "Kennlicht"},
        {"nothing", {}, "Ke", "Kennlicht"},
        {"Halt Fahrt", With({Halt, Fahrt}), "Vr 1 + ZL", "Fahrt erwarten - verkürzter Bremswegabstand"},
    };
    for (const PanelCase& c : cases) {
        SCOPED_TRACE(c.name);
        stage.Signals[3] = c.next;
        Draw(k12, kNight, clNightBlue);
        EXPECT_EQ(Caption(3), c.caption);
        EXPECT_EQ(Hint(3), c.hint);
        EXPECT_EQ(stage.Panels[3].font, clWhite);
    }
}

TEST_F(HvDistantTest, Column50WritesPanel12AndThe100Supplement)
{
    const PanelCase cases[] = {
        {"Halt", With({Halt}), "Vr 0", "Halt erwarten"},
        {"Ersatz", With({Ersatz}), "Vr 0", "Halt erwarten"},
        {"Fahrt", With({Fahrt}), "Vr 1", "Fahrt erwarten"},
        {"Kmh80", With({Kmh80}), "Vr 1 + Zs 3v \"8\"",
         "Fahrt erwarten\r\n+ Geschwindigkeitsanzeiger (Zs 3 (80 km/h)) erwarten"},
        {"Kmh100", With({Kmh100}), "Vr 1", "Fahrt erwarten"},
        {"Kmh40", With({Kmh40}), "Vr 2", "Langsamfahrt erwarten"},
        {"Kmh60", With({Kmh60}), "Vr 2 + Zs 3v \"6\"",
         "Langsamfahrt erwarten\r\n+ Geschwindigkeitsanzeiger (Zs 3 (60 km/h)) erwarten"},
        {"Halt Kmh40", With({Halt, Kmh40}), "Vr 2", "Langsamfahrt erwarten"},
        {"Rangier", With({Rangier}), "", ""},
        {"nothing", {}, "", ""},
    };
    for (const PanelCase& c : cases) {
        SCOPED_TRACE(c.name);
        stage.Signals[14] = c.next;
        Draw(k10);
        EXPECT_EQ(Caption(12), c.caption);
        EXPECT_EQ(Hint(12), c.hint);
        const bool supplement = c.next.Kmh100 == 1;
        EXPECT_EQ(Caption(15), supplement ? "+ Zs 3v \"10\"" : "");
        EXPECT_EQ(Hint(15), supplement ? "Geschwindigkeitsanzeiger (Zs 3 (100 km/h)) erwarten" : "");
    }
}

TEST_F(HvDistantTest, Column650WritesPanel5OnlyForStopOrFullSpeed)
{
    stage.Signals[6] = With({Fahrt});
    const PanelCase cases[] = {
        {"Halt", With({Halt}), "Vr 0", "Halt erwarten"},
        {"Ersatz", With({Ersatz}), "Vr 0", "Halt erwarten"},
        {"Rangier", With({Rangier}), "", "dunkel"},  // its lamps show Vr 0 all the same
        {"Fahrt", With({Fahrt}), "Vr 1", "Fahrt erwarten"},
        {"Kmh80", With({Kmh80}), "Vr 1", "Fahrt erwarten"},
        {"Kmh40", With({Kmh40}), "", "dunkel"},
        {"Halt Kmh100", With({Halt, Kmh100}), "Vr 1", "Fahrt erwarten"},
    };
    for (const PanelCase& c : cases) {
        SCOPED_TRACE(c.name);
        stage.Signals[4] = c.next;
        Draw(k14);
        EXPECT_EQ(Caption(5), c.caption);
        EXPECT_EQ(Hint(5), c.hint);
    }
    stage.Signals[6] = With({Halt});
    stage.Signals[4] = With({Fahrt});
    Draw(k14);
    EXPECT_EQ(Caption(5), "");
    EXPECT_EQ(Hint(5), "dunkel");
}

TEST_F(HvDistantTest, Column150WritesPanel11AndTheAdditionalLightInPanel13)
{
    stage.Signals[14] = With({Kmh40});
    const PanelCase cases[] = {
        {"Rangier", With({Rangier}), "Vr 0", "Halt erwarten"},
        {"Fahrt", With({Fahrt}), "Vr 1", "Fahrt erwarten"},
        {"Kmh100", With({Kmh100}), "Vr 1 + Zs 3v \"10\"",
         "Fahrt erwarten\r\n+ Geschwindigkeitsanzeiger (Zs 3 (100 km/h)) erwarten"},
        {"Kmh60", With({Kmh60}), "Vr 2 + Zs 3v \"6\"",
         "Langsamfahrt erwarten\r\n+ Geschwindigkeitsanzeiger (Zs 3 (60 km/h)) erwarten"},
        {"Gwb", With({Gwb}), "Vr 0 + Zs 3v \"2\"",
         "Halt erwarten\r\n+ Geschwindigkeitsanzeiger (Zs 3 (20 km/h)) erwarten"},
        {"Halt Gwb", With({Halt, Gwb}), "Vr 0 + Zs 3v \"2\"",
         "Halt erwarten\r\n+ Geschwindigkeitsanzeiger (Zs 3 (20 km/h)) erwarten"},
        {"nothing", {}, "", ""},
    };
    for (const PanelCase& c : cases) {
        SCOPED_TRACE(c.name);
        stage.Signals[8] = c.next;
        Draw(k17);
        EXPECT_EQ(Caption(11), c.caption);
        EXPECT_EQ(Hint(11), c.hint);
        EXPECT_EQ(Caption(13), "");
        EXPECT_EQ(Hint(13), "");
    }
    for (FieldPtr marker : {Aux12, Aux13}) {
        stage.Signals[8] = With({Halt, marker});
        Draw(k17);
        EXPECT_EQ(Caption(13), "+ ZL");
        EXPECT_EQ(Hint(13), "verkürzter Bremswegabstand");
    }

    // Without a marker Panel13 is written empty; with the entry signal not proceeding, Panel11
    // goes dark and Panel13 is left alone.
    stage.Colors = kDay;
    stage.Signals[8] = With({Fahrt});
    stage.WriteDesignation(13, "before", "before");
    stage.DrawElement(kX, kY, 17, 13, 8);
    EXPECT_EQ(Caption(13), "");
    EXPECT_EQ(Hint(13), "");
    stage.Signals[14] = With({Halt});
    stage.Signals[8] = With({Fahrt, Aux12});
    stage.ClearDesignations();
    stage.WriteDesignation(13, "before", "before");
    stage.DrawElement(kX, kY, 17, 13, 8);
    EXPECT_EQ(Caption(11), "");
    EXPECT_EQ(Hint(11), "dunkel");
    EXPECT_EQ(Caption(13), "before");
}

// The panel follows the announced record, not the code: other next numbers write nothing.
TEST_F(HvDistantTest, OtherNextNumbersWriteNoPanel)
{
    for (int n = 1; n <= 16; ++n)
        stage.Signals[n] = With({Halt});
    stage.Signals[6] = With({Fahrt});
    for (const Placed& p : {Placed {12, 4, 5}, Placed {10, 15, 13}, Placed {14, 5, 3}, Placed {17, 13, 9}}) {
        SCOPED_TRACE(p.code);
        Draw(p);
        for (int n = 1; n <= 16; ++n)
            EXPECT_TRUE(Caption(n).empty() && Hint(n).empty()) << "Panel" << n;
    }
    Draw(Placed {10, 15, 3});
    EXPECT_EQ(Caption(3), "Vr 0 + ZL");
}

} // namespace
