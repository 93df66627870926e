// One whole frame of the painter, beside two measures of the work no
// implementation can avoid:
//   floor       the single-precision sines and cosines its layer needs;
//   least work  the floor, plus the 1,179 surface calls of the frame and the
//               reflections' double-precision atan2, sine and cosine, which
//               every painter on a four-operation surface must also make.
// frame / floor is the painter's cost over its sines; frame / least work is
// what the painter's own arithmetic adds. Beside them, the frame into the
// recording surface, as the browser edition draws it, to compare with its
// WebAssembly build (web/bench/web_bench.mjs).
#include <benchmark/benchmark.h>

#include <cmath>

#include "model/intersection.h"
#include "model/layer.h"
#include "model/reflection.h"
#include "model/scene_state.h"
#include "model/sound_generator.h"
#include "model/viewer_state.h"
#include "render/frame_painter.h"
#include "render/ground_map_view.h"
#include "render/recording_surface.h"
#include "render/view_mapping.h"
#include "render/waterfall_view.h"

namespace {

// Discards every operation. It is reached through a volatile pointer, so no
// build, link-time optimisation included, can see the empty bodies and drop
// the calls or the work that leads to their arguments.
void Fill(void*, int, int, int, int) {}
void Pen(void*, PenId) {}
void Point(void*, int, int) {}
void Text(void*, PenId, int, int, const char*) {}
void Cells(void*, int, int, int, int, const unsigned char*, int) {}
const DrawingSurface Nowhere{nullptr, Fill, Pen, Point, Point, Text, Cells};
const DrawingSurface* volatile Discarding = &Nowhere;

void BM_Frame(benchmark::State& state)
{
    const DrawingSurface& surface = *Discarding;
    Viewer = StartViewerState();  // run interleaved with BM_FrameRecorded: no receiver left shown
    for (auto _ : state) {        // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        Scene = StartSceneState();
        DrawFrame(surface, 1000, 500);
    }
}
BENCHMARK(BM_Frame);

// Static: a Recording is too large for the stack.
Recording Recorded;

// Exactly what the browser edition's entry does for the benchmark's frame:
// back to the start state (qsb_reset), the receiver shown at its start
// place x = 900 if asked (R), then the painter into the recording
// (qsb_draw_frame).
void BM_FrameRecorded(benchmark::State& state)
{
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        Scene = StartSceneState();
        Viewer = StartViewerState();
        if (state.range(0) != 0) {
            ShowReceiver(true);
        }
        ClearRecording(Recorded);
        DrawFrame(RecordingSurface(Recorded), 1000, 500);
        benchmark::DoNotOptimize(Recorded.Count);
    }
    state.counters["operations"] = Recorded.Count;
}
BENCHMARK(BM_FrameRecorded)->ArgName("receiver")->Arg(0)->Arg(1);

// The ground map (1000 x 334) or the waterfall (1000 x 358) into a recording
// with 300 rows of a steep layer's patterns, one pixel row each, as the
// editions draw them every frame while shown.
void BM_PatternView(benchmark::State& state)
{
    Scene = StartSceneState();
    Scene.Amplitude = 22, Scene.WaveNumber = static_cast<float>(120 * 0.00017453293);
    Viewer = StartViewerState();
    ShowReceiver(true), ShowMap(true), ShowWaterfall(true);
    for (int frame = 0; frame < 300; ++frame) {
        ClearRecording(Recorded);
        DrawFrame(RecordingSurface(Recorded), 1000, 500);
    }
    const bool map = state.range(0) == 0;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        ClearRecording(Recorded);
        if (map) {
            DrawGroundMap(RecordingSurface(Recorded), 1000, 300 + MapFooterHeight);
        } else {
            DrawWaterfall(RecordingSurface(Recorded), 1000, 358);
        }
        benchmark::DoNotOptimize(Recorded.Count);
    }
    state.SetLabel(map ? "map" : "waterfall");
    state.counters["cells"] = Recorded.CellsUsed;
    Scene = StartSceneState();
    Viewer = StartViewerState();
}
BENCHMARK(BM_PatternView)->ArgName("waterfall")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One frame's sound, 0.1 s at 44,100 samples a second.
void BM_SoundFrame(benchmark::State& state)
{
    SoundGenerator sound = StartSoundGenerator(44100);
    static float samples[4410];
    ReceiverSignal level{};
    level.Paths = 1;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        level.SignalDb = level.SignalDb > 0 ? -20 : 6;
        SetSoundLevel(sound, level);
        FillSound(sound, samples, 4410);
        benchmark::DoNotOptimize(samples);
    }
}
BENCHMARK(BM_SoundFrame)->Unit(benchmark::kMicrosecond);

