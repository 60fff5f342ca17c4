// The main window's handlers: creation, the tick, the menu and the close request.

#include "tests/core/form_script.h"

using namespace lumaro;
using MainFormTest = lumaro::test::FormScript;

TEST_F(MainFormTest, CreateSelectsHVDayColoursAndSetsEverySignalToStop)
{
    EXPECT_TRUE((form.View().system == System::HV));
    EXPECT_FALSE((form.View().system == System::Ks) || (form.View().system == System::Hl) || form.View().MayClose || form.View().Closing);
    EXPECT_EQ(form.View().WindowColor, clSkyBlue);
    EXPECT_TRUE(form.View().FirstTick);
    EXPECT_EQ(Flags(1), "Halt");
    EXPECT_EQ(Flags(100), "Halt");
    EXPECT_EQ(Flags(9), "Kennlicht");
    EXPECT_EQ(Flags(29), "Kennlicht");
    EXPECT_EQ(Flags(48), "Kennlicht");
}

TEST_F(MainFormTest, FirstTickTakesTheFocusOffOnceAndEveryTickTogglesTheBlinkPhase)
{
    Run("tick");
    EXPECT_EQ(form.View().FocusedControl, 0);
    EXPECT_FALSE(form.View().FirstTick);
    EXPECT_TRUE(form.View().BlinkPhase);
    Run("tick");
    EXPECT_FALSE(form.View().FirstTick);
    EXPECT_FALSE(form.View().BlinkPhase);
    Run("FormClick");
    EXPECT_EQ(form.View().FocusedControl, 0);
}

TEST_F(MainFormTest, SystemSelectionSetsFlagsAndMarksAndEmptiesThePanels)
{
    // After a tick every designation panel shows something, written in the day's black.
    Run("tick");
    const SignalTable before = form.View().Signals;
    Run("KsSystem1");
    EXPECT_TRUE((form.View().system == System::Ks));
    EXPECT_FALSE((form.View().system == System::HV) || (form.View().system == System::Hl));
    EXPECT_TRUE(form.MenuChecked(*FindMenuItem("KsSystem1")));
    EXPECT_FALSE(form.MenuChecked(*FindMenuItem("HVSystem1")) || form.MenuChecked(*FindMenuItem("HlSystem1")));
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(form.View().Panels[n].caption + form.View().Panels[n].hint, "") << n;
        EXPECT_EQ(form.View().Panels[n].font, clBlack) << n;
    }
    EXPECT_EQ(form.View().Panels[17].caption, "ESig");
    EXPECT_EQ(form.View().Signals, before);
    EXPECT_FALSE(form.View().RepaintPending);
    Run("HlSystem1 HlSystem1");
    EXPECT_TRUE((form.View().system == System::Hl) && form.MenuChecked(*FindMenuItem("HlSystem1")));
    EXPECT_FALSE((form.View().system == System::Ks) || form.MenuChecked(*FindMenuItem("KsSystem1")));
}

TEST_F(MainFormTest, DayAndNightRepaintOnlyWhenTheColourChanges)
{
    Run("ag1");
    EXPECT_FALSE(form.View().RepaintPending);
    Run("Nacht1");
    EXPECT_EQ(form.View().WindowColor, 0x8B0000u);
    EXPECT_TRUE(form.View().Menu.Nacht1 && !form.View().Menu.ag1);
    EXPECT_TRUE(form.View().RepaintPending);
    Run("paint Nacht1");
    EXPECT_FALSE(form.View().RepaintPending);
    Run("ag1");
    EXPECT_EQ(form.View().WindowColor, 0xF0CAA6u);
    EXPECT_TRUE(form.View().Menu.ag1 && !form.View().Menu.Nacht1 && form.View().RepaintPending);
    Run("Gleisplan1 Signalbegriff1 Signalbegriff1");
    EXPECT_FALSE(form.View().Menu.Gleisplan1);
    EXPECT_TRUE(form.View().Menu.Signalbegriff1);
}

TEST_F(MainFormTest, CloseRequestEndsTheProgramTenTicksLater)
{
    Run("Beenden1");
    EXPECT_TRUE(form.View().Closing && form.View().Notice.visible);
    EXPECT_FALSE(form.View().Ended);
    EXPECT_EQ(form.View().NoticeSeconds, 10);
    Run("tick*9");
    EXPECT_EQ(form.View().NoticeSeconds, 1);
    EXPECT_FALSE(form.View().Ended || form.View().MayClose);
    Run("tick");
    EXPECT_TRUE(form.View().Ended && form.View().MayClose);
    // The granting request restarted the countdown like every request before it.
    EXPECT_EQ(form.View().CloseCountdown, 10);

    // Nothing reaches the ended program any more.
    const bool blink = form.View().BlinkPhase;
    Run("tick");
    EXPECT_EQ(form.View().BlinkPhase, blink);
    EXPECT_FALSE(form.ClickButton(30));
}

TEST_F(MainFormTest, RepeatedCloseRequestRestartsTheCountdown)
{
    Run("tick*3 Beenden1 tick*5");
    EXPECT_EQ(form.View().NoticeSeconds, 5);
    EXPECT_EQ(form.View().CloseCountdown, 5);
    Run("Button31 Beenden1");  // the window stays usable during the countdown
    EXPECT_EQ(form.View().NoticeSeconds, 10);
    EXPECT_EQ(form.View().Notice.raises, 2u);
    Run("tick*9");
    EXPECT_FALSE(form.View().Ended);
    Run("tick");
    EXPECT_TRUE(form.View().Ended);
}

TEST_F(MainFormTest, InformationWindowsComeToTheFrontOnEveryChoice)
{
    Run("Lzenz1 Lizenz1 Info1 Info1");
    EXPECT_TRUE(form.View().Manual.visible && form.View().Licence.visible && form.View().About.visible);
    EXPECT_EQ(form.View().About.raises, 2u);
    EXPECT_FALSE(form.MenuCommand("Hilfe1"));
}
