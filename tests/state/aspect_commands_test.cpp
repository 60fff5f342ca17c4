// The button handlers, checked on the records they write. No tick runs unless a script says so,
// so these expectations hold whatever the paint copies into the drawing-time relay records.

#include "tests/core/form_script.h"
#include "tests/state/line_script.h"

using namespace lumaro;
using AspectCommandsTest = lumaro::test::FormScript;
// The commands on records in states no button reaches.
using AspectCommandsOnRecordsTest = lumaro::test::LineScript;

TEST_F(AspectCommandsOnRecordsTest, SettingAnAspectClearsTheOtherAspectsButKeepsTheMarkers)
{
    R(6).Gwb = R(6).Aux12 = R(6).Aux13 = 1;
    Run("Button3 Button6");
    EXPECT_EQ(Flags(6), "Fahrt Gwb Aux12 Aux13");
    EXPECT_EQ(Flags(24), "Fahrt");
    EXPECT_EQ(Flags(43), "Fahrt");
    Run("Button10");
    EXPECT_EQ(Flags(6), "Kennlicht Gwb Aux12 Aux13");
    EXPECT_EQ(Flags(7), "Halt");
}

TEST_F(AspectCommandsTest, EntrySignalAspectsReleaseTheHVAndKsShuntingSignals)
{
    const struct { const char* button; const char* aspect; } rows[] = {
        {"Button31", "Kmh40"}, {"Button32", "Kmh60"}, {"Button34", "Kmh100"},
        {"Button35", "Fahrt"}, {"Button36", "Ersatz"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.button);
        Run("Button28");
        Run(row.button);
        EXPECT_EQ(Flags(14), row.aspect);
        EXPECT_EQ(Flags(34), row.aspect);
        EXPECT_EQ(Flags(51), row.aspect);
        EXPECT_EQ(Flags(12), "Rangier");
        EXPECT_EQ(Flags(32), "Rangier");
        EXPECT_EQ(Flags(50), "Halt");
    }
    // No caution aspect in Hl, but "Vorsicht" releases the shunting signal like the others;
    // "Halt" does not take it back.
    Run("Button36 Button28 Button37");
    EXPECT_EQ(Flags(14), "Vorsicht");
    EXPECT_EQ(Flags(51), "Ersatz");
    EXPECT_EQ(Flags(12), "Rangier");
    EXPECT_EQ(Flags(32), "Rangier");
    Run("Button30");
    EXPECT_EQ(Flags(14), "Halt");
    EXPECT_EQ(Flags(51), "Halt");
    EXPECT_EQ(Flags(12), "Rangier");
}

TEST_F(AspectCommandsOnRecordsTest, ShuntingStopStopsTheHVAndKsEntrySignalOnly)
{
    Run("Button35 Button29");
    R(14).Rangier = R(14).Kennlicht = 1;  // never set by a button, and left alone by this one
    EXPECT_EQ(Flags(50), "Rangier");
    Run("Button28");
    EXPECT_EQ(Flags(12), "Halt");
    EXPECT_EQ(Flags(32), "Halt");
    EXPECT_EQ(Flags(50), "Halt");
    EXPECT_EQ(Flags(14), "Halt Rangier Kennlicht");
    EXPECT_EQ(Flags(34), "Halt");
    EXPECT_EQ(Flags(51), "Fahrt");
}

TEST_F(AspectCommandsTest, StopInColumn450StopsTheEntrySignalInEverySystem)
{
    Run("HlSystem1 Button35 Button26");
    EXPECT_EQ(Flags(9), "Halt");
    EXPECT_EQ(Flags(29), "Halt");
    EXPECT_EQ(Flags(48), "Halt");
    EXPECT_EQ(Flags(14), "Halt");
    EXPECT_EQ(Flags(34), "Halt");
    EXPECT_EQ(Flags(51), "Halt");
    EXPECT_EQ(Flags(12), "Rangier");
    EXPECT_EQ(form.View().FocusedControl, 0);
    Run("Button27");
    EXPECT_EQ(Flags(9), "Kennlicht");
    EXPECT_EQ(Flags(48), "Kennlicht");
    EXPECT_EQ(Flags(14), "Halt");
}

