// The Ks signals' lamps, designations and hand-overs.

#include "tests/render/element_stage.h"
#include "io/trace_format.h"
#include "state/record_fields.h"
#include "tests/core/form_script.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using namespace lumaro;
using namespace lumaro::io;
using namespace lumaro::field;

namespace {

constexpr Color kGreen = Rgb(144, 238, 144);
struct PaletteCase {
    const char* name;
    Color background;
    Palette palette;
};

const PaletteCase kDay {"day", clSkyBlue, {clBlack, clGray, clWhite, clMedGray, clGreen}};
const PaletteCase kNight {"night", clNightBlue, {clWhite, Rgb(3, 3, 3), Rgb(3, 3, 4), Rgb(3, 3, 5), Rgb(3, 3, 6)}};

// Where the line places each Ks signal, with its own and next record.
struct Signal {
    int x, y, code, own, next;
};
constexpr Signal kBlock50 {934, 414, 50, 21, 20};
constexpr Signal kDistant54 {734, 414, 54, 23, 22};
constexpr Signal kExit55 {650, 414, 55, 24, 23};
constexpr Signal kIntermediate55 {550, 414, 55, 26, 25};
constexpr Signal kEntry55 {134, 414, 55, 34, 33};
constexpr Signal kDistant59 {34, 414, 59, 36, 34};

// Lamp probes of code 55, relative to the anchor.
constexpr int kRed[] = {0, -250};
constexpr int kGreen55[] = {-5, -240};
constexpr int kYellow55[] = {5, -240};
constexpr int kTopWhite[] = {-6, -259};

class KsTest : public ::testing::Test {
protected:
    KsTest() { stage.system = System::Ks; }

    // The record holds exactly `fields`.
    void Set(int record, std::initializer_list<FieldPtr> fields)
    {
        stage.Signals[record] = {};
        for (FieldPtr f : fields)
            stage.Signals[record].*f = 1;
    }

    void Draw(const Signal& s, bool blink = true, const PaletteCase& colours = kDay)
    {
        m_at = s;
        m_background = colours.background;
        stage.BlinkPhase = blink;
        stage.Colors = colours.palette;
        stage.Canvas.Erase(m_background);
        stage.ClearDesignations();
        stage.Canvas.SetRecording(true);
        stage.Canvas.ClearTrace();
        stage.DrawElement(s.x, s.y, s.code, s.own, s.next);
    }

    Color Background() const { return m_background; }
    Color At(int dx, int dy) const { return stage.Canvas.Drawn().Pixel(m_at.x + dx, m_at.y + dy); }
    Color At(const int (&probe)[2]) const { return At(probe[0], probe[1]); }
    const std::string& Caption(int panel) const { return stage.Panels[panel].caption; }
    const std::string& Hint(int panel) const { return stage.Panels[panel].hint; }

    std::vector<std::string> Trace(std::size_t from, std::size_t count) const
    {
        std::vector<std::string> lines;
        for (std::size_t i = from; i < from + count && i < stage.Canvas.Trace().size(); ++i)
            lines.push_back(FormatTraceOp(stage.Canvas.Trace()[i]));
        return lines;
    }

    std::vector<std::string> Ellipses() const
    {
        std::vector<std::string> lines;
        for (const TraceOp& op : stage.Canvas.Trace())
            if (op.kind == TraceOp::Kind::Ellipse)
                lines.push_back(FormatTraceOp(op));
        return lines;
    }