// The inputs of the default first frame: the phases of its 1,015 layer
// heights (1 + 944 curve points + 70 stations), its 85 slopes (15 hits + 70
// stations) and of one sine and one cosine per Newton step of the 15
// searches; the reflections' angles; and the pixels of its lines.
struct FirstFrame {
    float CurvePhases[1 + LayerCurvePoints];
    float StationPhases[WhiskerStations];
    float HitPhases[RaysPerFrame];
    float StepPhases[RaysPerFrame * SolverStepLimit];
    int StepCount = 0;
    int RaySteps[RaysPerFrame];
    RayReflection Reflections[RaysPerFrame];
    int CurveRows[1 + LayerCurvePoints];
    int CurveColumns[LayerCurvePoints];
};

FirstFrame DefaultFirstFrame()
{
    FirstFrame f{};
    Scene = StartSceneState();
    Scene.PhaseOffset += Scene.PhaseStep;
    float elevation = FirstElevation;
    for (int ray = 0; ray < RaysPerFrame; ++ray, elevation -= ElevationStep) {
        Scene.RaySlope = ElevationSlope(elevation);
        const RayLayerSearch search = SearchRayLayer(FirstGuess);
        f.RaySteps[ray] = search.Steps;
        for (int step = 0; step < search.Steps; ++step) {
            f.StepPhases[f.StepCount++] = LayerPhase(search.X);
        }
        f.HitPhases[ray] = LayerPhase(search.X);
        f.Reflections[ray] = ReflectRay(RecordLayerHit(search));
    }
    f.CurvePhases[0] = LayerPhase(0);
    f.CurveRows[0] = MapToScreenY(LayerHeight(0));
    float x = LayerCurveStart;
    for (int point = 0; point < LayerCurvePoints; ++point, x += LayerCurveStep) {
        f.CurvePhases[1 + point] = LayerPhase(x);
        f.CurveRows[1 + point] = MapToScreenY(LayerHeight(x));
        f.CurveColumns[point] = MapToScreenX(x);
    }
    for (int station = 0; station < WhiskerStations; ++station) {
        f.StationPhases[station] = LayerPhase(WhiskerSpacing * static_cast<float>(station));
    }
    Scene = StartSceneState();
    return f;
}

void BM_FrameFloor(benchmark::State& state)
{
    const FirstFrame f = DefaultFirstFrame();
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        float sum = 0;
        for (float u : f.CurvePhases) {
            sum += std::sin(u);
        }
        for (float u : f.StationPhases) {
            sum += std::sin(u);
        }
        for (float u : f.HitPhases) {
            sum += std::cos(u);
        }
        for (float u : f.StationPhases) {
            sum += std::cos(u);
        }
        for (int i = 0; i < f.StepCount; ++i) {
            sum += std::sin(f.StepPhases[i]) + std::cos(f.StepPhases[i]);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["search_steps"] = f.StepCount;
}
BENCHMARK(BM_FrameFloor);

// The floor's sines and cosines interleaved with the frame's surface calls,
// as a painter with no arithmetic of its own would make them, plus each
// reflection's two atan2 and the sine and cosine of its ground return.
void BM_FrameLeastWork(benchmark::State& state)
{
    const FirstFrame f = DefaultFirstFrame();
    const DrawingSurface& s = *Discarding;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the library's idiom
        float sum = 0;
        double angles = 0;
        s.FillRect(s.Context, 0, 0, 1000, 500);
        const float* step = f.StepPhases;
        for (int ray = 0; ray < RaysPerFrame; ++ray) {
            for (int i = 0; i < f.RaySteps[ray]; ++i, ++step) {
                sum += std::sin(*step) + std::cos(*step);
            }
            const RayReflection& r = f.Reflections[ray];
            sum += std::cos(f.HitPhases[ray]);
            angles += std::atan2(static_cast<double>(r.Hit.y), static_cast<double>(r.Hit.x));
            angles += std::atan2(static_cast<double>(r.Normal.y), static_cast<double>(r.Normal.x));
            const double a = r.Reflected * DegToRad;
            angles += std::sin(a) / std::cos(a);
            s.SelectPen(s.Context, PenId::Ray);
            s.MoveTo(s.Context, TransmitterColumn, GroundRow);
            s.LineTo(s.Context, ray, ray);
            s.SelectPen(s.Context, PenId::Reflection);
            s.MoveTo(s.Context, ray, ray);
            s.LineTo(s.Context, ray, GroundRow);
        }
        s.SelectPen(s.Context, PenId::Layer);
        sum += std::sin(f.CurvePhases[0]);
        s.MoveTo(s.Context, TransmitterColumn, f.CurveRows[0]);
        for (int point = 0; point < LayerCurvePoints; ++point) {
            sum += std::sin(f.CurvePhases[1 + point]);
            s.LineTo(s.Context, f.CurveColumns[point], f.CurveRows[1 + point]);
        }
        s.SelectPen(s.Context, PenId::Whisker);
        for (int station = 0; station < WhiskerStations; ++station) {
            const float u = f.StationPhases[station];
            sum += std::sin(u) + std::cos(u);
            s.MoveTo(s.Context, station, station);
            s.LineTo(s.Context, station, station);
        }
        s.SelectPen(s.Context, PenId::Black);
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(angles);
    }
}
BENCHMARK(BM_FrameLeastWork);

}  // namespace

BENCHMARK_MAIN();
