// The tick's propagation, checked on the records it reads and writes. Records that elements copy
// while they are drawn (3, 4, 15, 22, 23, 36 except Fahrt, 42, 53) are set by hand only while
// another system is shown, so the paint leaves them alone.

#include "tests/core/form_script.h"
#include "tests/state/line_script.h"

using namespace lumaro;
using PropagationTest = lumaro::test::FormScript;
// The rules on records in states no button reaches.
using PropagationOnRecordsTest = lumaro::test::LineScript;

TEST_F(PropagationOnRecordsTest, FirstTickRelaysStopAndLocksFahrtOfTheHVEntrySignal)
{
    R(40).Halt = R(40).Ersatz = 1;
    Run("tick");
    EXPECT_EQ(Flags(8), "Halt Aux13");
    EXPECT_EQ(Flags(25), "Halt");
    EXPECT_EQ(Flags(33), "Halt Aux13");
    EXPECT_EQ(Flags(44), "Halt");
    EXPECT_EQ(Flags(46), "Halt");
    EXPECT_EQ(Flags(12), "Halt");
    EXPECT_EQ(Flags(40), "Fahrt Ersatz");
    EXPECT_EQ(R(36).Fahrt, 1);
    EXPECT_FALSE(Enabled(35));
    EXPECT_TRUE(Enabled(34));
}

TEST_F(PropagationTest, EntryRelaysOfKsAndHlLagOneTickBehindADarkIntermediateSignal)
{
    Run("Button20 Button6 tick");
    EXPECT_EQ(Flags(8), "Fahrt");
    EXPECT_EQ(Flags(25), "Fahrt");
    EXPECT_EQ(Flags(44), "Fahrt");
    EXPECT_EQ(Flags(33), "Halt");
    EXPECT_EQ(Flags(46), "Halt");
    EXPECT_TRUE(Enabled(35));
    Run("tick");
    EXPECT_EQ(Flags(33), "Fahrt");
    EXPECT_EQ(Flags(46), "Fahrt");
}

TEST_F(PropagationOnRecordsTest, DarkSignalsRelayWhatTheyAnnounce)
{
    // Ks: exit and intermediate signal dark; the track-change flag reaches 25 but not 33.
    // Hl: the exit signal dark hands its track-change flag to the intermediate signal.
    Run("Button25 Button10");
    R(23) = SignalRecord {.Fahrt = 1, .Gwb = 1};
    R(26) = SignalRecord {.Kennlicht = 1};
    R(42) = SignalRecord {.Kmh60 = 1};
    Run("tick");
    EXPECT_EQ(Flags(25), "Fahrt Gwb");
    EXPECT_EQ(Flags(33), "Halt");
    EXPECT_EQ(Flags(44), "Kmh60");
    EXPECT_EQ(Flags(45), "Halt Gwb");
    EXPECT_EQ(Flags(46), "Halt");
    Run("tick");
    EXPECT_EQ(Flags(33), "Fahrt");
    Run("Button6 tick");
    EXPECT_EQ(Flags(44), "Fahrt");
    EXPECT_EQ(Flags(45), "Halt");
}

TEST_F(PropagationTest, StopInColumn450AnnouncesStopWithMarkersAndLocksTheEntryButtons)
{
    Run("Button16 Button26 tick");
    EXPECT_EQ(Flags(8), "Halt Gwb Aux13");
    EXPECT_EQ(Flags(11), "Halt Gwb");
    EXPECT_EQ(Flags(31), "Halt Aux12");
    EXPECT_EQ(Flags(33), "Halt Aux12 Aux13");
    EXPECT_EQ(Flags(46), "Halt Aux12");
    for (const char* system : {"HVSystem1", "KsSystem1", "HlSystem1"}) {
        SCOPED_TRACE(system);
        Run(system);
        Run("tick");
        EXPECT_FALSE(Enabled(34));
        EXPECT_FALSE(Enabled(35));
    }
    Run("Button27 tick");
    EXPECT_EQ(Flags(8), "Fahrt Aux13");
    EXPECT_EQ(Flags(11), "Halt");
    EXPECT_EQ(Flags(31), "Halt");
    EXPECT_EQ(Flags(33), "Fahrt");
    EXPECT_EQ(Flags(46), "Fahrt");
    EXPECT_TRUE(Enabled(34));
    EXPECT_TRUE(Enabled(35));
}

