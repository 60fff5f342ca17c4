// The explanations of the designation panels, checked on situations a user makes with the
// buttons: where each aspect comes from, which panels caused it, and that the sentence names
// every cause's caption as that panel reads.

#include "learn/explain.h"
#include "learn/line_of_form.h"
#include "learn/columns.h"
#include "learn/why_texts.h"
#include "tests/core/form_script.h"

#include "core/layout.h"

#include <iostream>
#include <random>
#include <set>
#include <vector>

using namespace lumaro;
using learn::WhySource;

namespace {

struct Expect {
    int panel;
    const char* aspect;
    WhySource source;
    std::vector<int> causes;
};

struct Situation {
    const char* script;     // the user's actions from the start
    std::vector<Expect> panels;
};

class ExplainTest : public test::FormScript {
protected:
    learn::Explanation Explain() const { return learn::Explain(learn::LineOf(form.View())); }

    // Checks one panel of the explanation, and that its sentence names every cause as it reads.
    void Check(const learn::Explanation& e, const Expect& expect, const char* script)
    {
        SCOPED_TRACE(std::string(script) + " / Panel" + std::to_string(expect.panel));
        const learn::PanelWhy* found = nullptr;
        for (const learn::PanelWhy& p : e.panels)
            if (p.panel == expect.panel)
                found = &p;
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->aspect, expect.aspect);
        EXPECT_EQ(learn::SourceName(found->source), learn::SourceName(expect.source)) << found->why;
        EXPECT_EQ(found->causes, expect.causes) << found->why;
        for (std::size_t i = 0; i < found->causes.size(); ++i) {
            const std::string& named = found->then.empty() ? form.View().Panels[found->causes[i]].caption : found->then[i];
            EXPECT_NE(found->why.find(named), std::string::npos) << "Panel" << found->causes[i] << " in: " << found->why;
        }
    }

    void CheckAll(const std::vector<Situation>& situations)
    {
        for (const Situation& s : situations) {
            TearDown();
            form = MainForm();
            SetUp();
            Run(s.script);
            const learn::Explanation e = Explain();
            for (const Expect& expect : s.panels)
                Check(e, expect, s.script);
        }
    }
};

constexpr WhySource Start = WhySource::Start;
constexpr WhySource Hand = WhySource::Hand;
constexpr WhySource Follows = WhySource::Follows;
constexpr WhySource Rule = WhySource::Rule;

TEST_F(ExplainTest, HVAspectsNameTheirSourceAndCauses)
{
    CheckAll({
        {"tick", {{10, "Hp 0", Start, {}}, {7, "Ke", Start, {}}, {12, "Vr 0", Follows, {10}},
                  {3, "Vr 0 + ZL", Follows, {1}}}},
        {"Button22 tick", {{1, "Hp 1", Hand, {}}, {3, "Vr 1 + ZL", Follows, {1}}}},
        {"Button25 tick tick", {{2, "Zs 6", Hand, {}}, {3, "Ke", Follows, {2}}}},
        {"Button6 tick", {{4, "Hp 1", Hand, {}}, {5, "Vr 0", Follows, {1}}}},
        // A non-stop entry signal releases the shunting signal behind it.
        {"Button31 tick", {{10, "Hp 2", Hand, {}}, {9, "Sh 1", Rule, {10}}, {12, "Vr 2", Follows, {10}},
                           {11, "Vr 0", Follows, {6}}}},
        {"Button34 tick", {{10, "Hp 1 + Zs 3 \"10\"", Hand, {}}, {12, "Vr 1", Follows, {10}},
                           {15, "+ Zs 3v \"10\"", Follows, {10}}}},
        // While the intermediate signal is dark, the entry signal announces the exit signal.
        {"Button20 Button3 tick Button35 tick tick",
         {{6, "Ke", Hand, {}}, {4, "Hp 2 + Zs 3 \"6\"", Hand, {}}, {10, "Hp 1", Hand, {}},
          {11, "Vr 2 + Zs 3v \"6\"", Follows, {6, 4}}}},
        // Proceeding at the intermediate signal switches the exit signal to its identification light.
        {"Button16 tick", {{6, "Hp 1", Hand, {}}, {4, "Ke", Rule, {6}}}},
        {"Button16 Button20 tick", {{4, "Hp 0", Rule, {6}}}},
        {"Button16 tick Button1 tick", {{6, "Hp 0", Rule, {4}}}},
        {"Button10 tick", {{4, "Ke", Hand, {}}}},
        // Column 450 at stop: the entry signal stops, the indicator shows 20 km/h.
        {"Button31 tick Button26 tick tick",
         {{7, "Hp 0", Hand, {}}, {10, "Hp 0", Rule, {7}}, {8, "Zs 3 \"2\"", Rule, {7}}}},
        {"Button26 tick Button31 tick tick",
         {{11, "Vr 0 + Zs 3v \"2\"", Follows, {7}}, {13, "+ ZL", Follows, {7, 6}}}},
        {"Button31 tick Button28 tick", {{9, "Hp 0", Hand, {}}, {10, "Hp 0", Rule, {9}}}},
    });
}

