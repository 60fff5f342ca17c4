// Cost of a full paint of each signal system against the memory floor: the fastest way this
// machine clears a buffer of the canvas's size.

#include "core/main_form.h"
#include "learn/explain.h"
#include "learn/fahrt.h"
#include "learn/line_of_form.h"
#include "state/aspect_commands.h"
#include "state/propagation.h"
#include "tools/bench/floor.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace lumaro;

namespace {

// With repetitions: the fastest one, the run least disturbed by other work on the machine.
double Fastest(const std::vector<double>& runs)
{
    return runs.empty() ? 0.0 : *std::min_element(runs.begin(), runs.end());
}

// The floor, each way in its own benchmark; the fastest is the baseline.
void BM_Floor(benchmark::State& state, bench::FloorWay way)
{
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(Canvas::kWidth) * Canvas::kHeight);
    for (auto _ : state)
        bench::ClearFloor(way, pixels.data(), pixels.size(), clSkyBlue);
}
BENCHMARK_CAPTURE(BM_Floor, loop, bench::FloorWay::Loop)->ComputeStatistics("min", Fastest);
BENCHMARK_CAPTURE(BM_Floor, memset, bench::FloorWay::Memset)->ComputeStatistics("min", Fastest);
BENCHMARK_CAPTURE(BM_Floor, wmemset, bench::FloorWay::Wmemset)->ComputeStatistics("min", Fastest);

void BM_Erase(benchmark::State& state)
{
    Canvas canvas;
    for (auto _ : state) {
        // Drawn whole each time: a frame equal to the one shown is not drawn again.
        canvas.DrawNextFrameWhole();
        canvas.Erase(clSkyBlue);
        benchmark::DoNotOptimize(canvas.Draw().Pixels());
    }
}
BENCHMARK(BM_Erase)->ComputeStatistics("min", Fastest);

// A paint is drawn again only where its frame differs from the last; `whole` draws every frame
// from the erase on, as the first paint after start, a change of system or of day and night do.
void PaintSystem(benchmark::State& state, const char* system, bool whole)
{
    static MainForm form; // large; one instance per process is enough
    form.FormCreate();
    form.MenuCommand(system);
    for (auto _ : state) {
        if (whole)
            form.DrawNextPaintWhole();
        form.Paint();
        benchmark::DoNotOptimize(form.DrawCanvas().Pixels());
    }
}

void BM_PaintHV(benchmark::State& state) { PaintSystem(state, "HVSystem1", false); }
void BM_PaintKs(benchmark::State& state) { PaintSystem(state, "KsSystem1", false); }
void BM_PaintHl(benchmark::State& state) { PaintSystem(state, "HlSystem1", false); }
void BM_PaintHVWhole(benchmark::State& state) { PaintSystem(state, "HVSystem1", true); }
void BM_PaintKsWhole(benchmark::State& state) { PaintSystem(state, "KsSystem1", true); }
void BM_PaintHlWhole(benchmark::State& state) { PaintSystem(state, "HlSystem1", true); }
BENCHMARK(BM_PaintHV)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PaintKs)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PaintHl)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PaintHVWhole)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PaintKsWhole)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PaintHlWhole)->ComputeStatistics("min", Fastest);

// The busiest line of a system: every signal proceeding with a speed indication where it has
// one, the shunting signal and the identification light on, the track change set, at night. The
// buttons are pressed as a user would, left to right, except that the intermediate signal comes
// before the exit signal: proceeding there switches the exit signal to its identification light,
// which the exit signal's own button then overrides.
struct BusiestLine {
    const char* system;
    std::array<int, 7> buttons;
};
// Entry 100 km/h, shunting signal "Rangier", column 450 "Kennlicht", intermediate 40 km/h, exit
// 100 km/h, track change on, block signal "Fahrt".
constexpr BusiestLine kBusiestHV {"HVSystem1", {34, 29, 27, 12, 5, 25, 22}};
// As H/V, but the exit signal at 60 km/h, so that the intermediate and the entry signal both
// announce a lower speed with a blinking green.
constexpr BusiestLine kBusiestKs {"KsSystem1", {34, 29, 27, 12, 3, 25, 22}};
// As Ks, with the track change of the Hl exit signal (column 750): the exit signal's yellow light
// strip and its "Zs 6" dots lit, the intermediate and entry signals' upper yellow lamps flashing.
constexpr BusiestLine kBusiestHl {"HlSystem1", {34, 29, 27, 12, 3, 14, 22}};

// A form showing the busiest line; nullptr, with the benchmark skipped, when a button is missing.
std::unique_ptr<MainForm> BusiestForm(benchmark::State& state, const BusiestLine& line)
{
    auto form = std::make_unique<MainForm>();
    form->FormCreate();
    form->MenuCommand(line.system);
    form->Paint(); // shows the buttons of the system
    for (int button : line.buttons)
        if (!form->ClickButton(button)) {
            state.SkipWithError(("button " + std::to_string(button) + " is not there").c_str());
            return nullptr;
        }
    form->MenuCommand("Nacht1");
    return form;
}

