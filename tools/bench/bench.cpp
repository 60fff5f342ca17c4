// Cost of a full paint of each signal system against the memory floor: the fastest way this
// machine clears a buffer of the canvas's size.

#include "core/main_form.h"
#include "state/aspect_commands.h"
#include "state/propagation.h"
#include "tools/bench/floor.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
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
        canvas.Erase(clSkyBlue);
        benchmark::DoNotOptimize(canvas.Pixels());
    }
}
BENCHMARK(BM_Erase)->ComputeStatistics("min", Fastest);

void PaintSystem(benchmark::State& state, const char* system)
{
    static MainForm form; // large; one instance per process is enough
    form.FormCreate();
    form.MenuCommand(system);
    for (auto _ : state) {
        form.Paint();
        benchmark::DoNotOptimize(form.View().Canvas.Pixels());
    }
}

void BM_PaintHV(benchmark::State& state) { PaintSystem(state, "HVSystem1"); }
void BM_PaintKs(benchmark::State& state) { PaintSystem(state, "KsSystem1"); }
void BM_PaintHl(benchmark::State& state) { PaintSystem(state, "HlSystem1"); }
BENCHMARK(BM_PaintHV)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PaintKs)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PaintHl)->ComputeStatistics("min", Fastest);

// The busiest paint of a system: every signal proceeding with a speed indication where it has
// one, the shunting signal and the identification light on, the track change set, at night, with
// the blinking lamps in their lit phase. The buttons are pressed as a user would, left to right,
// except that the intermediate signal comes before the exit signal: proceeding there switches the
// exit signal to its identification light, which the exit signal's own button then overrides.
void PaintBusiest(benchmark::State& state, const char* system, std::initializer_list<int> buttons)
{
    auto form = std::make_unique<MainForm>();
    form->FormCreate();
    form->MenuCommand(system);
    form->Paint(); // shows the buttons of the system
    for (int button : buttons)
        if (!form->ClickButton(button)) {
            state.SkipWithError(("button " + std::to_string(button) + " is not there").c_str());
            return;
        }
    form->MenuCommand("Nacht1");
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
        form->Paint();
        benchmark::DoNotOptimize(form->View().Canvas.Pixels());
    }
}

// Entry 100 km/h, shunting signal "Rangier", column 450 "Kennlicht", intermediate 40 km/h, exit
// 100 km/h, track change on, block signal "Fahrt".
void BM_PaintHVBusiest(benchmark::State& state) { PaintBusiest(state, "HVSystem1", {34, 29, 27, 12, 5, 25, 22}); }
// As H/V, but the exit signal at 60 km/h, so that the intermediate and the entry signal both
// announce a lower speed with a blinking green.
void BM_PaintKsBusiest(benchmark::State& state) { PaintBusiest(state, "KsSystem1", {34, 29, 27, 12, 3, 25, 22}); }
// As Ks, with the track change of the Hl exit signal (column 750): the exit signal's yellow light
// strip and its "Zs 6" dots lit, the intermediate and entry signals' upper yellow lamps flashing.
void BM_PaintHlBusiest(benchmark::State& state) { PaintBusiest(state, "HlSystem1", {34, 29, 27, 12, 3, 14, 22}); }
BENCHMARK(BM_PaintHVBusiest)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PaintKsBusiest)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PaintHlBusiest)->ComputeStatistics("min", Fastest);

// One timer tick of the busiest H/V scene: the paint, then the propagation. The blink phase
// alternates, so the lamps are drawn lit and dark in turn.
void BM_TickBusiest(benchmark::State& state)
{
    auto form = std::make_unique<MainForm>();
    form->FormCreate();
    form->Paint();
    for (int button : {34, 29, 27, 12, 5, 25, 22})
        form->ClickButton(button);
    form->MenuCommand("Nacht1");
    for (auto _ : state) {
        form->Timer1Timer();
        benchmark::DoNotOptimize(form->View().Canvas.Pixels());
    }
}
BENCHMARK(BM_TickBusiest)->ComputeStatistics("min", Fastest);

// The tick's rules alone, with the origins they note, on the busiest H/V line (no paint, so the
// records the elements copy while drawing stay as the start left them).
void BM_PropagateBusiest(benchmark::State& state)
{
    SignalTable table;
    RecordOrigins origins;
    table.Initialise();
    for (int button : {34, 29, 27, 12, 5, 25, 22})
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
        benchmark::DoNotOptimize(canvas.Pixels());
    }
}
BENCHMARK(BM_WholeCanvasFloodFill)->ComputeStatistics("min", Fastest);

// Prints the usual table, then the memory floor (the fastest BM_Floor) and every result as a ratio
// to it, so that figures from different machines can be compared. With repetitions the fastest
// repetitions are compared, which stand up best to a machine that is busy with other work.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                m_times.emplace_back(run.run_name.str(), run.GetAdjustedCPUTime());
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min")
                m_fastest.emplace_back(run.run_name.str(), run.GetAdjustedCPUTime());
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        // Without repetitions every run counts; the fastest of a name is its figure.
        std::vector<std::pair<std::string, double>> times;
        for (const auto& run : m_fastest.empty() ? m_times : m_fastest) {
            auto same = std::find_if(times.begin(), times.end(), [&](const auto& t) { return t.first == run.first; });
            if (same == times.end())
                times.push_back(run);
            else
                same->second = std::min(same->second, run.second);
        }
        const std::pair<std::string, double>* floor = nullptr;
        for (const auto& entry : times)
            if (entry.first.rfind("BM_Floor/", 0) == 0 && entry.second > 0 && (!floor || entry.second < floor->second))
                floor = &entry;
        if (!floor)
            return;
        std::printf("\nMemory floor: %.1f us (%s, %d x %d x 4 bytes)\n", floor->second / 1000, floor->first.c_str(),
            Canvas::kWidth, Canvas::kHeight);
        std::printf("Ratio to the floor%s:\n", m_fastest.empty() ? "" : " (fastest repetitions)");
        for (const auto& [name, time] : times)
            std::printf("  %-26s %6.2f\n", name.c_str(), time / floor->second);
    }

private:
    std::vector<std::pair<std::string, double>> m_times;
    std::vector<std::pair<std::string, double>> m_fastest;
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
