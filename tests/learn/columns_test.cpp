// The lights noted while the elements draw, and the columns described in words from them.

#include "core/layout.h"
#include "learn/columns.h"
#include "learn/explain.h"
#include "learn/line_of_form.h"
#include "learn/tables.h"
#include "tests/core/form_script.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace lumaro;
using namespace lumaro::learn;

namespace {

class ColumnsTest : public test::FormScript {
protected:
    std::string Describe(std::int32_t x) const { return DescribeColumn(form.View().Panels, form.View().Lights.Lights(), x); }

    // Every burning lamp has its colour at the centre of its box on the canvas, and a blinking
    // lamp in its dark phase does not: the list says what the picture shows.
    void ExpectListMatchesCanvas(const std::string& context)
    {
        ASSERT_FALSE(form.View().Lights.Overflowed()) << context;
        for (const LitLight& light : form.View().Lights.Lights()) {
            if (light.kind != LightKind::Lamp)
                continue;
            const int cx = (light.left + light.right) / 2;
            const int cy = (light.top + light.bottom) / 2;
            const Color colors[] = {clRed, clYellow, clLampGreen, clWhite};
            const Color expected = colors[static_cast<int>(light.color)];
            const bool shows = form.DrawCanvas().Pixel(cx, cy) == expected;
            EXPECT_EQ(shows, light.burning) << context << ": lamp " << LampColorWord(light.color) << " at (" << cx
                                            << ", " << cy << ") in column " << light.column;
        }
    }
};

TEST_F(ColumnsTest, NamesSayWhatStandsInEachColumn)
{
    EXPECT_EQ(ColumnName(System::HV, 150), "Spalte 2, Einfahrsignal");
    EXPECT_EQ(ColumnName(System::Ks, 50), "Spalte 1, Vorsignal des Einfahrsignals");
    EXPECT_EQ(ColumnName(System::Hl, 850), "Spalte 9, Vorsignal des Blocksignals");
    EXPECT_EQ(ColumnName(System::Ks, 850), "Spalte 9, Gegengleisanzeiger");
    // The Hl line leaves two columns empty; values between columns name nothing.
    EXPECT_EQ(ColumnName(System::Hl, 350), "");
    EXPECT_EQ(ColumnName(System::Hl, 750), "");
    EXPECT_EQ(ColumnSignal(System::HV, 100), nullptr);

    EXPECT_EQ(ButtonName(System::HV, 31), "Einfahrsignal: 40 km/h");
    EXPECT_EQ(ButtonName(System::Ks, 22), "Blocksignal: Fahrt");
    EXPECT_EQ(ButtonName(System::Hl, 14), "Gegengleisanzeiger am Ausfahrsignal: GWB");
    EXPECT_EQ(ButtonName(System::HV, 25), "Gegengleisanzeiger: GWB");
    EXPECT_EQ(ButtonName(System::Ks, 29), "Sperrsignal: Rangier");
    EXPECT_EQ(ButtonName(System::Hl, 29), "Wartezeichen: Rangier");
    EXPECT_EQ(ButtonName(System::Hl, 27), "hohes Sperrsignal: Kennlicht");
    EXPECT_EQ(ButtonName(System::HV, 4), "");
    // A screen reader tells buttons apart by name alone.
    for (System system : {System::HV, System::Ks, System::Hl}) {
        std::set<std::string> names;
        for (const ButtonDef& b : kButtons)
            EXPECT_TRUE(names.insert(ButtonName(system, b.number)).second) << ButtonName(system, b.number);
    }

    EXPECT_EQ(PanelName(System::Ks, 14, "+ Zs 3v \"6\""), "Einfahrsignal: + Zs 3v \"6\"");
    EXPECT_EQ(PanelName(System::HV, 2, ""), "Gegengleisanzeiger");
    // The distant signal on a main signal's mast shows its own aspect.
    EXPECT_EQ(PanelName(System::HV, 5, "Vr 0"), "Vorsignal am Ausfahrsignal: Vr 0");
    EXPECT_EQ(PanelName(System::HV, 13, "+ ZL"), "Vorsignal am Einfahrsignal: + ZL");
    EXPECT_EQ(PanelName(System::Ks, 11, "+ Zs 3 \"6\""), "Einfahrsignal: + Zs 3 \"6\"");
    EXPECT_EQ(PanelName(System::Hl, 3, ""), "");
    for (int panel = 1; panel <= kDesignationPanels; ++panel)
        EXPECT_NE(PanelColumn(panel), 0) << panel;
    EXPECT_EQ(PanelColumn(17), 0);
}

// The explanations and the self-test decline the same names the window shows.
TEST_F(ColumnsTest, NamesDeclineWithTheirArticle)
{
    EXPECT_EQ(SignalWithArticle(System::HV, 450, Case::Nominative), "das hohe Sperrsignal");
    EXPECT_EQ(SignalWithArticle(System::Ks, 450, Case::Accusative), "das hohe Sperrsignal");
    EXPECT_EQ(SignalWithArticle(System::Hl, 450, Case::Dative), "dem hohen Sperrsignal");
    EXPECT_EQ(SignalWithArticle(System::HV, 450, Case::Genitive), "des hohen Sperrsignals");
    EXPECT_EQ(SignalAt(System::Ks, 450), "am hohen Sperrsignal");
    EXPECT_EQ(SignalWithArticle(System::Ks, 850, Case::Nominative), "der Gegengleisanzeiger");
    EXPECT_EQ(SignalWithArticle(System::HV, 850, Case::Accusative), "den Gegengleisanzeiger");
    EXPECT_EQ(SignalWithArticle(System::HV, 850, Case::Genitive), "des Gegengleisanzeigers");
    // The genitive "s" goes on the noun, not on the attribute after it.
    EXPECT_EQ(SignalWithArticle(System::Hl, 50, Case::Genitive), "des Vorsignals des Einfahrsignals");
    EXPECT_EQ(SignalAt(System::HV, 250), "am Sperrsignal");
    EXPECT_EQ(SignalAt(System::Hl, 250), "am Wartezeichen");
    EXPECT_EQ(SignalAt(System::Hl, 350), "");
    EXPECT_EQ(SignalWithArticle(System::Hl, 750, Case::Nominative), "");
    EXPECT_EQ(WithArticle("Zusatzanzeiger", Genus::Masculine, Case::Dative), "dem Zusatzanzeiger");
}

TEST_F(ColumnsTest, StartPictureInWords)
{
    EXPECT_EQ(Describe(150), "Hp 0. Lampen: rot.");
    EXPECT_EQ(Describe(650), "Hp 0. Lampen: rot, rot.");
    EXPECT_EQ(Describe(450), "Ke. Lampen: weiß.");
    EXPECT_EQ(Describe(850), "dunkel. Alle Lampen dunkel.");
    Run("KsSystem1 tick");
    EXPECT_EQ(Describe(150), "Hp 0. Lampen: rot.");
    Run("HlSystem1 tick");
    EXPECT_EQ(Describe(250), "Ra 11a. Alle Lampen dunkel.");
    EXPECT_EQ(ColumnName(System::Hl, 250), "Spalte 3, Wartezeichen");
    EXPECT_EQ(ColumnName(System::HV, 250), "Spalte 3, Sperrsignal");
}

// Ks: the entry signal proceeds and announces a lower speed at the intermediate signal.
TEST_F(ColumnsTest, KsBlinkingGreenIsNamedInBothPhases)
{
    Run("KsSystem1 tick Button12 Button32 tick*4");
    const std::string lit = Describe(150);
    EXPECT_EQ(lit, "Ks 1 blinkend, Zs 3 \"6\", Zs 3v \"4\", ZL. Lampen: weiß, grün blinkend; Lichtzeichen: weiß, gelb.");
    ExpectListMatchesCanvas("Ks phase 1");
    Run("tick");
    EXPECT_EQ(Describe(150), lit);
    ExpectListMatchesCanvas("Ks phase 2");
    // The blinking white light of the Ersatzsignal belongs to its own designation.
    Run("Button36 tick*2");
    EXPECT_EQ(Describe(150).substr(0, 13), "Hp 0 + Zs 1. ");
}

TEST_F(ColumnsTest, HvSubstituteAndDistantSignals)
{
    Run("Button36 Button6 tick*3");
    EXPECT_EQ(Describe(150), "Hp 0 + Zs 1. Lampen: rot; Lichtzeichen: weiß.");
    EXPECT_EQ(Describe(650), "Hp 1, Vr 0. Lampen: grün, gelb, gelb.");
    ExpectListMatchesCanvas("H/V");
}

TEST_F(ColumnsTest, HlFlashingYellowAndALightStrip)
{
    // The entry signal proceeds towards the exit signal at 60 km/h (the intermediate signal dark).
    Run("HlSystem1 tick Button16 tick Button35 tick Button3 tick*3");
    const std::string before = Describe(150);
    EXPECT_EQ(before, "Hl 7 blinkend. Lampen: gelb blinkend.");
    for (int i = 0; i < 2; ++i) {
        Run("tick");
        ExpectListMatchesCanvas("Hl tick " + std::to_string(i));
        EXPECT_EQ(Describe(150), before);
    }
    // Two lamps of the signal and the four of its light strip.
    EXPECT_EQ(Describe(650), "Hl 12b. Lampen: 6 × gelb.");
}

// In every system and both phases, with most signals lit, the list stays within its capacity and
// agrees with the canvas.
TEST_F(ColumnsTest, BusyLinesAgreeWithTheCanvas)
{
    for (const char* system : {"HVSystem1", "KsSystem1", "HlSystem1"}) {
        Run(system);
        Run("tick Button34 Button29 Button27 Button12 Button3 Button22 tick*3");
        for (int i = 0; i < 2; ++i) {
            Run("tick");
            ExpectListMatchesCanvas(std::string(system) + " phase " + std::to_string(i));
        }
        Run("Nacht1 tick");
        ExpectListMatchesCanvas(std::string(system) + " at night");
        Run("ag1 Button30 Button11 Button1 Button21 Button28 Button27 tick");
    }
}

// Every panel says what its designation means, as the explanations and the self-test read it, on
// every line a learner makes: each button pressed from the start, and each recipe's way to each
// designation the line shows.
class PanelMeaningTest : public ColumnsTest {
protected:
    std::string Meaning(int panel) const
    {
        return PanelMeaning(form.View().SelectedSystem(), form.View().Panels, form.View().Lights.Lights(), panel);
    }

