// Cost of a full paint of each signal system against clearing the canvas once.

#include "core/main_form.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

using namespace lumaro;

namespace {

void BM_EraseBaseline(benchmark::State& state)
{
    Canvas canvas;
    for (auto _ : state) {
        canvas.Erase(clSkyBlue);
        benchmark::DoNotOptimize(canvas.Pixels());
    }
}
BENCHMARK(BM_EraseBaseline);

void PaintSystem(benchmark::State& state, void (MainForm::*select)())
{
    static MainForm form; // large; one instance per process is enough
    form.FormCreate();
    (form.*select)();
    for (auto _ : state) {
        form.Paint();
        benchmark::DoNotOptimize(form.Canvas.Pixels());
    }
}

void BM_PaintHV(benchmark::State& state) { PaintSystem(state, &MainForm::HVSystem1Click); }
void BM_PaintKs(benchmark::State& state) { PaintSystem(state, &MainForm::KsSystem1Click); }
void BM_PaintHl(benchmark::State& state) { PaintSystem(state, &MainForm::HlSystem1Click); }
BENCHMARK(BM_PaintHV);
BENCHMARK(BM_PaintKs);
BENCHMARK(BM_PaintHl);

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
BENCHMARK(BM_WholeCanvasFloodFill);

// Prints the usual table, then every result as a ratio to the clearing baseline of the same run, so
// figures from different machines can be compared.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                m_times.emplace_back(run.benchmark_name(), run.GetAdjustedCPUTime());
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        double baseline = 0;
        for (const auto& [name, time] : m_times)
            if (name == "BM_EraseBaseline")
                baseline = time;
        if (baseline <= 0)
            return;
        std::printf("\nRatio to clearing the canvas once:\n");
        for (const auto& [name, time] : m_times)
            std::printf("  %-26s %6.2f\n", name.c_str(), time / baseline);
    }

private:
    std::vector<std::pair<std::string, double>> m_times;
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
