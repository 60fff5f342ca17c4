// The speed line, rule by rule, each in the three systems; and properties of every line the
// buttons can reach.

#include "core/driver.h"
#include "core/layout.h"
#include "learn/fahrt.h"
#include "learn/random.h"
#include "learn/speed_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>

using namespace lumaro;
using namespace lumaro::learn;

namespace {

// The same aspects in the words of each system.
struct Words {
    System system;
    const char* proceed;
    const char* kmh40;
    const char* kmh60;
    int lastSwitch;
};

constexpr std::array<Words, 3> kSystems = {{
    {System::HV, "Hp 1", "Hp 2", "Hp 2 + Zs 3 \"6\"", 910},
    {System::Ks, "Ks 1", "Ks 1 + Zs 3 \"4\"", "Ks 1 + Zs 3 \"6\"", 910},
    {System::Hl, "Hl 1", "Hl 3a", "Hl 3b", 810},
}};

const char* Name(System s) { return s == System::HV ? "HV" : s == System::Ks ? "Ks" : "Hl"; }

using Captions = std::initializer_list<std::pair<int, std::string>>;

// Every main signal proceeds unless `captions` ({panel, caption}) say otherwise.
SpeedLine LineOf(const Words& w, Captions captions, int trainLength = 30, PlatformStop platform = PlatformStop::Pass)
{
    std::array<PanelState, kDesignationPanelCount + 1> panels;
    for (int panel : {10, 6, 4, 1})
        panels[panel].caption = w.proceed;
    for (const auto& [panel, caption] : captions)
        panels[panel].caption = caption;
    return ComputeSpeedLine(w.system, panels, {trainLength, platform});
}

std::string Number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// "0-50:160 50-150:160>40 ...": every piece, a ramp with its start and end speed.
std::string Shape(const SpeedLine& line)
{
    std::string out;
    for (const SpeedPiece& p : line.pieces) {
        out += out.empty() ? "" : " ";
        out += std::to_string(p.from) + "-" + std::to_string(p.to) + ":" + Number(p.fromKmh);
        if (p.toKmh != p.fromKmh)
            out += ">" + Number(p.toKmh);
    }
    return out;
}

std::string Parts(const SpeedLine& line)
{
    std::string out;
    for (const TrainLengthPart& part : line.trainLengthParts)
        out += (out.empty() ? "" : " ") + std::to_string(part.from) + "-" + std::to_string(part.to);
    return out;
}

std::string S(int v) { return std::to_string(v); }

TEST(FahrtTest, ExampleLineWithItsReasonsAndTrainLengthPart)
{
    const SpeedLine line = LineOf(kSystems[0], {{10, "Hp 2"}, {4, "Ke"}});
    EXPECT_EQ(Shape(line), "0-50:160 50-150:160>40 150-580:40 580-1000:160");
    EXPECT_EQ(Parts(line), "550-580");
    EXPECT_EQ(line.pieces[2].why,
              "Einfahrsignal zeigt Hp 2: 40 km/h im Weichenbereich, bis die letzte Achse das Zwischensignal passiert hat.");
    EXPECT_EQ(line.pieces[2].spoken, "von Einfahrsignal bis Zwischensignal plus Zuglänge: 40 km/h, weil Hp 2");
    EXPECT_EQ(line.pieces[1].spoken, "von Vorsignal des Einfahrsignals bis Einfahrsignal: bremsen von 160 auf 40 km/h, weil Hp 2");
    EXPECT_EQ(line.pieces[2].column, 150);
    EXPECT_EQ(line.pieces[1].kind, PieceKind::Ramp);
    EXPECT_EQ(PermittedSpeedAt(line, 100), 100);
}

TEST(FahrtTest, EntryRangeEndsWithTheLastAxleAtTheNextValidMainSignal)
{
    for (const Words& w : kSystems) {
        SCOPED_TRACE(Name(w.system));
        EXPECT_EQ(Shape(LineOf(w, {{10, w.kmh40}})), "0-50:160 50-150:160>40 150-580:40 580-1000:160");
        // A dark intermediate signal is no signal for this train: the range runs to the exit.
        EXPECT_EQ(Shape(LineOf(w, {{10, w.kmh40}, {6, "Ke"}})), "0-50:160 50-150:160>40 150-680:40 680-1000:160");
        EXPECT_EQ(Shape(LineOf(w, {{10, w.kmh40}, {6, "Ke"}, {4, "Ke"}})),
                  "0-50:160 50-150:160>40 150-980:40 980-1000:160");
    }
}

TEST(FahrtTest, IntermediateAndExitRangesEndBehindTheLastSwitchWhenNoMainSignalLiesBetween)
{
    for (const Words& w : kSystems) {
        SCOPED_TRACE(Name(w.system));
        const std::string last = S(w.lastSwitch + 30);
        EXPECT_EQ(Shape(LineOf(w, {{6, w.kmh60}})), "0-450:160 450-550:160>60 550-680:60 680-1000:160");
        EXPECT_EQ(Shape(LineOf(w, {{6, w.kmh60}, {4, "Ke"}})),
                  "0-450:160 450-550:160>60 550-" + last + ":60 " + last + "-1000:160");
        EXPECT_EQ(Shape(LineOf(w, {{4, w.kmh40}})),
                  "0-550:160 550-650:160>40 650-" + last + ":40 " + last + "-1000:160");
        EXPECT_EQ(Shape(LineOf(w, {{1, w.kmh40}})), "0-850:160 850-950:160>40 950-1000:40");
    }
    EXPECT_NE(LineOf(kSystems[2], {{4, "Hl 3a"}}).pieces[2].why.find("Konvention"), std::string::npos);
}

TEST(FahrtTest, Zs1HoldsUntilTheWholeTrainHasPassedForEveryTrainLength)
{
    for (const Words& w : kSystems) {
        SCOPED_TRACE(Name(w.system));
        const std::pair<int, const char*> cases[] = {
            {0, "0-50:160 50-150:160>40 150-650:40 650-1000:160"},
            {30, "0-50:160 50-150:160>40 150-680:40 680-1000:160"},
            {60, "0-50:160 50-150:160>40 150-710:40 710-1000:160"},
        };
        for (const auto& [length, shape] : cases)
            EXPECT_EQ(Shape(LineOf(w, {{10, "Hp 0 + Zs 1"}, {6, "Ke"}}, length)), shape) << "L = " << length;
        const SpeedLine exit = LineOf(w, {{4, "Hp 0 + Zs 1"}}, 60);
        EXPECT_EQ(Shape(exit), "0-550:160 550-650:160>40 650-" + S(w.lastSwitch + 60) + ":40 "
                                   + S(w.lastSwitch + 60) + "-1000:160");
        EXPECT_NE(exit.pieces[2].why.find("letzte Weiche"), std::string::npos);
        const SpeedLine block = LineOf(w, {{1, "Hp 0 + Zs 1"}});
        EXPECT_EQ(Shape(block), "0-850:160 850-950:160>40 950-1000:40");
        EXPECT_NE(block.pieces[2].why.find("Konvention"), std::string::npos);
    }
}

TEST(FahrtTest, Zs7RunsOnSightUntil400mPastTheNextMainSignalOrTheWholeTrainMore)
{
    for (const Words& w : {kSystems[0], kSystems[1]}) {
        SCOPED_TRACE(Name(w.system));
        const std::pair<int, const char*> cases[] = {
            {0, "0-50:160 50-150:160>40 150-690:40 690-1000:160"},
            {30, "0-50:160 50-150:160>40 150-690:40 690-1000:160"},
            {60, "0-50:160 50-150:160>40 150-710:40 710-1000:160"},
        };
        for (const auto& [length, shape] : cases)
            EXPECT_EQ(Shape(LineOf(w, {{10, "Hp 0 + Zs 7"}, {6, "Ke"}}, length)), shape) << "L = " << length;
        // At the exit signal the next main signal is the block signal.
        EXPECT_EQ(Shape(LineOf(w, {{4, "Hp 0 + Zs 7"}}, 30)), "0-550:160 550-650:160>40 650-990:40 990-1000:160");
        EXPECT_EQ(Shape(LineOf(w, {{4, "Hp 0 + Zs 7"}}, 100)), "0-550:160 550-650:160>40 650-1000:40");
        const SpeedLine line = LineOf(w, {{10, "Hp 0 + Zs 7"}});
        EXPECT_EQ(line.pieces[2].kind, PieceKind::OnSight);
        EXPECT_NE(line.pieces[2].why.find("auf Sicht"), std::string::npos);
    }
}

TEST(FahrtTest, PlatformStopShortensTheEntryRangeButNeverZs1)
{
    for (const Words& w : kSystems) {
        SCOPED_TRACE(Name(w.system));
        const SpeedLine speed = LineOf(w, {{10, w.kmh40}}, 30, PlatformStop::Stop);
        EXPECT_EQ(Shape(speed), "0-50:160 50-150:160>40 150-440:40 440-540:40>0 540-1000:160");
        EXPECT_EQ(speed.pieces[3].cause, "Halt am Bahnsteig");
        EXPECT_EQ(Parts(speed), "");
        EXPECT_EQ(Shape(LineOf(w, {{10, "Hp 0 + Zs 1"}}, 30, PlatformStop::Stop)),
                  "0-50:160 50-150:160>40 150-440:40 440-540:40>0 540-580:40 580-1000:160");
        EXPECT_EQ(Shape(LineOf(w, {}, 30, PlatformStop::Stop)), "0-440:160 440-540:160>0 540-1000:160");
    }
}

TEST(FahrtTest, StopsAtMainSignalsSperrsignalAndColumn450)
{
    for (const Words& w : kSystems) {
        SCOPED_TRACE(Name(w.system));
        EXPECT_EQ(Shape(LineOf(w, {{10, "Hp 0"}})), "0-50:160 50-150:160>0 150-1000:0");
        EXPECT_EQ(Shape(LineOf(w, {{7, "Hp 0"}})), "0-350:160 350-450:160>0 450-1000:0");
        EXPECT_EQ(Shape(LineOf(w, {{7, "Ke"}})), "0-1000:160");
        // The block signal at stop; the intermediate signal's 40 holds up to its braking ramp.
        EXPECT_EQ(Shape(LineOf(w, {{1, "Hp 0"}, {6, w.kmh40}})),
                  "0-450:160 450-550:160>40 550-680:40 680-850:160 850-950:160>0 950-1000:0");
    }
    for (const Words& w : {kSystems[0], kSystems[1]}) {
        EXPECT_EQ(Shape(LineOf(w, {{9, "Hp 0"}})), "0-150:160 150-250:160>0 250-1000:0");
        EXPECT_EQ(Shape(LineOf(w, {{9, "Sh 1"}})), "0-1000:160");
    }
    EXPECT_EQ(Shape(LineOf(kSystems[2], {{9, "Ra 12"}})), "0-1000:160");
}

TEST(FahrtTest, StandAloneZs3EndsTheEntrySpeedAfterTheTrainButLeavesZs1)
{
    for (const Words& w : {kSystems[0], kSystems[1]}) {
        SCOPED_TRACE(Name(w.system));
        // Lowering: 20 km/h from the indicator to the end of the entry signal's range.
        EXPECT_EQ(Shape(LineOf(w, {{10, w.kmh40}, {8, "Zs 3 \"2\""}})),
                  "0-50:160 50-150:160>40 150-250:40 250-350:40>20 350-580:20 580-1000:160");
        // Raising: the entry's 40 holds until the last axle has passed the indicator.
        const SpeedLine raised = LineOf(w, {{10, w.kmh40}, {8, "Zs 3 \"6\""}});
        EXPECT_EQ(Shape(raised), "0-50:160 50-150:160>40 150-380:40 380-580:60 580-1000:160");
        EXPECT_EQ(Parts(raised), "350-380 550-580");
        EXPECT_EQ(Shape(LineOf(w, {{10, "Hp 0 + Zs 1"}, {8, "Zs 3 \"6\""}})),
                  "0-50:160 50-150:160>40 150-580:40 580-1000:160");
    }
    // The Hl line has no indicator in column 350: its panel is never read there.
    EXPECT_EQ(Shape(LineOf(kSystems[2], {{8, "Zs 3 \"2\""}})), "0-1000:160");
}

TEST(FahrtTest, RampsNeverClimbFirst)
{
    for (const Words& w : kSystems) {
        SCOPED_TRACE(Name(w.system));
        // The line would rise at 580 and drop again at 650: it holds the 40 instead.
        const SpeedLine hold = LineOf(w, {{10, w.kmh40}, {4, w.kmh40}});
        EXPECT_EQ(Shape(hold), "0-50:160 50-150:160>40 150-580:40 580-650:40 650-" + S(w.lastSwitch + 30) + ":40 "
                                   + S(w.lastSwitch + 30) + "-1000:160");
        EXPECT_NE(hold.pieces[3].why.find("Nicht beschleunigen"), std::string::npos);
        // Braking to a stop starts from the 40 the train is running, not from 160.
        EXPECT_EQ(Shape(LineOf(w, {{10, w.kmh40}, {4, "Hp 0"}})),
                  "0-50:160 50-150:160>40 150-550:40 550-650:40>0 650-1000:0");
    }
}

TEST(FahrtTest, EmptyMainSignalPanelSaysItCannotBeReadAndAssumesHalt)
{
    std::array<PanelState, kDesignationPanelCount + 1> empty;
    const SpeedLine line = ComputeSpeedLine(System::Ks, empty);
    EXPECT_TRUE(line.unreadable);
    EXPECT_EQ(Shape(line), "0-50:160 50-150:160>0 150-1000:0");
    EXPECT_EQ(line.pieces[2].why, "Der Begriff des Einfahrsignals ist nicht zu lesen (leere Tafel): Halt angenommen.");
    EXPECT_FALSE(LineOf(kSystems[1], {}).unreadable);
}

// Lines reached by random button presses and ticks from the start, in every system.
class FahrtPropertyTest : public ::testing::Test {
protected:
    static SpeedLine LineOfForm(const FormState& form, int length, PlatformStop platform)
    {
        return ComputeSpeedLine(form.SelectedSystem(), form.Panels, {length, platform});
    }

