// The receiver's signal over fans of 501, 2,001 and 8,001 rays, at the
// program's start layer and at the steepest ripples the sliders allow, low
// and high. Its budget is a millisecond for the default 2,001 rays. Beside
// it, the same through a rough ionosphere, whose gain on every path may add
// at most a fifth.
#include <benchmark/benchmark.h>

#include "model/receiver.h"
#include "model/scene_state.h"

namespace {

struct NamedLayer {
    const char* Name;
    LayerDouble Layer;
};

// The sliders' ends: frequency 1.20 and amplitude 22.
const double SteepestWaveNumber = static_cast<float>(120 * 0.00017453293);

// At the drift of the painter's first frame.
const NamedLayer Layers[] = {
    {"default", {395.7f, 11.3f, WaveNumberFromFrequency(0.52f), 52.5}},
    {"steepest H 100", {100, 22, SteepestWaveNumber, 52.5}},
    {"steepest H 400", {400, 22, SteepestWaveNumber, 52.5}},
};

void BM_Receiver(benchmark::State& state)
{
    const NamedLayer& layer = Layers[state.range(0)];
    const ReceiverSettings settings{DefaultReceiverX, DefaultWavelength, static_cast<int>(state.range(1))};
    ReceiverSignal signal{};
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        ComputeReceiverSignal(layer.Layer, settings, signal);
        benchmark::DoNotOptimize(signal);
    }
    state.SetLabel(layer.Name);
    state.counters["paths"] = signal.Paths;
}
BENCHMARK(BM_Receiver)
    ->ArgNames({"layer", "rays"})
    ->ArgsProduct({{0, 1, 2}, {501, 2001, 8001}})
    ->Unit(benchmark::kMicrosecond);

// 2,001 rays through the disturbed ionosphere, at a time 10 minutes in.
void BM_ReceiverRough(benchmark::State& state)
{
    const NamedLayer& layer = Layers[state.range(0)];
    const ReceiverSettings settings{DefaultReceiverX, DefaultWavelength, DefaultFanRays};
    const RoughLayer rough = MakeRoughLayer(Ionosphere::Disturbed, DefaultRoughSeed);
    ReceiverSignal signal{};
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        ComputeReceiverSignal(layer.Layer, settings, &rough, 600.0, signal);
        benchmark::DoNotOptimize(signal);
    }
    state.SetLabel(layer.Name);
    state.counters["paths"] = signal.Paths;
}
BENCHMARK(BM_ReceiverRough)->ArgName("layer")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