// The rules that act by themselves each name the signal that set them off.
TEST_F(ExplainTest, AutomaticRulesNameTheirCause)
{
    CheckAll({
        // H/V: "Fahrt" at the entry signal is taken back while the intermediate signal works.
        {"Button20 tick Button35 tick Button11 tick tick", {{10, "Hp 0", Rule, {6}}}},
        // The exit and the intermediate signal never proceed together.
        {"Button12 tick Button6 tick tick", {{6, "Ke", Rule, {4}}, {4, "Hp 1", Hand, {}}}},
        {"Button16 tick Button7 tick tick", {{6, "Hp 0", Rule, {4}}, {4, "Hp 0 + Sh 1", Hand, {}}}},
        {"KsSystem1 Button16 tick Button8 tick tick", {{6, "Hp 0", Rule, {4}}}},
        {"HlSystem1 Button12 tick Button5 tick tick", {{6, "Ke", Rule, {4}}}},
    });
}

TEST_F(ExplainTest, KsAspectsNameTheirSourceAndCauses)
{
    CheckAll({
        {"KsSystem1 tick", {{1, "Hp 0", Start, {}}, {3, "Ks 2 + ZL", Follows, {1}}, {12, "Ks 2", Follows, {10}}}},
        // The block signal announces a signal beyond the line.
        {"KsSystem1 Button22 tick", {{1, "Ks 1", Follows, {}}, {3, "Ks 1", Follows, {1}}}},
        {"KsSystem1 Button2 tick", {{4, "Ks 2 + Zs 3 \"4\"", Follows, {1}}}},
        {"KsSystem1 Button25 Button6 tick tick", {{4, "Ks 1", Follows, {2}}, {3, "Ke", Follows, {2}}}},
        {"KsSystem1 Button16 Button3 Button32 tick tick tick",
         {{6, "Ke", Rule, {4}}, {10, "Ks 1 + Zs 3 \"6\"", Follows, {6, 4}}, {15, "+ Zs 3v \"6\"", Follows, {10}}}},
        // Ks 1 blinks because the next main signal allows less; Zs 3v announces it.
        {"KsSystem1 Button20 Button3 tick Button35 tick tick tick",
         {{10, "Ks 1", Follows, {6, 4}}, {11, "+ Zs 3v \"6\"", Follows, {6, 4}}}},
        {"KsSystem1 Button20 Button2 tick Button32 tick tick tick",
         {{11, "+ Zs 3 \"6\"", Hand, {}}, {14, "+ Zs 3v \"4\"", Follows, {6, 4}}}},
        {"KsSystem1 Button26 tick Button31 tick tick",
         {{14, "+ Zs 3v \"2\"", Follows, {7}}, {8, "Zs 3 \"2\"", Rule, {7}}, {10, "Ks 2 + Zs 3 \"4\"", Follows, {7}}}},
        {"KsSystem1 Button29 tick", {{9, "Sh 1", Hand, {}}}},
    });
}