    static void ExpectWellFormed(const SpeedLine& line, const std::string& context)
    {
        ASSERT_FALSE(line.pieces.empty()) << context;
        EXPECT_EQ(line.pieces.front().from, 0) << context;
        EXPECT_EQ(line.pieces.back().to, kLineEnd) << context;
        for (std::size_t i = 0; i < line.pieces.size(); ++i) {
            const SpeedPiece& p = line.pieces[i];
            EXPECT_LT(p.from, p.to) << context;
            if (i > 0) {
                EXPECT_EQ(p.from, line.pieces[i - 1].to) << context;
            }
            for (double v : {p.fromKmh, p.toKmh}) {
                EXPECT_GE(v, 0) << context;
                EXPECT_LE(v, kLineSpeed) << context;
            }
            if (p.kind == PieceKind::Ramp)
                EXPECT_LE(p.toKmh, p.fromKmh) << context << " ramp " << p.from << "-" << p.to;
            else
                EXPECT_EQ(p.toKmh, p.fromKmh) << context;
            EXPECT_FALSE(p.why.empty()) << context;
        }
    }

    // The chart as the window and the page draw it: every wide constant piece names its speed
    // within itself, and no label's text meets an axis value's (texts taken as 6 pixels a
    // character, the axis's values 10 pixels high).
    static void ExpectChartReadable(const SpeedLine& line, const std::string& context)
    {
        const SpeedChart chart = ChartOf(line);
        for (const SpeedPiece& piece : line.pieces) {
            const bool labelled = std::any_of(chart.labels.begin(), chart.labels.end(), [&](const ChartLabel& label) {
                return label.left >= piece.from && label.right == piece.to;
            });
            if (piece.kind != PieceKind::Ramp && piece.to - piece.from >= 60) {
                EXPECT_TRUE(labelled) << context << ": piece " << piece.from << "-" << piece.to;
            }
        }
        for (const ChartLabel& label : chart.labels) {
            const double centre = (label.left + label.right) / 2.0;
            const double half = 3.0 * static_cast<double>(label.text.size());
            for (const ChartAxisMark& mark : chart.axis) {
                const bool rows = label.top < mark.y + 5 && mark.y - 5 < label.top + kChartLabelHeight;
                const bool columns = centre - half < mark.labelX + 6.0 * std::to_string(mark.kmh).size();
                EXPECT_FALSE(rows && columns) << context << ": \"" << label.text << "\" at " << label.left << " meets "
                                              << mark.kmh;
            }
        }
    }