// The busiest paint, with the blinking lamps in their lit phase.
void PaintBusiest(benchmark::State& state, const BusiestLine& line, bool whole = false)
{
    const auto form = BusiestForm(state, line);
    if (!form)
        return;
    // Ticks carry the aspects along the line (the propagation runs after each tick's paint); an
    // odd count leaves BlinkPhase at 1, the phase in which the blinking lamps are lit.
    constexpr int kSettleTicks = 5;
    for (int i = 0; i < kSettleTicks; ++i)
        form->Timer1Timer();
    if (!form->View().BlinkPhase) {
        state.SkipWithError("blinking lamps are not in their lit phase");
        return;
    }
    for (auto _ : state) {
        if (whole)
            form->DrawNextPaintWhole();
        form->Paint();
        benchmark::DoNotOptimize(form->DrawCanvas().Pixels());
    }
}

void BM_PaintHVBusiest(benchmark::State& state) { PaintBusiest(state, kBusiestHV); }
void BM_PaintKsBusiest(benchmark::State& state) { PaintBusiest(state, kBusiestKs); }
void BM_PaintHlBusiest(benchmark::State& state) { PaintBusiest(state, kBusiestHl); }
void BM_PaintHVBusiestWhole(benchmark::State& state) { PaintBusiest(state, kBusiestHV, true); }
BENCHMARK(BM_PaintHVBusiest)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PaintHVBusiestWhole)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PaintKsBusiest)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PaintHlBusiest)->ComputeStatistics("min", Fastest);

// One timer tick of a system's busiest scene: the paint, then the propagation. The blink phase
// alternates, so blinking lamps (none in the H/V scene) are drawn lit and dark in turn.
void TickBusiest(benchmark::State& state, const BusiestLine& line)
{
    const auto form = BusiestForm(state, line);
    if (!form)
        return;
    for (auto _ : state) {
        form->Timer1Timer();
        benchmark::DoNotOptimize(form->DrawCanvas().Pixels());
    }
}
void BM_TickBusiest(benchmark::State& state) { TickBusiest(state, kBusiestHV); }
void BM_TickBusiestKs(benchmark::State& state) { TickBusiest(state, kBusiestKs); }
void BM_TickBusiestHl(benchmark::State& state) { TickBusiest(state, kBusiestHl); }
BENCHMARK(BM_TickBusiest)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_TickBusiestKs)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_TickBusiestHl)->ComputeStatistics("min", Fastest);

// The same tick with the "Warum" line kept up to date as the window keeps it: after the tick, the
// explanation of the panel under the mouse (the entry signal's distant part, which follows the
// signals ahead through the relays), and of every panel as --explain writes it.
void TickExplained(benchmark::State& state, bool everyPanel)
{
    const auto form = BusiestForm(state, kBusiestHV);
    if (!form)
        return;
    learn::PanelWhyCache line;
    for (auto _ : state) {
        form->Timer1Timer();
        if (everyPanel)
            benchmark::DoNotOptimize(learn::Explain(learn::LineOf(form->View())));
        else
            benchmark::DoNotOptimize(line.Explain(learn::LineOf(form->View()), 11));
        benchmark::DoNotOptimize(form->DrawCanvas().Pixels());
    }
}
void BM_TickBusiestWhyLine(benchmark::State& state) { TickExplained(state, false); }
void BM_TickBusiestExplainAll(benchmark::State& state) { TickExplained(state, true); }
BENCHMARK(BM_TickBusiestWhyLine)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_TickBusiestExplainAll)->ComputeStatistics("min", Fastest);

// The tick with the speed line kept up to date after it, as the window and the page do while
// "Fahrt zeigen" is on; and the speed line computed afresh, on the same line.
void BM_TickBusiestFahrt(benchmark::State& state)
{
    const auto form = BusiestForm(state, kBusiestHV);
    if (!form)
        return;
    learn::SpeedLineCache line;
    for (auto _ : state) {
        form->Timer1Timer();
        benchmark::DoNotOptimize(line.Get(form->SelectedSystem(), form->View().Panels, {30, learn::PlatformStop::Stop}));
        benchmark::DoNotOptimize(form->DrawCanvas().Pixels());
    }
}
void BM_SpeedLine(benchmark::State& state)
{
    const auto form = BusiestForm(state, kBusiestHV);
    if (!form)
        return;
    form->Timer1Timer();
    for (auto _ : state)
        benchmark::DoNotOptimize(learn::ComputeSpeedLine(form->SelectedSystem(), form->View().Panels,
                                                         {30, learn::PlatformStop::Stop}));
}
// What keeping the line costs after a tick that changed no caption: the comparison alone.
void BM_SpeedLineKept(benchmark::State& state)
{
    const auto form = BusiestForm(state, kBusiestHV);
    if (!form)
        return;
    form->Timer1Timer();
    learn::SpeedLineCache line;
    for (auto _ : state)
        benchmark::DoNotOptimize(line.Get(form->SelectedSystem(), form->View().Panels, {30, learn::PlatformStop::Stop}));
}
BENCHMARK(BM_TickBusiestFahrt)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_SpeedLineKept)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_SpeedLine)->ComputeStatistics("min", Fastest);