TEST_F(ExplainTest, HlAspectsNameTheirSourceAndCauses)
{
    CheckAll({
        {"HlSystem1 tick", {{9, "Ra 11a", Start, {}}, {2, "Hl 10", Follows, {1}}}},
        {"HlSystem1 Button22 tick", {{1, "Hl 1", Follows, {}}, {2, "Hl 1", Follows, {1}}}},
        {"HlSystem1 Button6 tick tick", {{4, "Hl 10", Follows, {1}}}},
        {"HlSystem1 tick Button14 Button6 tick tick", {{4, "Hl 1", Follows, {5}}, {5, "Zs 6", Hand, {}}}},
        // The dark exit signal hands its track change to the intermediate signal.
        {"HlSystem1 tick Button14 Button16 tick tick tick", {{16, "Zs 6", Follows, {4}}, {6, "Hl 1", Follows, {16}}}},
        {"HlSystem1 Button26 tick Button31 tick tick", {{11, "Zs 13", Follows, {7}}, {10, "Hl 12a", Follows, {7}}}},
        {"HlSystem1 Button20 Button5 tick Button32 tick tick tick", {{10, "Hl 6b", Follows, {6, 4}}}},
        {"HlSystem1 Button29 tick", {{9, "Ra 12", Hand, {}}}},
    });
}

// Every aspect button of every system, pressed as a user would: the panel of its column then
// shows what the button set, explained as set by hand or, where the aspect also announces the
// signal ahead, as following it; never as the work of a rule.
TEST_F(ExplainTest, EveryButtonsAspectIsExplainedAsTheUsersOwn)
{
    const char* systems[] = {"HVSystem1", "KsSystem1", "HlSystem1"};
    for (const char* system : systems) {
        for (const ButtonDef& button : kButtons) {
            form = MainForm();
            SetUp();
            // The entry signal's "Fahrt" waits for a dark intermediate signal.
            Run(std::string(system) + " Button20 tick");
            if (!form.View().Buttons[button.number].visible)
                continue;
            SCOPED_TRACE(std::string(system) + " Button" + std::to_string(button.number));
            ASSERT_TRUE(form.ClickButton(button.number));
            Run("tick tick tick");
            const int column = button.left + kButtonWidth / 2 - (button.left + kButtonWidth / 2) % 100 + 50;
            const learn::LineView line = learn::LineOf(form.View());
            const int panel = learn::PanelOfColumn(line, column);
            if (panel == 0)
                continue;   // "Dunkel" of the track-change indicator leaves its panel empty
            const auto why = learn::ExplainPanel(line, panel);
            ASSERT_TRUE(why);
            SCOPED_TRACE(why->aspect + ": " + why->why);
            EXPECT_NE(why->source, WhySource::Rule);
            EXPECT_EQ(why->causes.empty(), why->source != WhySource::Follows || why->panel == 1);
            for (int cause : why->causes)
                EXPECT_NE(why->why.find(form.View().Panels[cause].caption), std::string::npos);
        }
    }
}

// A relay that has not yet taken over a change says so instead of naming a wrong reason.
TEST_F(ExplainTest, ALateRelaySaysItFollowsAtTheNextTick)
{
    Run("Button20 tick Button35 tick tick Button6 tick");
    const auto why = learn::ExplainPanel(learn::LineOf(form.View()), 11);
    ASSERT_TRUE(why);
    EXPECT_EQ(why->aspect, "Vr 0");
    EXPECT_NE(why->why.find("nächsten Takt"), std::string::npos) << why->why;
    EXPECT_NE(why->why.find("Hp 1"), std::string::npos) << why->why;
}

// Random button sequences in every system: every panel with a caption is explained, with a
// meaning, without a placeholder left, with a cause wherever it follows or a rule acted, and the
// explanation leaves the line as it was.
TEST_F(ExplainTest, EverySituationIsExplainedCompletely)
{
    std::mt19937 random(20261208);
    const char* systems[] = {"HVSystem1", "KsSystem1", "HlSystem1"};
    for (int run = 0; run < 120; ++run) {
        TearDown();
        form = MainForm();
        SetUp();
        form.MenuCommand(systems[run % 3]);
        for (int step = 0; step < 10; ++step) {
            form.ClickButton(kButtons[random() % kButtons.size()].number);
            form.Timer1Timer();
            const SignalTable before = form.View().Signals;
            const auto panels = form.View().Panels;
            const learn::Explanation e = Explain();
            ASSERT_EQ(form.View().Signals, before);
            int listed = 0;
            for (int n = 1; n <= kDesignationPanelCount; ++n)
                listed += !form.View().Panels[n].caption.empty();
            ASSERT_EQ(int(e.panels.size()), listed);
            for (const learn::PanelWhy& p : e.panels) {
                SCOPED_TRACE("Panel" + std::to_string(p.panel) + " " + p.aspect + ": " + p.why);
                ASSERT_EQ(p.aspect, panels[p.panel].caption);
                ASSERT_NE(learn::MeaningOf(p.aspect, false), nullptr);
                ASSERT_FALSE(p.signal.empty());
                ASSERT_EQ(p.why.find('{'), std::string::npos);
                ASSERT_FALSE(p.why.empty());
                const bool beyond = p.panel == 1;
                if ((p.source == WhySource::Follows || p.source == WhySource::Rule) && !beyond) {
                    ASSERT_FALSE(p.causes.empty());
                }
                if (p.source == WhySource::Start || p.source == WhySource::Hand) {
                    ASSERT_TRUE(p.causes.empty());
                }
                // A rule's entry names what its causes showed when it acted; any other what they show.
                ASSERT_EQ(p.then.size(), p.source == WhySource::Rule ? p.causes.size() : 0u);
                for (std::size_t i = 0; i < p.causes.size(); ++i) {
                    const std::string& named = p.then.empty() ? panels[p.causes[i]].caption : p.then[i];
                    ASSERT_NE(p.why.find(named), std::string::npos) << "Panel" << p.causes[i];
                }
            }
        }
    }
}