    // The same line with the aspects that mean nothing for a train's speed taken away.
    static std::array<PanelState, kDesignationPanelCount + 1> WithoutMarkers(std::span<const PanelState> panels)
    {
        std::array<PanelState, kDesignationPanelCount + 1> out;
        for (int n = 1; n <= kDesignationPanelCount; ++n) {
            std::string caption = panels[n].caption;
            for (const char* marker : {" + Sh 1", " + Ra 12"})
                if (const auto at = caption.find(marker); at != std::string::npos)
                    caption.erase(at);
            if (caption == "+ ZL" || caption == "Zs 6" || caption == "Zs 13")
                caption.clear();
            out[n].caption = caption;
        }
        return out;
    }
};

TEST_F(FahrtPropertyTest, EveryReachableLineIsCoveredBoundedAndIgnoresMarkers)
{
    constexpr std::array kSystemMenus = {"HVSystem1", "KsSystem1", "HlSystem1"};
    Random random(31);
    for (int run = 0; run < 60; ++run) {
        Driver driver;
        driver.Start();
        driver.MenuCommand(kSystemMenus[run % 3]);
        driver.Tick();
        std::string script = kSystemMenus[run % 3];
        for (int step = 0; step < 12; ++step) {
            const int button = 1 + static_cast<int>(random.Below(kMaxButtonNumber));
            if (driver.ClickButton(button))
                script += " Button" + std::to_string(button);
            driver.Tick();
            script += " tick";
            const int length = static_cast<int>(random.Below(kMaxTrainLength + 1));
            const PlatformStop platform = random.Below(2) ? PlatformStop::Stop : PlatformStop::Pass;
            const SpeedLine line = LineOfForm(driver.View(), length, platform);
            const std::string context = script + " (L = " + std::to_string(length) + ")";
            ExpectWellFormed(line, context);
            ExpectChartReadable(line, context);
            const auto plain = WithoutMarkers(driver.View().Panels);
            EXPECT_EQ(Shape(ComputeSpeedLine(driver.View().SelectedSystem(), plain, {length, platform})), Shape(line))
                << context;
            if (HasFailure())
                return;
        }
    }
}

} // namespace

