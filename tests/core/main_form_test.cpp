#include "tests/core/form_script.h"

using namespace lumaro;
using MainFormTest = lumaro::test::FormScript;

TEST_F(MainFormTest, CreateSelectsHVDayColoursAndSetsEverySignalToStop)
{
    EXPECT_TRUE(form.SystemHV);
    EXPECT_FALSE(form.SystemKs || form.SystemHl || form.MayClose || form.Closing);
    EXPECT_EQ(form.WindowColor, clSkyBlue);
    EXPECT_TRUE(form.FirstTick);
    EXPECT_EQ(Flags(1), "Halt");
    EXPECT_EQ(Flags(100), "Halt");
    EXPECT_EQ(Flags(9), "Kennlicht");
    EXPECT_EQ(Flags(29), "Kennlicht");
    EXPECT_EQ(Flags(48), "Kennlicht");
}

TEST_F(MainFormTest, FirstTickTakesTheFocusOffOnceAndEveryTickTogglesTheBlinkPhase)
{
    form.FocusedControl = 30;
    Run("tick");
    EXPECT_EQ(form.FocusedControl, 0);
    EXPECT_FALSE(form.FirstTick);
    EXPECT_TRUE(form.BlinkPhase);
    form.FocusedControl = 30;
    Run("tick");
    EXPECT_EQ(form.FocusedControl, 30);
    EXPECT_FALSE(form.BlinkPhase);
    Run("FormClick");
    EXPECT_EQ(form.FocusedControl, 0);
}

TEST_F(MainFormTest, SystemSelectionSetsFlagsAndMarksAndEmptiesThePanels)
{
    for (int n = 1; n <= 16; ++n)
        form.Panels[n] = PanelState {"Hp 0", "Halt", clRed, clWhite};
    const SignalTable before = form.Signals;
    Run("KsSystem1");
    EXPECT_TRUE(form.SystemKs);
    EXPECT_FALSE(form.SystemHV || form.SystemHl);
    EXPECT_TRUE(form.Menu.KsSystem1);
    EXPECT_FALSE(form.Menu.HVSystem1 || form.Menu.HlSystem1);
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(form.Panels[n].caption + form.Panels[n].hint, "") << n;
        EXPECT_EQ(form.Panels[n].font, clRed) << n;
    }
    EXPECT_EQ(form.Panels[17].caption, "ESig");
    EXPECT_EQ(form.Signals, before);
    EXPECT_FALSE(form.RepaintPending);
    Run("HlSystem1 HlSystem1");
    EXPECT_TRUE(form.SystemHl && form.Menu.HlSystem1);
    EXPECT_FALSE(form.SystemKs || form.Menu.KsSystem1);
}

TEST_F(MainFormTest, DayAndNightRepaintOnlyWhenTheColourChanges)
{
    Run("ag1");
    EXPECT_FALSE(form.RepaintPending);
    Run("Nacht1");
    EXPECT_EQ(form.WindowColor, 0x8B0000u);
    EXPECT_TRUE(form.Menu.Nacht1 && !form.Menu.ag1);
    EXPECT_TRUE(form.RepaintPending);
    Run("paint Nacht1");
    EXPECT_FALSE(form.RepaintPending);
    Run("ag1");
    EXPECT_EQ(form.WindowColor, 0xF0CAA6u);
    EXPECT_TRUE(form.Menu.ag1 && !form.Menu.Nacht1 && form.RepaintPending);
    Run("Gleisplan1 Signalbegriff1 Signalbegriff1");
    EXPECT_FALSE(form.Menu.Gleisplan1);
    EXPECT_TRUE(form.Menu.Signalbegriff1);
}

TEST_F(MainFormTest, CloseRequestEndsTheProgramTenTicksLater)
{
    Run("Beenden1");
    EXPECT_TRUE(form.Closing && form.Notice.visible);
    EXPECT_FALSE(form.Ended);
    EXPECT_EQ(form.NoticeSeconds, 10);
    Run("tick*9");
    EXPECT_EQ(form.NoticeSeconds, 1);
    EXPECT_FALSE(form.Ended || form.MayClose);
    Run("tick");
    EXPECT_TRUE(form.Ended && form.MayClose);
    // The granting request restarted the countdown like every request before it.
    EXPECT_EQ(form.CloseCountdown, 10);

    // Nothing reaches the ended program any more.
    const bool blink = form.BlinkPhase;
    Run("tick");
    EXPECT_EQ(form.BlinkPhase, blink);
    EXPECT_FALSE(form.ClickButton(30));
}

TEST_F(MainFormTest, RepeatedCloseRequestRestartsTheCountdown)
{
    Run("tick*3 Beenden1 tick*5");
    EXPECT_EQ(form.NoticeSeconds, 5);
    EXPECT_EQ(form.CloseCountdown, 5);
    Run("Button31 Beenden1");  // the window stays usable during the countdown
    EXPECT_EQ(form.NoticeSeconds, 10);
    EXPECT_EQ(form.Notice.raises, 2u);
    Run("tick*9");
    EXPECT_FALSE(form.Ended);
    Run("tick");
    EXPECT_TRUE(form.Ended);
}

TEST_F(MainFormTest, InformationWindowsComeToTheFrontOnEveryChoice)
{
    Run("Lzenz1 Lizenz1 Info1 Info1");
    EXPECT_TRUE(form.Manual.visible && form.Licence.visible && form.About.visible);
    EXPECT_EQ(form.About.raises, 2u);
    EXPECT_FALSE(form.MenuCommand("Hilfe1"));
}
