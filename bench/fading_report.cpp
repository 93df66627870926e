// The fading the program shows, measured against its targets and theory:
// the moderate ionosphere at the receiver 900 (12,000 frames) against
// Rayleigh fading, the three rough settings' pace, and each scene's
// statistics. The program's own frames are run (the painter onto a surface
// that discards them), so this is exactly what a user sees.
//   fading_report [FRAMES]     (default 12000)
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "controls/scenes.h"
#include "model/fading_statistics.h"
#include "model/fading_window.h"
#include "model/scene_state.h"
#include "model/viewer_state.h"
#include "render/frame_painter.h"

namespace {

void Fill(void*, int, int, int, int) {}
void Pen(void*, PenId) {}
void Point(void*, int, int) {}
void Text(void*, PenId, int, int, const char*) {}
void Cells(void*, int, int, int, int, const unsigned char*, int) {}
const DrawingSurface Nowhere{nullptr, Fill, Pen, Point, Point, Text, Cells};

constexpr int MaxFrames = 100000;
double Levels[MaxFrames];
double Sorted[MaxFrames];

struct Run {
    FadingStatistics Stats;
    RayleighFading Rayleigh;
    double MeanPaths;
    double PeakDb;           // the highest level over the median
    double LongCorrelation;  // the autocorrelation's highest value after its first zero
};

// The autocorrelation of the dB series (pairs of frames that both have a
// signal), and its highest value after it first reaches zero, up to a lag
// of a quarter of the series.
double LongCorrelation(int frames)
{
    double sum = 0;
    int heard = 0;
    for (int i = 0; i < frames; ++i) {
        if (Levels[i] > NoSignalDb) {
            sum += Levels[i], ++heard;
        }
    }
    const double mean = sum / heard;
    auto covariance = [&](int lag) {
        double c = 0;
        int pairs = 0;
        for (int i = 0; i + lag < frames; ++i) {
            if (Levels[i] > NoSignalDb && Levels[i + lag] > NoSignalDb) {
                c += (Levels[i] - mean) * (Levels[i + lag] - mean), ++pairs;
            }
        }
        return pairs > 0 ? c / pairs : 0.0;
    };
    const double variance = covariance(0);
    if (!(variance > 0)) {
        return 1.0;  // a constant level repeats itself
    }
    int lag = 1;
    while (lag < frames / 4 && covariance(lag) > 0) {
        ++lag;
    }
    double highest = -1;
    for (; lag < frames / 4; ++lag) {
        highest = std::fmax(highest, covariance(lag) / variance);
    }
    return highest;
}

// The program's frames from the state set up, the receiver shown.
Run Measure(int frames)
{
    long long paths = 0;
    for (int frame = 0; frame < frames; ++frame) {
        DrawFrame(Nowhere, 1000, 500);
        paths += Viewer.Signal.Paths;
        Levels[frame] = Viewer.Signal.Paths > 0 ? Viewer.Signal.SignalDb : NoSignalDb;
    }
    Run run{};
    run.Stats = MeasureFading(Levels, frames, Sorted);
    run.Rayleigh = RayleighFadingFor(run.Stats.CrossingsPerSecond);
    run.MeanPaths = static_cast<double>(paths) / frames;
    run.PeakDb = run.Stats.Samples > 0 ? Sorted[run.Stats.Samples - 1] : NAN;
    run.LongCorrelation = LongCorrelation(frames);
    return run;
}

// A scene from the start of the program, with the ionosphere's seed.
Run MeasureScene(int scene, Ionosphere kind, int frames)
{
    Scene = StartSceneState();
    StartViewer();
    ChooseScene(scene);
    SetIonosphere(kind, DefaultRoughSeed);
    return Measure(frames);
}

int Misses = 0;

void Check(const char* what, double measured, const char* target, bool met)
{
    std::printf("  %-46s %8.3f   %-24s %s\n", what, measured, target, met ? "PASS" : "MISS");
    Misses += !met;
}

bool WithinAThird(double measured, double reference) { return std::fabs(measured / reference - 1) <= 1.0 / 3; }

// A number, or "-" where it is undefined.
const char* Cell(double value, const char* format)
{
    static char cells[16][24];
    static int next = 0;
    char* cell = cells[next++ % 16];
    std::isnan(value) ? std::snprintf(cell, 24, "-") : std::snprintf(cell, 24, format, value);
    return cell;
}

// One row of the README's table of scenes.
void PrintRow(const char* name, const Run& r)
{
    const FadingStatistics& s = r.Stats;
    std::printf("| %s | %.2f | %.0f %% | %s | %s | %s | %s | %s | %s %% | %s | %s | %s | %s |\n", name, r.MeanPaths,
                100.0 * s.Samples / s.Frames, Cell(s.P01Db, "%.1f"), Cell(s.P10Db, "%.1f"), Cell(s.P90Db, "%+.1f"),
                Cell(s.P99Db, "%+.1f"), Cell(r.PeakDb, "%+.1f"), Cell(100 * s.Below10, "%.1f"),
                Cell(s.CrossingsPerSecond, "%.2f"), Cell(s.FadesPerSecond, "%.2f"), Cell(s.FadeSeconds, "%.2f"),
                Cell(s.Ks, "%.3f"));
}

}  // namespace

