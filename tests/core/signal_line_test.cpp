// Whole lines of signals driven as a user drives them: what one signal shows reaches the
// signals that announce it, within one paint or through the tick's propagation, and switching
// systems leaves nothing of the other system on the screen.

#include "tests/core/form_script.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace lumaro::test {
namespace {

constexpr Color kGreen = Rgb(144, 238, 144);

class SignalLineTest : public FormScript {
protected:
    Color At(int x, int y) { return form.DrawCanvas().Pixel(x, y); }
    const std::string& Caption(int panel) const { return form.View().Panels[panel].caption; }
};

// The block signal's record reaches the exit signal's distant signal in the paint that shows it:
// the track-change indicator copies record 2 into 3, the distant signal of column 750 copies 3
// into 4, and the distant signal on the exit signal's mast reads 4.
TEST_F(SignalLineTest, BlockSignalReachesTheExitSignalsDistantSignalInOnePaint)
{
    Run("tick Button6 Button22 tick");
    EXPECT_EQ(Caption(1), "Hp 1");
    EXPECT_EQ(Caption(3), "Vr 1 + ZL");
    EXPECT_EQ(Caption(5), "Vr 1");
    EXPECT_EQ(Flags(4), "Fahrt");
    // Column 650's distant signal (anchor 650, 425): both green lamps, no yellow.
    EXPECT_EQ(At(650 + 12, 425 - 192), kGreen);
    EXPECT_EQ(At(650 - 5, 425 - 171), kGreen);
    EXPECT_EQ(At(650 + 5, 425 - 192), clBlack);

    // Back to stop, again within one tick.
    Run("Button21 tick");
    EXPECT_EQ(Caption(3), "Vr 0 + ZL");
    EXPECT_EQ(Caption(5), "Vr 0");
    EXPECT_EQ(At(650 + 5, 425 - 192), clYellow);
    EXPECT_EQ(At(650 - 15, 425 - 171), clYellow);

    // A lit track-change indicator announces a shortened braking distance only; the exit
    // signal's distant signal goes dark.
    Run("Button22 Button25 tick");
    EXPECT_EQ(Caption(2), "Zs 6");
    EXPECT_EQ(Caption(3), "Ke");
    EXPECT_EQ(Caption(5), "");
    EXPECT_EQ(form.View().Panels[5].hint, "dunkel");
}

// The entry signal's distant part announces the exit signal through the propagation of the
// tick while the intermediate signal shows only its identification light.
TEST_F(SignalLineTest, ExitSignalReachesTheEntrySignalsDistantPartThroughThePropagation)
{
    Run("tick Button20 Button3 tick");
    EXPECT_EQ(Flags(8), "Kmh60");
    EXPECT_TRUE(Enabled(35));
    Run("Button35 tick");
    EXPECT_EQ(Caption(10), "Hp 1");
    EXPECT_EQ(Caption(11), "Vr 2 + Zs 3v \"6\"");
    // Code 17 at (150, 405): upper green and lower yellow.
    EXPECT_EQ(At(150 + 12, 405 - 192), kGreen);
    EXPECT_EQ(At(150 - 15, 405 - 171), clYellow);

    // Once the intermediate signal proceeds, the entry signal is stopped by the tick and its
    // distant part goes dark.
    Run("Button16 tick");
    EXPECT_EQ(Flags(14), "Halt");
    EXPECT_FALSE(Enabled(35));
    Run("tick");
    EXPECT_EQ(Caption(10), "Hp 0");
    EXPECT_EQ(Caption(11), "");
    EXPECT_EQ(form.View().Panels[11].hint, "dunkel");
    EXPECT_EQ(At(150 + 12, 405 - 192), clBlack);
}

// A user who switches systems sees each system as if it had been selected from the start with
// the same buttons pressed: nothing drawn, written or copied by the other systems stays.
TEST_F(SignalLineTest, SwitchingSystemsLeavesNothingOfTheOtherSystemBehind)
{
    // Buttons shown in every system.
    const char* presses = "Button22 Button6 Button29 Button27";
    for (const char* system : {"KsSystem1", "HlSystem1", "HVSystem1"}) {
        SCOPED_TRACE(system);
        MainForm direct;
        direct.FormCreate();
        direct.Paint();
        direct.MenuCommand(system);

        MainForm wandering;
        wandering.FormCreate();
        wandering.Paint();
        for (const char* other : {"HVSystem1", "KsSystem1", "HlSystem1"}) {
            wandering.MenuCommand(other);
            wandering.Timer1Timer();
        }
        wandering.MenuCommand(system);

        for (MainForm* f : {&direct, &wandering}) {
            std::istringstream in(presses);
            std::string word;
            while (in >> word)
                EXPECT_TRUE(f->ClickButton(std::stoi(word.substr(6)))) << word;
            // The first tick settles the records the selected system's paint copies, the
            // second shows them.
            f->Timer1Timer();
            f->Timer1Timer();
            f->Timer1Timer();
        }
        // Blink phases may differ by the number of ticks; compare in the same phase.
        if (direct.View().BlinkPhase != wandering.View().BlinkPhase)
            direct.Timer1Timer();
        EXPECT_TRUE(std::equal(direct.DrawCanvas().Pixels(),
                               direct.DrawCanvas().Pixels() + Canvas::kWidth * Canvas::kHeight,
                               wandering.DrawCanvas().Pixels()));
        for (int n = 1; n <= 20; ++n) {
            EXPECT_EQ(direct.View().Panels[n].caption, wandering.View().Panels[n].caption) << n;
            EXPECT_EQ(direct.View().Panels[n].hint, wandering.View().Panels[n].hint) << n;
        }
    }
}

} // namespace
} // namespace lumaro::test
