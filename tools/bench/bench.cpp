// Cost of a full paint of each signal system against clearing the canvas once.

#include "core/main_form.h"

#include <benchmark/benchmark.h>

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

} // namespace

BENCHMARK_MAIN();
