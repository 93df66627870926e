// The fading statistics a frame costs while their view is shown: the
// measurement of a full five-minute window (its sort dominates), and the
// view painted onto a surface that discards it, measurement included.
// Their budget is 0.2 ms a frame.
#include <benchmark/benchmark.h>

#include <cmath>

#include "model/fading_statistics.h"
#include "model/fading_window.h"
#include "model/random.h"
#include "model/viewer_state.h"
#include "render/fading_view.h"

namespace {

void Fill(void*, int, int, int, int) {}
void Pen(void*, PenId) {}
void Point(void*, int, int) {}
void Text(void*, PenId, int, int, const char*) {}
void Cells(void*, int, int, int, int, const unsigned char*, int) {}
const DrawingSurface Nowhere{nullptr, Fill, Pen, Point, Point, Text, Cells};
const DrawingSurface* volatile Discarding = &Nowhere;

// A Rayleigh level: |z|^2 of a complex normal, in dB.
double RayleighLevelDb(Random& random)
{
    const double re = RandomNormal(random), im = RandomNormal(random);
    return 10 * std::log10(re * re + im * im);
}

double Series[FadingWindowLength];
double Sorted[FadingWindowLength];

// A full window of Rayleigh levels.
void BM_FadingMeasure(benchmark::State& state)
{
    StartViewer();
    Random random = SeededRandom(1);
    for (int i = 0; i < FadingWindowLength; ++i) {
        AddFadingLevel(Fading, RayleighLevelDb(random));
    }
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        const int count = FadingSeries(Fading, Series);
        benchmark::DoNotOptimize(MeasureSortedFading(Series, count, Sorted, FadingSorted(Fading, Sorted)));
    }
}
BENCHMARK(BM_FadingMeasure)->Unit(benchmark::kMicrosecond);

// A frame's share: one level in (and one out) of a full window, and the
// view painted.
void BM_FadingView(benchmark::State& state)
{
    StartViewer();
    Random random = SeededRandom(1);
    for (int i = 0; i < FadingWindowLength; ++i) {
        AddFadingLevel(Fading, RayleighLevelDb(random));
    }
    const DrawingSurface& surface = *Discarding;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        AddFadingLevel(Fading, RayleighLevelDb(random));
        DrawFadingView(surface, 500, 300);
    }
}
BENCHMARK(BM_FadingView)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