namespace {

// Where a train's head is after `seconds` of running, whether it still runs, and where it
// waited (-1: nowhere).
struct TrainEnd {
    double head;
    bool running;
    double waitedAt;
};

TrainEnd TrainAfter(const SpeedLine& line, int seconds)
{
    TrainRun train;
    double waitedAt = -1;
    for (int ms = 0; ms < seconds * 1000 && train.running; ms += 30) {
        AdvanceTrain(line, train, 30);
        if (train.waitMs > 0)
            waitedAt = train.head;
    }
    return {train.head, train.running, waitedAt};
}

TEST(FahrtTest, TrainStandsAtTheFirstStopWaitsAtThePlatformAndLeavesAtTheEnd)
{
    const TrainEnd atSignal = TrainAfter(LineOf(kSystems[0], {{6, "Hp 0"}}), 60);
    EXPECT_EQ(atSignal.head, 550);
    EXPECT_TRUE(atSignal.running);
    const TrainEnd before450 = TrainAfter(LineOf(kSystems[2], {{7, "Hp 0"}}, 30, PlatformStop::Stop), 60);
    EXPECT_EQ(before450.head, 450);
    EXPECT_EQ(before450.waitedAt, -1);
    const TrainEnd through = TrainAfter(LineOf(kSystems[1], {{10, "Ks 1 + Zs 3 \"4\""}}, 30, PlatformStop::Stop), 60);
    EXPECT_EQ(through.waitedAt, kPlatformStop);
    EXPECT_FALSE(through.running);
    EXPECT_GE(through.head - 30, kLineEnd);
    // The whole line at line speed takes a few seconds.
    EXPECT_FALSE(TrainAfter(LineOf(kSystems[1], {}), 4).running);
}

} // namespace
