// The receiver's signal over fans of 501, 2,001 and 8,001 rays, at the
// program's start layer and at the steepest ripples the sliders allow, low
// and high. Its budget is a millisecond for the default 2,001 rays. Beside
// it, the same fan heard also by the ground map's 1,500 columns and the
// band's 65 wavelengths: together they may add at most half the receiver's
// own time (compare BM_Listening with BM_Receiver of the same layer and fan).
// And both through a rough ionosphere, whose gain on every path heard may
// add at most a fifth to the receiver (BM_ReceiverRough against BM_Receiver),
// the map and the band again at most half to that receiver's own time.
#include <benchmark/benchmark.h>

#include <string>

#include "model/ground_map.h"
#include "model/receiver.h"
#include "model/scene_state.h"
#include "model/signal_band.h"

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

// Static: the map is too large for a benchmark thread's stack.
GroundMap Map;
SignalBand Band;

void BM_Listening(benchmark::State& state)
{
    const NamedLayer& layer = Layers[state.range(0)];
    const ReceiverSettings settings{DefaultReceiverX, DefaultWavelength, static_cast<int>(state.range(1))};
    ReceiverSignal signal{};
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        ListenToFan(layer.Layer, settings, signal, &Band, &Map);
        benchmark::DoNotOptimize(signal);
        benchmark::DoNotOptimize(Map);
        benchmark::DoNotOptimize(Band);
    }
    state.SetLabel(layer.Name);
    int lit = 0;
    for (int paths : Map.Paths) {
        lit += paths > 0;
    }
    state.counters["lit columns"] = lit;
}
BENCHMARK(BM_Listening)->ArgNames({"layer", "rays"})->ArgsProduct({{0, 1, 2}, {2001}})->Unit(benchmark::kMicrosecond);

// 2,001 rays through each rough ionosphere (quiet, moderate, disturbed), at
// a time 10 minutes in: the receiver alone, and with the map and the band.
// Their gains come from one table a frame, so the map's thousands of paths
// cost as much through any of them as through the smooth layer, near enough.
void BM_ReceiverRough(benchmark::State& state)
{
    const NamedLayer& layer = Layers[state.range(0)];
    const ReceiverSettings settings{DefaultReceiverX, DefaultWavelength, DefaultFanRays};
    const Ionosphere kind = static_cast<Ionosphere>(state.range(1));
    const RoughLayer rough = MakeRoughLayer(kind, DefaultRoughSeed);
    const bool all = state.range(2) != 0;
    ReceiverSignal signal{};
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        ListenToFan(layer.Layer, settings, &rough, 600.0, signal, all ? &Band : nullptr, all ? &Map : nullptr);
        benchmark::DoNotOptimize(signal);
        benchmark::DoNotOptimize(Map);
        benchmark::DoNotOptimize(Band);
    }
    state.SetLabel(std::string(layer.Name) + ", " + IonosphereName(kind));
    state.counters["paths"] = signal.Paths;
}
BENCHMARK(BM_ReceiverRough)
    ->ArgNames({"layer", "ionosphere", "map"})
    ->ArgsProduct({{0, 1, 2},
                   {static_cast<int>(Ionosphere::Quiet), static_cast<int>(Ionosphere::Moderate),
                    static_cast<int>(Ionosphere::Disturbed)},
                   {0, 1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