// What every paint adds for the explanations: the records and their origins kept as drawn.
void BM_KeepPaintedLine(benchmark::State& state)
{
    SignalTable signals;
    RecordOrigins origins;
    signals.Initialise();
    SignalTable paintedSignals;
    RecordOrigins paintedOrigins;
    for (auto _ : state) {
        paintedSignals = signals;
        paintedOrigins = origins;
        benchmark::DoNotOptimize(&paintedSignals);
        benchmark::DoNotOptimize(&paintedOrigins);
    }
}
BENCHMARK(BM_KeepPaintedLine)->ComputeStatistics("min", Fastest);

// The tick's rules alone, with the origins they note, on the busiest H/V line (no paint, so the
// records the elements copy while drawing stay as the start left them).
void BM_PropagateBusiest(benchmark::State& state)
{
    SignalTable table;
    RecordOrigins origins;
    table.Initialise();
    for (int button : kBusiestHV.buttons)
        RunAspectCommand(table, origins, button, RecordOrigin::FromButton(button));
    for (int i = 0; i < 5; ++i)
        PropagateStates(table, origins, System::HV);
    for (auto _ : state) {
        benchmark::DoNotOptimize(PropagateStates(table, origins, System::HV));
        benchmark::DoNotOptimize(&table);
    }
}
BENCHMARK(BM_PropagateBusiest)->ComputeStatistics("min", Fastest);

void BM_WholeCanvasFloodFill(benchmark::State& state)
{
    Canvas canvas;
    canvas.Erase(clWhite);
    Color brush = clWhite;
    for (auto _ : state) {
        brush = brush == clWhite ? clYellow : clWhite; // alternate so every fill repaints
        canvas.SetBrushColor(brush);
        canvas.FloodFill(500, 300, clBlack);
        benchmark::DoNotOptimize(canvas.Draw().Pixels());
    }
}
BENCHMARK(BM_WholeCanvasFloodFill)->ComputeStatistics("min", Fastest);

// Prints the usual table, then the memory floor (the fastest way of BM_Floor) and every result as
// a ratio to it, so that figures from different machines can be compared. With repetitions two
// columns: the medians against the floor's median, and the fastest repetitions against the
// floor's fastest, which stand up best to a machine busy with other work.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const double time = run.GetAdjustedCPUTime();
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                Keep(m_single, run.run_name.str(), time);
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                Keep(m_median, run.run_name.str(), time);
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min")
                Keep(m_fastest, run.run_name.str(), time);
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const bool repeated = !m_median.empty();
        // Without repetitions every run counts; the fastest of a name is its figure.
        const Figures& first = repeated ? m_median : m_single;
        const double floor = Floor(first);
        if (floor <= 0)
            return;
        const double floorFastest = repeated ? Floor(m_fastest) : 0;
        std::printf("\nMemory floor: %.1f us (the fastest of BM_Floor, %d x %d x 4 bytes)\n", floor / 1000,
            Canvas::kWidth, Canvas::kHeight);
        std::printf("Ratio to the floor%s\n", repeated ? ":      median   fastest" : ":");
        for (const auto& [name, time] : first) {
            std::printf("  %-26s %6.2f", name.c_str(), time / floor);
            const auto fastest = Find(m_fastest, name);
            if (repeated && fastest != m_fastest.end() && floorFastest > 0)
                std::printf("    %6.2f", fastest->second / floorFastest);
            std::printf("\n");
        }
    }

private:
    using Figures = std::vector<std::pair<std::string, double>>;

    static Figures::const_iterator Find(const Figures& figures, const std::string& name)
    {
        return std::find_if(figures.begin(), figures.end(), [&](const auto& f) { return f.first == name; });
    }

    // One figure per name, the smallest, in the order the names first came.
    static void Keep(Figures& figures, const std::string& name, double time)
    {
        auto same = std::find_if(figures.begin(), figures.end(), [&](const auto& f) { return f.first == name; });
        if (same == figures.end())
            figures.emplace_back(name, time);
        else
            same->second = std::min(same->second, time);
    }

    static double Floor(const Figures& figures)
    {
        double floor = 0;
        for (const auto& [name, time] : figures)
            if (name.rfind("BM_Floor/", 0) == 0 && time > 0 && (floor == 0 || time < floor))
                floor = time;
        return floor;
    }

    Figures m_single;
    Figures m_median;
    Figures m_fastest;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
