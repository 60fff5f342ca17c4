// Decoding the notice's photograph to the size it is shown at: libjpeg's scaling in the decoder
// against decoding every pixel and scaling afterwards (the baseline, measured in the same run).

#include "contents/photo_decoder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

using namespace lumaro;

namespace {

constexpr ImageSize kPhoto {3648, 2736};
constexpr ImageSize kBox {601, 449};

const std::vector<std::uint8_t>& Photograph()
{
    static const std::vector<std::uint8_t> bytes = [] {
        std::ifstream in(LUMARO_PHOTO_FILE, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }();
    return bytes;
}

void Decode(benchmark::State& state, DctScaling scaling)
{
    for (auto _ : state) {
        std::optional<RgbImage> image = DecodePhotograph(Photograph(), kPhoto, kBox, scaling);
        if (!image) {
            state.SkipWithError("the photograph did not decode");
            return;
        }
        benchmark::DoNotOptimize(image->pixels.data());
    }
}

void BM_FullDecodeThenScale(benchmark::State& state) { Decode(state, DctScaling::FullSize); }
void BM_ScaledDecodeAndScale(benchmark::State& state) { Decode(state, DctScaling::ToFit); }
BENCHMARK(BM_FullDecodeThenScale)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaledDecodeAndScale)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                (run.benchmark_name() == "BM_FullDecodeThenScale" ? m_full : m_scaled) = run.GetAdjustedCPUTime();
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        if (m_full > 0 && m_scaled > 0)
            std::printf("\nScaled decode and scale takes %.2f of the time of a full decode and scale\n", m_scaled / m_full);
    }

private:
    double m_full = 0;
    double m_scaled = 0;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
