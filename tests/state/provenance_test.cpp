// Where each record's content came from: the start, a button, a rule of the tick (with the records
// it read) or a copy made while drawing. Only a write that changes a record notes its origin.

#include "core/layout.h"
#include "state/propagation.h"
#include "tests/core/form_script.h"
#include "tests/state/line_script.h"

#include <random>
#include <set>
#include <string>
#include <vector>

using namespace lumaro;

namespace {

using ProvenanceOnRecordsTest = lumaro::test::LineScript;

class ProvenanceTest : public lumaro::test::FormScript {
protected:
    // "Start", "Button6", "Rule EntryRelay reads 7 6", "Draw 30 reads 2".
    std::string Origin(int record) const
    {
        const RecordOrigin& o = form.View().Origins[record];
        std::string out;
        switch (o.kind) {
        case OriginKind::Start: return "Start";
        case OriginKind::Button: return "Button" + std::to_string(o.button);
        case OriginKind::Rule: out = std::string("Rule ") + FindRule(o.rule)->name; break;
        case OriginKind::DrawCopy: out = "Draw " + std::to_string(o.element); break;
        }
        if (!o.Reads().empty())
            out += " reads";
        for (int r : o.Reads())
            out += " " + std::to_string(r);
        return out;
    }
};

} // namespace

TEST_F(ProvenanceTest, ButtonsNoteThemselvesOnTheRecordsTheyChange)
{
    // Already at stop: nothing changes, nothing is noted.
    Run("Button11");
    EXPECT_EQ(Origin(7), "Start");
    Run("Button6");
    EXPECT_EQ(Origin(6), "Button6");
    EXPECT_EQ(Origin(24), "Button6");
    EXPECT_EQ(Origin(43), "Button6");
    // Proceeding at the intermediate signal darkens the exit signal: both note the press.
    Run("Button16");
    EXPECT_EQ(Origin(6), "Button16");
    EXPECT_EQ(Origin(7), "Button16");
    // Stop at column 450 stops the entry signal through the entry signal's own command; the
    // record still names the button the user pressed.
    Run("Button35 Button26");
    EXPECT_EQ(Origin(9), "Button26");
    EXPECT_EQ(Origin(14), "Button26");
    EXPECT_EQ(Origin(51), "Button26");
}

TEST_F(ProvenanceTest, RelaysNameTheRuleAndWhatTheyRead)
{
    Run("Button20 Button6 tick");
    // H/V: the intermediate signal is dark, so the entry relay repeats the exit signal.
    EXPECT_EQ(Origin(8), "Rule EntryRelay reads 7 6");
    EXPECT_EQ(Origin(25), "Rule IntermediateRelay reads 24");
    EXPECT_EQ(Origin(44), "Rule IntermediateRelay reads 43");
    // The Ks and Hl entry relays read the intermediate relays before they were refreshed.
    EXPECT_EQ(Origin(33), "Start");
    Run("tick");
    EXPECT_EQ(Origin(33), "Rule EntryRelay reads 26 25");
    EXPECT_EQ(Origin(46), "Rule EntryRelay reads 45 44");
    // A relay that copies what it already holds notes nothing: 8 keeps its origin.
    Run("Button22 tick");
    EXPECT_EQ(Origin(8), "Rule EntryRelay reads 7 6");
}

TEST_F(ProvenanceTest, RulesThatOverrideButtonsNameThemselves)
{
    // The H/V entry signal at "Fahrt" stops by itself once the intermediate signal works.
    Run("Button20 tick Button35 Button11 tick");
    EXPECT_EQ(Origin(7), "Button11");
    EXPECT_EQ(Origin(14), "Rule AutomaticEntryStop reads 7 14");
    EXPECT_EQ(Origin(34), "Rule AutomaticEntryStop reads 7 14");
    // A proceeding exit signal darkens the intermediate signal; shunting there stops it.
    Run("Button12 Button6 tick");
    EXPECT_EQ(Origin(7), "Rule ExitDarkensIntermediate reads 6 7");
    EXPECT_EQ(Origin(45), "Rule ExitDarkensIntermediate reads 43 45");
    Run("Button16 Button7 tick");
    EXPECT_EQ(Origin(26), "Rule ExitStopsIntermediate reads 24 26");
    // Column 450 at stop marks the speed indicators and the Hl entry relay.
    Run("Button26 tick");
    EXPECT_EQ(Origin(11), "Rule Column450AnnouncesStop reads 9");
    EXPECT_EQ(Origin(31), "Rule Column450AnnouncesStop reads 29");
    EXPECT_EQ(Origin(46), "Rule Column450AnnouncesStop reads 48");
    Run("Button27 tick");
    EXPECT_EQ(Origin(11), "Rule Column450MarkersCleared reads 9");
}