TEST_F(AspectCommandsTest, ExitAndIntermediateSignalNeverBothShowTheirAspect)
{
    Run("Button6 Button16");
    EXPECT_EQ(Flags(7), "Fahrt");
    EXPECT_EQ(Flags(6), "Kennlicht");
    EXPECT_EQ(Flags(24), "Kennlicht");
    EXPECT_EQ(Flags(43), "Kennlicht");
    Run("Button12");
    EXPECT_EQ(Flags(45), "Kmh40");
    Run("Button10");
    EXPECT_EQ(Flags(6), "Kennlicht");
    EXPECT_EQ(Flags(26), "Halt");
    Run("Button20");
    EXPECT_EQ(Flags(45), "Kennlicht");
    EXPECT_EQ(Flags(43), "Halt");
}

TEST_F(AspectCommandsOnRecordsTest, ExitStopResetsOnlyAProceedingIntermediateSignal)
{
    R(45).Gwb = 1;
    Run("Button16 Button1");
    EXPECT_EQ(Flags(7), "Halt");
    EXPECT_EQ(Flags(45), "Halt Gwb");
    Run("Button12 Button1");
    EXPECT_EQ(Flags(26), "Halt");
    for (const char* keeps : {"Button17", "Button18", "Button19", "Button20"}) {
        SCOPED_TRACE(keeps);
        Run(keeps);
        const std::string before = Flags(7);
        Run("Button1");
        EXPECT_EQ(Flags(7), before);
        EXPECT_EQ(Flags(6), "Halt");
    }
}

TEST_F(AspectCommandsTest, CautionLeavesTheHlRecordsAlone)
{
    Run("Button6 Button17 Button36");
    Run("Button9 Button19 Button37");
    EXPECT_EQ(Flags(6), "Vorsicht");
    EXPECT_EQ(Flags(26), "Vorsicht");
    EXPECT_EQ(Flags(34), "Vorsicht");
    EXPECT_EQ(Flags(43), "Fahrt");
    EXPECT_EQ(Flags(45), "Rangier");
    EXPECT_EQ(Flags(51), "Ersatz");
}

TEST_F(AspectCommandsTest, TrackChangeButtonsOfBothColumnsSwitchTheSameRecords)
{
    Run("Button25");
    EXPECT_EQ(R(3).Gwb + R(22).Gwb, 2);
    EXPECT_EQ(Flags(43), "Halt Gwb");
    Run("HlSystem1 paint Button13");
    EXPECT_EQ(R(3).Gwb + R(22).Gwb + R(43).Gwb, 0);
    Run("Button14 KsSystem1 paint Button24 Button25 HVSystem1");
    EXPECT_EQ(R(3).Gwb + R(22).Gwb + R(43).Gwb, 3);
}

TEST_F(AspectCommandsOnRecordsTest, BlockSignalButtonsWriteOnlyTheirThreeAspects)
{
    R(41).Aux12 = R(41).Kmh60 = 1;
    Run("Button23");
    EXPECT_EQ(Flags(41), "Kmh60 Ersatz Aux12");
    Run("Button22");
    EXPECT_EQ(Flags(21), "Fahrt");
    EXPECT_EQ(R(2).Fahrt + R(2).Halt + R(2).Ersatz, 1);
    Run("Button21");
    EXPECT_EQ(Flags(41), "Halt Kmh60 Aux12");
}

TEST_F(AspectCommandsTest, OnlyVisibleEnabledAspectButtonsCanBeClicked)
{
    // Stop in column 450 disables "100 km/h" and "Fahrt" of the entry signal at the next tick.
    Run("Button26 tick");
    const SignalTable start = form.View().Signals;
    for (int n : {-1, 0, 4, 15, 33, 38})
        EXPECT_FALSE(form.ClickButton(n)) << n;
    EXPECT_FALSE(form.ClickButton(34));
    EXPECT_FALSE(form.ClickButton(35));
    Run("HlSystem1 paint");
    for (int n : {9, 19, 37, 24, 25})
        EXPECT_FALSE(form.ClickButton(n)) << n;
    EXPECT_EQ(form.View().Signals, start);
    EXPECT_TRUE(form.ClickButton(14));
    EXPECT_EQ(form.View().FocusedControl, 0);
}

TEST_F(AspectCommandsTest, VisibilityFollowsTheSelectedSystem)
{
    auto visible = [&] {
        std::string out;
        for (int n : {9, 13, 14, 19, 24, 25, 37, 1, 30})
            out += Visible(n) ? '1' : '0';
        return out;
    };
    // Every paint applies the visibility of the selected system.
    EXPECT_EQ(visible(), "100111111");
    Run("KsSystem1 paint");
    EXPECT_EQ(visible(), "100111111");
    Run("HlSystem1 paint");
    EXPECT_EQ(visible(), "011000011");
    Run("HVSystem1 paint");
    EXPECT_EQ(visible(), "100111111");
}