    void ReadEveryPanel(const std::string& context)
    {
        const System system = form.View().SelectedSystem();
        const Explanation explained = Explain(LineOf(form.View()));
        for (int n = 1; n <= kDesignationPanels; ++n) {
            const std::string& caption = form.View().Panels[n].caption;
            const std::string said = Meaning(n);
            SCOPED_TRACE(context + " / Panel" + std::to_string(n) + " [" + caption + "]: " + said);
            ASSERT_FALSE(said.empty());
            if (caption.empty()) {
                EXPECT_TRUE(said.starts_with("Kein Signalbegriff"));
                continue;
            }
            // One of the table's two readings of the designation, and the one the explanation
            // gives beside the caption where it names it.
            const learn::Meaning* row = FindMeaning(system, caption);
            ASSERT_NE(row, nullptr);
            EXPECT_TRUE(said == row->meaning || (row->announcing && said == row->announcing));
            for (const PanelWhy& why : explained.panels) {
                if (why.panel == n && why.why.find(caption + " (") != std::string::npos) {
                    EXPECT_NE(why.why.find(caption + " (" + said + ")"), std::string::npos) << why.why;
                }
            }
            read[{system, n}].insert(caption);
        }
        // The column sheet lists the captioned panels, or one that says what is lit.
        for (const std::int32_t x : kColumns) {
            const std::vector<int> rows = MeaningPanels(form.View().Panels, x);
            ASSERT_FALSE(rows.empty()) << x;
            if (ColumnAspect(form.View().Panels, form.View().Lights.Lights(), x).empty() || rows.size() > 1
                || !form.View().Panels[rows.front()].caption.empty())
                continue;
            EXPECT_EQ(Meaning(rows.front()), "Kein Signalbegriff (" + ToLower(ColumnLights(form.View().Lights.Lights(), x)) + ")")
                << context << " column " << x;
        }
    }