// The shunting signal released by an H/V entry signal that is neither at stop nor released it
// itself: a state no button reaches.
TEST_F(ProvenanceOnRecordsTest, ShuntingReleaseNamesItsRule)
{
    Run("Button28");
    R(14) = SignalRecord {.Kmh60 = 1};
    Run("tick");
    const RecordOrigin& o = origins[12];
    EXPECT_EQ(o.kind, OriginKind::Rule);
    EXPECT_EQ(o.rule, RuleId::EntryReleasesShunting);
    EXPECT_EQ(std::vector<int>(o.Reads().begin(), o.Reads().end()), std::vector<int> {14});
}

TEST_F(ProvenanceTest, CopiesWhileDrawingNameTheElementAndItsSource)
{
    // The first paint: the block signal marks itself, the indicator passes the mark on.
    EXPECT_EQ(Origin(2), "Draw 20");
    EXPECT_EQ(Origin(3), "Draw 30 reads 2");
    EXPECT_EQ(Origin(4), "Start");
    Run("Button22 paint");
    EXPECT_EQ(Origin(2), "Button22");
    EXPECT_EQ(Origin(3), "Draw 30 reads 2");
    EXPECT_EQ(Origin(4), "Draw 12 reads 3");
    // The Ks relays of the drawing are refreshed only while Ks is shown.
    EXPECT_EQ(Origin(23), "Start");
    Run("KsSystem1 paint");
    EXPECT_EQ(Origin(22), "Draw 30 reads 21");
    EXPECT_EQ(Origin(23), "Draw 54 reads 22");
}

// The rules note every record they change, as it was before they ran: comparing those alone finds
// what comparing the whole table would.
TEST_F(ProvenanceTest, TheRulesNoteEveryRecordTheyChangeAsItWas)
{
    std::mt19937 random(31);
    const char* systems[] = {"HVSystem1", "KsSystem1", "HlSystem1"};
    int noted = 0;
    for (int run = 0; run < 30; ++run) {
        form = MainForm();
        SetUp();
        Run(systems[run % 3]);
        for (int step = 0; step < 25; ++step) {
            form.ClickButton(kButtons[random() % kButtons.size()].number);
            form.Paint();
            SignalTable table = form.View().Signals;
            RecordOrigins origins = form.View().Origins;
            const SignalTable before = table;
            ChangedRecords changed;
            PropagateStates(table, origins, form.View().SelectedSystem(), &changed);
            for (int n = 1; n <= SignalTable::kCount; ++n) {
                if (!(table[n] == before[n])) {
                    EXPECT_TRUE(changed.Changed(n)) << "record " << n;
                }
                if (changed.Changed(n)) {
                    EXPECT_TRUE(changed.Before(n) == before[n]) << "record " << n;
                    ++noted;
                }
            }
            form.Timer1Timer();
        }
    }
    EXPECT_GT(noted, 0);
}

TEST(RuleTableTest, EveryRuleHasItsOwnNameAndAOneLineContract)
{
    std::set<std::string> names;
    for (const Rule& rule : PropagationRules()) {
        SCOPED_TRACE(rule.name);
        EXPECT_TRUE(names.insert(rule.name).second);
        EXPECT_EQ(FindRule(rule.id), &rule);
        EXPECT_GT(std::string(rule.contract).size(), 20u);
        EXPECT_EQ(std::string(rule.contract).find('\n'), std::string::npos);
    }
    EXPECT_EQ(FindRule(RuleId::None), nullptr);
}