    lumaro::test::ElementStage stage;

private:
    Signal m_at {};
    Color m_background = clSkyBlue;
};

// The screen and its hood stay inside their outline by day and by night, with as many lamps lit
// as each signal can show at once; the hood is open, the doubled top edge lies above the screen.
TEST_F(KsTest, ScreensStayInsideTheirOutline)
{
    Set(21, {Halt, Fahrt, Ersatz});
    Set(22, {Halt, Fahrt});
    Set(24, {Fahrt, Rangier, Ersatz, Vorsicht, Kennlicht});
    Set(23, {});
    Set(34, {Halt, Fahrt, Kmh60});
    for (const PaletteCase* colours : {&kDay, &kNight}) {
        for (const Signal& s : {kBlock50, kDistant54, kExit55, kDistant59}) {
            SCOPED_TRACE(std::to_string(s.code) + " " + colours->name);
            Draw(s, true, *colours);
            const int top = s.code == 50 || s.code == 55 ? -266 : -256;
            for (int dx = -15; dx <= 15; ++dx) {
                EXPECT_EQ(At(dx, top - 2), Background()) << dx;
                EXPECT_EQ(At(dx, -207), Background()) << dx;
            }
            for (int dy = top - 2; dy <= -207; ++dy) {
                EXPECT_EQ(At(-14, dy), Background()) << dy;
                EXPECT_EQ(At(14, dy), Background()) << dy;
            }
            EXPECT_EQ(At(0, top - 1), clBlack);   // doubled top edge
            EXPECT_EQ(At(-13, top - 1), Background());
            EXPECT_EQ(At(11, -220), clBlack);     // screen
            EXPECT_EQ(At(0, -212), Background()); // inside the hood
            EXPECT_EQ(At(0, -208), clBlack);      // hood bottom
        }
    }
}

// Code 55 fills its screen before it draws the hood; the others fill last.
TEST_F(KsTest, ScreenFillComesBeforeTheHoodOnlyForCode55)
{
    Set(24, {Halt});
    Draw(kExit55);
    EXPECT_EQ(Trace(0, 13), (std::vector<std::string> {
                                "moveto 650 198",
                                "lineto 637 198 0x000000 1",
                                "lineto 637 148 0x000000 1",
                                "lineto 663 148 0x000000 1",
                                "lineto 663 198 0x000000 1",
                                "lineto 637 198 0x000000 1",
                                "floodfill 650 194 0x000000 0x000000",
                                "lineto 645 206 0x000000 1",
                                "lineto 655 206 0x000000 1",
                                "lineto 663 198 0x000000 1",
                                "moveto 638 197",
                                "lineto 662 197 0x000000 1",
                                "moveto 638 147",
                            }));
    Set(34, {Halt});
    Draw(kDistant59);
    EXPECT_EQ(Trace(9, 5), (std::vector<std::string> {
                                "moveto 22 197",
                                "lineto 46 197 0x000000 1",
                                "moveto 22 157",
                                "lineto 46 157 0x000000 1",
                                "floodfill 34 194 0x000000 0x000000",
                            }));
}

TEST_F(KsTest, BlockSignal50ShowsStopProceedAndSubstitute)
{
    const struct {
        const char* name;
        FieldPtr aspect;
        bool blink;
        Color red, green, white;
        const char* caption;
    } cases[] = {
        {"Halt", Halt, true, clRed, clBlack, clBlack, "Hp 0"},
        {"Fahrt", Fahrt, true, clBlack, kGreen, clBlack, "Ks 1"},
        {"Ersatz, lit phase", Ersatz, true, clRed, clBlack, clWhite, "Hp 0 + Zs 1"},
        {"Ersatz, dark phase", Ersatz, false, clRed, clBlack, clBlack, "Hp 0 + Zs 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Set(21, {c.aspect});
        Draw(kBlock50, c.blink);
        EXPECT_EQ(At(0, -250), c.red);
        EXPECT_EQ(At(0, -240), c.green);
        EXPECT_EQ(At(0, -232), c.white);
        EXPECT_EQ(Caption(1), c.caption);
    }
    EXPECT_EQ(Hint(1), "Ersatzsignal - Am Signal Hp 0 oder am gestörten\r\n"
                       "Lichthauptsignal ohne schriftlichen Befehl vorbeifahren");

    Draw({934, 414, 50, 21, 28});
    EXPECT_EQ(Caption(1), "");
}

// Each case: what the signal shows and announces, the phase, the main lamps and the
// designation of the exit signal.
TEST_F(KsTest, MainSignal55FollowsTheGreenRule)
{
    const struct {
        const char* name;
        std::initializer_list<FieldPtr> own, next;
        bool blink;
        Color red, green, yellow, topWhite;
        const char* caption;
    } cases[] = {
        {"stop expected", {Fahrt}, {Halt}, true, clBlack, clBlack, clYellow, clBlack, "Ks 2"},
        {"same speed ahead, dark phase", {Fahrt}, {Fahrt}, false, clBlack, kGreen, clBlack, clBlack, "Ks 1"},
        {"lower speed ahead, lit phase", {Kmh100}, {Kmh60}, true, clBlack, kGreen, clBlack, clBlack,
         "Ks 1 + Zs 3 \"10\""},
        {"lower speed ahead, dark phase", {Kmh100}, {Kmh60}, false, clBlack, clBlack, clBlack, clBlack,
         "Ks 1 + Zs 3 \"10\""},
        {"40 never blinks", {Kmh40}, {Kmh40}, false, clBlack, kGreen, clBlack, clBlack, "Ks 1 + Zs 3 \"4\""},
        {"announced record empty", {Fahrt}, {}, true, clBlack, kGreen, clYellow, clBlack, "Ks 2"},
        {"nothing set at all", {}, {}, true, clBlack, kGreen, clBlack, clBlack, ""},
        {"shunting ahead", {Fahrt}, {Rangier}, true, clBlack, clBlack, clYellow, clBlack, "Ks 2"},
        {"track change ahead", {Fahrt}, {Gwb}, true, clBlack, kGreen, clBlack, clBlack, "Ks 1"},
        {"shortened distance ahead", {Fahrt}, {Fahrt, Aux13}, true, clBlack, kGreen, clBlack, clWhite, "Ks 1"},
        {"identification light", {Kennlicht}, {Fahrt}, true, clBlack, clBlack, clBlack, clWhite, "Ke"},
        {"substitute", {Ersatz}, {Fahrt}, false, clRed, clBlack, clBlack, clBlack, "Hp 0 + Zs 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Set(24, c.own);
        Set(23, c.next);
        Draw(kExit55, c.blink);
        EXPECT_EQ(At(kRed), c.red);
        EXPECT_EQ(At(kGreen55), c.green);
        EXPECT_EQ(At(kYellow55), c.yellow);
        EXPECT_EQ(At(kTopWhite), c.topWhite);
        EXPECT_EQ(Caption(4), c.caption);
    }
}

TEST_F(KsTest, MainSignal55AuxiliaryLights)
{
    Set(25, {Fahrt});
    Set(26, {Rangier});
    Draw(kIntermediate55, false);
    EXPECT_EQ(At(kRed), clRed);
    EXPECT_EQ(At(0, -233), clWhite);
    EXPECT_EQ(At(-8, -226), clWhite);
    EXPECT_EQ(At(-8, -232), clBlack);  // Zs 1 dark
    EXPECT_EQ(At(0, -226), clBlack);   // Zs 7 dark
    EXPECT_EQ(Caption(6), "Hp 0 + Sh 1");
    EXPECT_EQ(Hint(6), "Halt - Rangierverbot aufgehoben");

    Set(26, {Vorsicht});
    Draw(kIntermediate55);
    EXPECT_EQ(At(kRed), clRed);
    EXPECT_EQ(At(-4, -232), clYellow);
    EXPECT_EQ(At(4, -232), clYellow);
    EXPECT_EQ(At(0, -226), clYellow);
    EXPECT_EQ(At(0, -233), clBlack);
    EXPECT_EQ(Caption(6), "Hp 0 + Zs 7");

    Set(26, {Ersatz});
    Draw(kIntermediate55, true);
    EXPECT_EQ(At(-8, -232), clWhite);
    Draw(kIntermediate55, false);
    EXPECT_EQ(At(-8, -232), clBlack);
    EXPECT_EQ(At(kRed), clRed);

    Set(26, {Kmh100});
    Set(25, {Kmh60});
    Draw(kIntermediate55);
    EXPECT_EQ(Hint(6), "Fahrt + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
                       "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (100 km/h)");
    EXPECT_EQ(Caption(4), "");
}

TEST_F(KsTest, EntrySignal55WritesItsFourPanels)
{
    const struct {
        const char* name;
        std::initializer_list<FieldPtr> own, next;
        const char *panel10, *panel11, *panel14, *panel13;
    } cases[] = {
        {"100 to 80", {Kmh100}, {Kmh80}, "Ks 1", "+ Zs 3 \"10\"", "+ Zs 3v \"8\"", ""},
        {"Fahrt to 60", {Fahrt}, {Kmh60}, "Ks 1", "+ Zs 3v \"6\"", "", ""},
        {"60 to 60", {Kmh60}, {Kmh60}, "Ks 1 + Zs 3 \"6\"", "", "", ""},
        {"20 expected replaces 80", {Kmh100}, {Kmh80, Aux12}, "Ks 1", "+ Zs 3 \"10\"", "+ Zs 3v \"2\"", ""},
        {"no 20 at stop", {Halt}, {Aux12}, "Hp 0", "", "", ""},
        {"shortened distance", {Fahrt}, {Fahrt, Aux13}, "Ks 1", "", "", "+ ZL"},
        {"no shunting row", {Rangier}, {Fahrt}, "Hp 0", "", "", ""},
        {"identification light", {Kennlicht}, {Fahrt}, "", "", "", "+ ZL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Set(34, c.own);
        Set(33, c.next);
        Draw(kEntry55);
        EXPECT_EQ(Caption(10), c.panel10);
        EXPECT_EQ(Caption(11), c.panel11);
        EXPECT_EQ(Caption(14), c.panel14);
        EXPECT_EQ(Caption(13), c.panel13);
    }
    EXPECT_EQ(Hint(13), "verkürzter Bremswegabstand");

    Set(34, {Kmh100});
    Set(33, {Kmh80, Aux12});
    Draw(kEntry55);
    EXPECT_EQ(Hint(11), "Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
                        "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (100 km/h)");
    EXPECT_EQ(Hint(14), "Geschwindigkeitsanzeiger (Zs 3 (20 km/h)) erwarten");
    EXPECT_EQ(Caption(4), "");
    EXPECT_EQ(Caption(6), "");
}

// Panel5 belongs to the H/V distant part on the exit signal's mast; in the Ks system every
// code 55 empties it, even one whose next number selects no panel.
TEST_F(KsTest, MainSignal55EmptiesPanel5OnlyInTheKsSystem)
{
    Set(24, {Fahrt});
    for (bool ks : {true, false}) {
        SCOPED_TRACE(ks ? "Ks" : "H/V");
        stage.system = ks ? System::Ks : System::HV;
        Draw({650, 414, 55, 24, 77});
        stage.WriteDesignation(5, "Vr 1", "Fahrt erwarten");
        stage.DrawElement(650, 414, 55, 24, 77);
        EXPECT_EQ(Caption(5), ks ? "" : "Vr 1");
        EXPECT_EQ(Hint(5), ks ? "" : "Fahrt erwarten");
        for (int panel : {4, 6, 10, 11, 13, 14})
            EXPECT_EQ(Caption(panel), "") << panel;
    }
}

TEST_F(KsTest, Distant54ShowsAndCopiesTheIndicatorRecord)
{
    const struct {
        const char* name;
        std::initializer_list<FieldPtr> next;
        Color yellow, green, white;
        const char* caption;
    } cases[] = {
        {"stop", {Halt}, clYellow, clBlack, clWhite, "Ks 2 + ZL"},
        {"proceed", {Fahrt}, clBlack, kGreen, clBlack, "Ks 1"},
        {"substitute", {Ersatz}, clYellow, clBlack, clWhite, "Ks 2 + ZL"},
        {"substitute on the other track", {Ersatz, Gwb}, clBlack, clBlack, clWhite, "Ks 2 + ZL"},
        {"track change lit", {Gwb, Aux12}, clBlack, clBlack, clWhite, "Ke"},
        {"caution: named, not lit", {Vorsicht}, clBlack, clBlack, clBlack, "Ks 2 + ZL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Set(22, c.next);
        Draw(kDistant54);
        EXPECT_EQ(At(4, -240), c.yellow);
        EXPECT_EQ(At(-4, -240), c.green);
        EXPECT_EQ(At(-5, -226), c.white);
        EXPECT_EQ(Caption(3), c.caption);
    }

    // Five fields are copied, set or clear; the others of the own record stay.
    Set(22, {Halt, Kmh60, Vorsicht, Gwb, Aux12});
    Set(23, {Fahrt, Kmh40, Kmh80, Kennlicht});
    Draw(kDistant54);
    SignalRecord expected;
    expected.Halt = 1;
    expected.Kmh80 = 1;
    expected.Kennlicht = 1;
    expected.Gwb = 1;
    EXPECT_EQ(stage.Signals[23], expected);

    // Another next number writes no panel but still copies from the record it names.
    Set(21, {Fahrt});
    Draw({734, 414, 54, 23, 21});
    EXPECT_EQ(Caption(3), "");
    EXPECT_EQ(stage.Signals[23].Fahrt, 1);
}

TEST_F(KsTest, Distant59ShowsCopiesAndBlinks)
{
    const struct {
        const char* name;
        std::initializer_list<FieldPtr> next;
        bool blink;
        Color yellow, green;
        const char *panel12, *panel15;
    } cases[] = {
        {"stop", {Halt}, true, clYellow, clBlack, "Ks 2", ""},
        {"proceed, dark phase", {Fahrt}, false, clBlack, kGreen, "Ks 1", ""},
        {"60 expected, lit phase", {Kmh60}, true, clBlack, kGreen, "Ks 1", "+ Zs 3v \"6\""},
        {"60 expected, dark phase", {Kmh60}, false, clBlack, clBlack, "Ks 1", "+ Zs 3v \"6\""},
        {"60 on the other track", {Kmh60, Gwb}, true, clBlack, clBlack, "", ""},
        {"caution on the other track", {Vorsicht, Gwb}, true, clBlack, clBlack, "", ""},
        {"caution", {Vorsicht}, true, clYellow, clBlack, "Ks 2", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Set(34, c.next);
        Draw(kDistant59, c.blink);
        EXPECT_EQ(At(4, -236), c.yellow);
        EXPECT_EQ(At(-5, -236), c.green);
        EXPECT_EQ(Caption(12), c.panel12);
        EXPECT_EQ(Caption(15), c.panel15);
    }

    // Fahrt stays as the propagation left it.
    Set(34, {Kmh40, Vorsicht, Gwb});
    Set(36, {Halt, Fahrt, Kmh60});
    Draw(kDistant59);
    SignalRecord expected;
    expected.Fahrt = 1;
    expected.Kmh40 = 1;
    expected.Kmh60 = 1;
    expected.Gwb = 1;
    EXPECT_EQ(stage.Signals[36], expected);

    // Both green rows match: the lamp is drawn twice, the second time over its own disc.
    Set(34, {Fahrt, Kmh40});
    Draw(kDistant59, true);
    EXPECT_EQ(Ellipses(), (std::vector<std::string> {
                              "ellipse 25 175 32 182 0x90EE90 1 0x000000",
                              "ellipse 25 175 32 182 0x90EE90 1 0x90EE90",
                          }));
    Draw(kDistant59, false);
    EXPECT_EQ(Ellipses().size(), 1u);
}

class KsLineTest : public lumaro::test::FormScript {};

// Two consecutive ticks: the substitute light of the block signal burns in one and not in the
// other, while its red lamp and its designation stay.
TEST_F(KsLineTest, BlinkingLampAlternatesWithTheTimer)
{
    Run("KsSystem1 Button23");
    for (int tick = 0; tick < 4; ++tick) {
        SCOPED_TRACE(tick);
        Run("tick");
        EXPECT_EQ(form.DrawCanvas().Pixel(934, 414 - 232), form.View().BlinkPhase ? clWhite : clBlack);
        EXPECT_EQ(form.DrawCanvas().Pixel(934, 414 - 250), clRed);
        EXPECT_EQ(form.View().Panels[1].caption, "Hp 0 + Zs 1");
    }
}

} // namespace