TEST_F(PropagationTest, FahrtOfTheEntrySignalIsAvailableByIntermediateStatePerSystem)
{
    Run("Button16 tick");  // intermediate signals at "Fahrt"
    EXPECT_FALSE(Enabled(35));
    Run("KsSystem1 tick");
    EXPECT_TRUE(Enabled(35));
    Run("Button19 tick");  // Ks intermediate at "Vorsicht", Hl still at "Fahrt"
    EXPECT_FALSE(Enabled(35));
    Run("HlSystem1 tick");
    EXPECT_FALSE(Enabled(35));
    Run("Button20 tick");
    EXPECT_TRUE(Enabled(35));
    Run("HVSystem1 tick");
    EXPECT_TRUE(Enabled(35));
}

TEST_F(PropagationTest, HVEntrySignalAtFahrtStopsByItselfOnceTheIntermediateSignalWorks)
{
    Run("Button20 tick Button35 Button11 tick");
    EXPECT_EQ(Flags(14), "Halt");
    EXPECT_EQ(Flags(34), "Halt");
    EXPECT_EQ(Flags(51), "Halt");
    EXPECT_EQ(Flags(12), "Rangier");
    EXPECT_EQ(form.View().FocusedControl, 0);
    for (const char* system : {"KsSystem1", "HlSystem1"}) {
        SCOPED_TRACE(system);
        Run(system);
        Run("Button20 tick Button35 Button11 tick");
        EXPECT_EQ(Flags(34), "Fahrt");
        EXPECT_EQ(Flags(51), "Fahrt");
    }
}

TEST_F(PropagationTest, ProceedingExitSignalDarkensOrStopsTheIntermediateSignal)
{
    // The relay of this tick still sees the intermediate signal at 40 km/h.
    Run("Button12 Button6 tick");
    EXPECT_EQ(Flags(7), "Kennlicht");
    EXPECT_EQ(Flags(26), "Kennlicht");
    EXPECT_EQ(Flags(45), "Kennlicht");
    EXPECT_EQ(Flags(8), "Kmh40 Aux13");
    EXPECT_EQ(Flags(14), "Halt");
    Run("tick");
    EXPECT_EQ(Flags(8), "Fahrt");

    Run("Button16 Button7 tick");
    EXPECT_EQ(Flags(7), "Halt");
    EXPECT_EQ(Flags(45), "Halt");
    Run("Button16 Button9 tick");  // no caution at the Hl exit signal
    EXPECT_EQ(Flags(26), "Halt");
    EXPECT_EQ(Flags(45), "Fahrt");
}

TEST_F(PropagationTest, ShortenedDistanceMarkersOfTheEntryRelays)
{
    Run("Button16 tick");
    EXPECT_EQ(R(8).Aux13, 1);
    EXPECT_EQ(R(33).Aux13, 0);  // column 450 dark, intermediate at "Fahrt"
    Run("Button12 tick");
    EXPECT_EQ(R(33).Aux13, 1);
    Run("Button26 Button31 tick");
    EXPECT_EQ(R(33).Aux13, 0);  // 40 km/h at intermediate and entry signal
    Run("Button27 Button20 tick");
    EXPECT_EQ(R(8).Aux13, 0);
    EXPECT_EQ(R(33).Aux13, 0);
}

TEST_F(PropagationOnRecordsTest, OnlyTheHVEntrySignalReleasesItsShuntingSignalEachTick)
{
    R(14) = SignalRecord {.Kmh60 = 1};
    R(34) = SignalRecord {.Kmh60 = 1};
    Run("tick");
    EXPECT_EQ(Flags(12), "Rangier");
    EXPECT_EQ(Flags(32), "Halt");
}