int main(int argc, char** argv)
{
    char* end = nullptr;
    const long requested = argc > 1 ? std::strtol(argv[1], &end, 10) : 12000;
    if ((argc > 1 && *end != '\0') || requested < MinFadingSamples || requested > MaxFrames) {
        std::fprintf(stderr, "fading_report: frames from %d to %d\n", MinFadingSamples, MaxFrames);
        return 2;
    }
    const int frames = static_cast<int>(requested);
    constexpr int Calm = 0;
    std::printf("== the moderate ionosphere at the receiver 900, start layer, seed %llu, %d frames\n",
                static_cast<unsigned long long>(DefaultRoughSeed), frames);
    const Run moderate = MeasureScene(Calm, Ionosphere::Moderate, frames);
    const FadingStatistics& m = moderate.Stats;
    Check("KS distance to Rayleigh of the same median", m.Ks, "at most 0.10", m.Ks <= 0.10);
    Check("share of time more than 10 dB under the median", m.Below10, "0.04 ... 0.10",
          m.Below10 >= 0.04 && m.Below10 <= 0.10);
    std::printf("  (median crossings %.3f a second; Rayleigh's below: for that rate)\n", m.CrossingsPerSecond);
    Check("fades a second at -10 dB", m.FadesPerSecond, "",
          WithinAThird(m.FadesPerSecond, moderate.Rayleigh.FadesPerSecond));
    std::printf("  %-46s %8.3f\n", "  Rayleigh's", moderate.Rayleigh.FadesPerSecond);
    Check("average fade length at -10 dB, s", m.FadeSeconds, "",
          WithinAThird(m.FadeSeconds, moderate.Rayleigh.FadeSeconds));
    std::printf("  %-46s %8.3f\n", "  Rayleigh's", moderate.Rayleigh.FadeSeconds);
    Check("autocorrelation after its first zero, highest", moderate.LongCorrelation, "below 0.6",
          moderate.LongCorrelation < 0.6);
    const Run quiet = MeasureScene(Calm, Ionosphere::Quiet, frames);
    const Run disturbed = MeasureScene(Calm, Ionosphere::Disturbed, frames);
    const double pace = disturbed.Stats.CrossingsPerSecond / quiet.Stats.CrossingsPerSecond;
    std::printf("  median crossings a second: quiet %.3f, moderate %.3f, disturbed %.3f\n",
                quiet.Stats.CrossingsPerSecond, m.CrossingsPerSecond, disturbed.Stats.CrossingsPerSecond);
    Check("disturbed over quiet median crossings", pace, "at least 3", pace >= 3);

    std::printf("\n== the scenes from the program's start, seed %llu, %d frames each\n",
                static_cast<unsigned long long>(DefaultRoughSeed), frames);
    std::printf("| Scene | Paths | Signal | 1 %% | 10 %% | 90 %% | 99 %% | Peak | Under -10 dB | Crossings/s | "
                "Fades/s | Fade s | KS |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (int scene = 0; scene < SceneCount; ++scene) {
        PrintRow(SceneName(scene), MeasureScene(scene, SceneSettings[scene].Kind, frames));
    }
    const RayleighFading r = RayleighFadingFor(NAN);
    std::printf("| Rayleigh | | | %.1f | %.1f | %+.1f | %+.1f | | %.1f %% | | | | 0 |\n", r.P01Db, r.P10Db, r.P90Db,
                r.P99Db, 100 * r.Below10);
    std::printf("\n%s\n", Misses == 0 ? "all targets met" : "targets missed");
    return Misses == 0 ? 0 : 1;
}