    static std::string ToLower(std::string text)
    {
        if (text.starts_with("Alle "))
            text[0] = 'a';
        return text;
    }

    std::map<std::pair<System, int>, std::set<std::string>> read;
};

TEST_F(PanelMeaningTest, EveryDesignationTheLineShowsSaysItsMeaning)
{
    ForEveryButtonFromTheStart([&](const std::string& script) { ReadEveryPanel(script); });
    for (const Recipe& recipe : Recipes()) {
        form = MainForm();
        SetUp();
        Run(std::string(NamesOf(recipe.system).menuItem) + " tick");
        // Each press of the way followed by a tick, as the self-test takes it.
        std::string way;
        for (const char* p = recipe.presses; *p; ++p)
            way += *p == ' ' ? std::string(" tick ") : std::string(1, *p);
        Run(way + " tick*3");
        ReadEveryPanel(std::string(NamesOf(recipe.system).menuItem) + " " + recipe.presses);
        const std::set<std::string>& captions = read[std::pair {recipe.system, recipe.panel}];
        EXPECT_TRUE(captions.count(recipe.caption)) << recipe.presses;
    }
}

// Where a distant signal, or a main signal's distant part, shows a designation, it reads as
// announced; a blank line says so without crediting its column's lamps to itself.
TEST_F(PanelMeaningTest, DistantSignalsAnnounceAndBlankLinesSayNothingFalse)
{
    Run("KsSystem1 tick Button31 tick*3");
    EXPECT_EQ(form.View().Panels[12].caption, "Ks 1");
    EXPECT_EQ(Meaning(12), "Fahrt erwarten");
    Run("Button22 tick*3");
    EXPECT_EQ(form.View().Panels[1].caption, "Ks 1");
    EXPECT_EQ(Meaning(1), "Fahrt");
    form = MainForm();
    SetUp();
    Run("HlSystem1 tick");
    EXPECT_EQ(Meaning(2), "Halt erwarten");
    EXPECT_EQ(Meaning(10), "Halt");
    // The Hl entry signal's Zs 13 line is blank, the entry signal's lamp red.
    EXPECT_EQ(Meaning(11), "Kein Signalbegriff");
    EXPECT_EQ(Meaning(8), "Kein Signalbegriff (alle Lampen dunkel)");
    EXPECT_EQ(MeaningPanels(form.View().Panels, 150), (std::vector<int> {10}));
    Run("Button26 tick Button31 tick*3");
    EXPECT_EQ(MeaningPanels(form.View().Panels, 150), (std::vector<int> {10, 11}));
    EXPECT_EQ(Meaning(11), "Stumpfgleis- und Frühhaltanzeiger: Fahrt in ein Stumpfgleis oder in ein Gleis mit verkürztem Einfahrweg");
    EXPECT_EQ(PanelMeaning(System::Hl, form.View().Panels, form.View().Lights.Lights(), 17), "");
}

TEST(LightListTest, SameLampFromTwoRowsIsOneEntry)
{
    LightList list;
    LitLight steady;
    steady.column = 650;
    steady.left = 640;
    steady.right = 647;
    steady.top = 180;
    steady.bottom = 187;
    steady.color = LampColor::Yellow;
    LitLight flashing = steady;
    flashing.blinking = true;
    flashing.burning = false;
    list.Add(flashing);
    list.Add(steady);
    ASSERT_EQ(list.Lights().size(), 1u);
    EXPECT_FALSE(list.Lights()[0].blinking);
    EXPECT_TRUE(list.Lights()[0].burning);

    list.Clear();
    for (std::size_t i = 0; i <= LightList::kCapacity; ++i) {
        steady.left = static_cast<std::int32_t>(i);
        list.Add(steady);
    }
    EXPECT_EQ(list.Lights().size(), LightList::kCapacity);
    EXPECT_TRUE(list.Overflowed());
}

} // namespace