// Reads every explanation of the line as a learner reads it beside the screen.
class LearnerReadingTest : public ExplainTest {
protected:
    // Whether `rest` begins with what a panel of column `x` shows, as a whole ("Hp 0" is not the
    // beginning of "Hp 0 + Zs 1"), or with a description of a signal without its designation.
    bool TrueOfColumn(std::string_view rest, int x) const
    {
        for (const std::string_view lead : {"noch ", "auch "})
            if (rest.starts_with(lead))
                rest.remove_prefix(lead.size());
        if (rest.starts_with("nur Kennlicht ("))
            return rest.substr(15).starts_with("Ke)") && TrueOfColumn("Ke", x);
        if (rest.starts_with("keinen Signalbegriff ("))
            return true;
        for (int n : learn::ColumnPanels(x)) {
            const std::string& caption = form.View().Panels[n].caption;
            if (!caption.empty() && rest.starts_with(caption) && !rest.substr(caption.size()).starts_with(" +"))
                return true;
        }
        return false;
    }

    // Every "<signal> zeigt <designation>" is true of the panels now, no designation is empty,
    // and a promise of the next tick is kept.
    void ReadAsLearner(const std::string& context)
    {
        const System system = form.View().SelectedSystem();
        for (const learn::PanelWhy& p : Explain().panels) {
            SCOPED_TRACE(context + " / Panel" + std::to_string(p.panel) + " " + p.aspect + ": " + p.why);
            texts.insert(p.why);
            for (const char* empty : {"zeigt :", "zeigt ,", "zeigt .", "zeigt ;", "zeigt  ", "()", "„“", " auf ("})
                EXPECT_EQ(p.why.find(empty), std::string::npos) << empty;
            for (const int x : learn::kColumns) {
                std::string name = learn::SignalWithArticle(system, x, learn::Case::Nominative);
                if (name.empty())
                    continue;
                for (int upper = 0; upper < 2; ++upper) {
                    if (upper)
                        name[0] = static_cast<char>(name[0] - 'a' + 'A');
                    const std::string says = name + " zeigt ";
                    for (auto at = p.why.find(says); at != std::string::npos; at = p.why.find(says, at + 1))
                        EXPECT_TRUE(TrueOfColumn(std::string_view(p.why).substr(at + says.size()), x))
                            << "untrue: " << p.why.substr(at, 60);
                }
            }
            if (p.why.find("nächsten Takt") != std::string::npos) {
                MainForm next = form;
                next.Timer1Timer();
                EXPECT_NE(next.View().Panels[p.panel].caption, p.aspect) << "the next tick changes nothing";
            }
        }
    }

    static std::set<std::string> texts;
};

std::set<std::string> LearnerReadingTest::texts;

TEST_F(LearnerReadingTest, EveryButtonFromTheStartAndLongRandomSequences)
{
    const char* systems[] = {"HVSystem1", "KsSystem1", "HlSystem1"};
    ForEveryButtonFromTheStart([&](const std::string& script) { ReadAsLearner(script); });
    std::mt19937 random(26);
    for (int run = 0; run < 60; ++run) {
        form = MainForm();
        SetUp();
        std::string script = systems[run % 3];
        form.MenuCommand(script);
        for (int step = 0; step < 40; ++step) {
            const int button = kButtons[random() % kButtons.size()].number;
            if (form.ClickButton(button))
                script += " Button" + std::to_string(button);
            // Now and then two presses between ticks, or a tick more.
            if (random() % 4 != 0) {
                form.Timer1Timer();
                script += " tick";
                ReadAsLearner(script);
            }
            if (::testing::Test::HasFailure())
                return;
        }
    }
    std::cout << "[ texts    ] " << texts.size() << " distinct explanations read\n";
}

