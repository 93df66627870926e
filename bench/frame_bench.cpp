// One whole frame of the painter, beside the part of it no implementation
// can avoid: the single-precision sines and cosines its layer needs. The
// frame / floor ratio is the painter's overhead.
#include <benchmark/benchmark.h>

#include <cmath>

#include "model/intersection.h"
#include "model/layer.h"
#include "model/reflection.h"
#include "model/scene_state.h"
#include "render/frame_painter.h"

namespace {

// Draws nothing, but folds every coordinate into a checksum, so that the
// optimiser cannot drop the work that leads to them.
unsigned Checksum;
void Fill(void*, int l, int t, int r, int b) { Checksum += l ^ t ^ r ^ b; }
void Pen(void*, PenId pen) { Checksum += static_cast<unsigned>(pen); }
void Point(void*, int x, int y) { Checksum += x ^ y; }
const DrawingSurface Nowhere{nullptr, Fill, Pen, Point, Point};

void BM_Frame(benchmark::State& state)
{
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        Scene = StartSceneState();
        DrawFrame(Nowhere, 1000, 500);
        benchmark::DoNotOptimize(Checksum);
    }
}
BENCHMARK(BM_Frame);

// The phases of the default first frame: 1,015 layer heights (1 + 944 curve
// points + 70 stations), 85 slopes (15 hits + 70 stations), and one sine and
// one cosine per Newton step of the 15 searches, at the phase of each hit.
struct FloorInputs {
    float Heights[1015];
    float Slopes[85];
    float Steps[15 * SolverStepLimit];
    int StepCount = 0;
};

FloorInputs FirstFramePhases()
{
    FloorInputs in;
    Scene = StartSceneState();
    Scene.PhaseOffset += Scene.PhaseStep;
    int h = 0, s = 0;
    in.Heights[h++] = LayerPhase(0);
    float x = -15;
    for (int i = 0; i < 944; ++i, x += 1.5f) {
        in.Heights[h++] = LayerPhase(x);
    }
    float elevation = 55;
    for (int ray = 0; ray < 15; ++ray, elevation -= 2) {
        Scene.RaySlope = ElevationSlope(elevation);
        const RayLayerSearch search = SearchRayLayer(378);
        for (int step = 0; step < search.Steps; ++step) {
            in.Steps[in.StepCount++] = LayerPhase(search.X);
        }
        in.Slopes[s++] = LayerPhase(search.X);
    }
    for (int station = 0; station < 70; ++station) {
        in.Heights[h++] = LayerPhase(20.0f * station);
        in.Slopes[s++] = LayerPhase(20.0f * station);
    }
    Scene = StartSceneState();
    return in;
}

void BM_FrameFloor(benchmark::State& state)
{
    const FloorInputs in = FirstFramePhases();
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        float sum = 0;
        for (float u : in.Heights) {
            sum += std::sin(u);
        }
        for (float u : in.Slopes) {
            sum += std::cos(u);
        }
        for (int i = 0; i < in.StepCount; ++i) {
            sum += std::sin(in.Steps[i]) + std::cos(in.Steps[i]);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["search_steps"] = in.StepCount;
}
BENCHMARK(BM_FrameFloor);

}  // namespace

BENCHMARK_MAIN();