// A rule's entry tells the event with what its causes showed then, not what they show now.
TEST_F(ExplainTest, ARulesEntryNamesItsCausesAsTheyWereThen)
{
    Run("tick Button12 tick Button17 tick");
    const auto exit = learn::ExplainPanel(learn::LineOf(form.View()), 4);
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->aspect, "Ke");
    EXPECT_EQ(exit->source, WhySource::Rule);
    EXPECT_EQ(exit->causes, std::vector<int> {6});
    EXPECT_EQ(exit->then, std::vector<std::string> {"Hp 2"});
    EXPECT_NE(exit->why.find("Als das Zwischensignal Hp 2 zeigte"), std::string::npos) << exit->why;
    EXPECT_EQ(exit->why.find("Hp 0 + Sh 1"), std::string::npos) << exit->why;

    // A press's second effect: the shunting signal's stop took the entry signal to stop; it shows
    // Sh 1 again by now.
    form = MainForm();
    SetUp();
    Run("KsSystem1 tick Button32 tick tick tick Button28 tick tick tick Button29 tick tick tick");
    const auto entry = learn::ExplainPanel(learn::LineOf(form.View()), 10);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->then, std::vector<std::string> {"Hp 0"});
    EXPECT_NE(entry->why.find("Als das Sperrsignal auf Hp 0 gestellt wurde"), std::string::npos) << entry->why;
}

TEST_F(ExplainTest, AColumnSpeaksThroughItsFirstCaptionedPanel)
{
    Run("HlSystem1 tick Button14 Button6 tick tick");
    const learn::LineView line = learn::LineOf(form.View());
    EXPECT_EQ(learn::PanelOfColumn(line, 650), 4);
    EXPECT_EQ(learn::PanelOfColumn(line, 750), 4);
    EXPECT_EQ(learn::PanelOfColumn(line, 350), 0);
    EXPECT_EQ(learn::PanelOfColumn(line, 150), 10);
    EXPECT_FALSE(learn::ExplainPanel(line, 8));
    EXPECT_FALSE(learn::ExplainPanel(line, 17));
}

// The line's cache answers from memory while nothing it reads changed, and anew after a change.
TEST_F(ExplainTest, TheCacheFollowsTheLine)
{
    learn::PanelWhyCache cache;
    Run("tick");
    const auto first = cache.Explain(learn::LineOf(form.View()), 10);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->source, WhySource::Start);
    Run("tick");
    EXPECT_EQ(cache.Explain(learn::LineOf(form.View()), 10)->why, first->why);
    Run("Button31 tick");
    const auto& changed = cache.Explain(learn::LineOf(form.View()), 10);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->aspect, "Hp 2");
    EXPECT_EQ(changed->why, learn::ExplainPanel(learn::LineOf(form.View()), 10)->why);
    EXPECT_EQ(cache.Explain(learn::LineOf(form.View()), 12)->aspect, "Vr 2");
    Run("KsSystem1 tick");
    EXPECT_EQ(cache.Explain(learn::LineOf(form.View()), 12)->aspect, "Ks 1");
}

TEST(ExplainPanelTest, ColumnsAndPanels)
{
    EXPECT_EQ(learn::PanelColumn(1), 950);
    EXPECT_EQ(learn::PanelColumn(13), 150);
    EXPECT_EQ(learn::PanelColumn(16), 550);
    EXPECT_EQ(learn::PanelColumn(17), 0);
    EXPECT_STREQ(learn::ColumnSignal(System::Hl, 850), "Vorsignal des Blocksignals");
    EXPECT_STREQ(learn::ColumnSignal(System::Ks, 850), "Gegengleisanzeiger");
    EXPECT_EQ(learn::ColumnSignal(System::Hl, 350), nullptr);
    EXPECT_EQ(learn::SignalWithArticle(System::HV, 350, learn::Case::Accusative), "den Geschwindigkeitsanzeiger");
}

} // namespace
