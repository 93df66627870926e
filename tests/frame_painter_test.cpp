// The frame painter: the first frame's numbers as worked out by hand, and
// every frame against a plain painter that takes one ray and one point at a
// time (the painter itself batches its searches and starts sines ahead).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>

#include "model/intersection.h"
#include "model/layer.h"
#include "model/random.h"
#include "model/reflection.h"
#include "render/fading_view.h"
#include "render/frame_painter.h"
#include "render/ground_map_view.h"
#include "render/recording_surface.h"
#include "render/signal_chart.h"
#include "render/view_mapping.h"
#include "render/waterfall_view.h"
#include "scene_fixture.h"

// Every heap allocation of the process is counted, so a frame that
// allocates anything is caught.
static int Allocations = 0;
void* operator new(std::size_t size)
{
    ++Allocations;
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

Recording Frame, Plain;

void Paint(Recording& r)
{
    ClearRecording(r);
    DrawFrame(RecordingSurface(r), 984, 506);
}

// The frame as defined, step by step; returns how many rays met the layer.
int PaintPlainly(Recording& r)
{
    ClearRecording(r);
    const DrawingSurface s = RecordingSurface(r);
    auto line = [&](PenId pen, int x0, int y0, int x1, int y1) {
        s.SelectPen(s.Context, pen);
        s.MoveTo(s.Context, x0, y0);
        s.LineTo(s.Context, x1, y1);
    };
    s.FillRect(s.Context, 0, 0, 984, 506);
    Scene.PhaseOffset = Scene.PhaseOffset + Scene.PhaseStep;
    int marker = 0, met = 0;
    for (float e = 55; e >= 27; e = e - 2) {
        Scene.RaySlope = ElevationSlope(e);
        const Vec2 hit = FindLayerHit(378);
        if (hit.x == NoHit.x) {
            continue;
        }
        const int x = MapToScreenX(hit.x), y = MapToScreenY(hit.y);
        line(marker == 4 ? PenId::Marker : PenId::Ray, 6, 490, x, y);
        line(marker == 4 ? PenId::Marker : PenId::Reflection, x, y, MapToScreenX(ReflectRay(hit).Ground.x), 490);
        marker = marker == 4 ? 0 : marker + 1;
        ++met;
    }
    s.SelectPen(s.Context, PenId::Layer);
    s.MoveTo(s.Context, 6, MapToScreenY(LayerHeight(0)));
    float x = -15;
    for (int point = 0; point < 944; ++point, x = x + 1.5f) {
        s.LineTo(s.Context, MapToScreenX(x), MapToScreenY(LayerHeight(x)));
    }
    s.SelectPen(s.Context, PenId::Whisker);
    x = 0;
    for (int station = 0; station < 70; ++station, x = x + 20) {
        const Vec2 p{x, static_cast<float>(LayerHeight(x))};
        s.MoveTo(s.Context, MapToScreenX(x), MapToScreenY(LayerHeight(x)));
        const Vec2Double tangent = WhiskerEnd(p, LayerTangent(x), 120), normal = WhiskerEnd(p, LayerNormal(x), 80);
        if (Scene.ShowTangents) {
            s.LineTo(s.Context, MapToScreenX(tangent.x), MapToScreenY(tangent.y));
        }
        if (Scene.ShowNormals) {
            s.LineTo(s.Context, MapToScreenX(normal.x), MapToScreenY(normal.y));
        }
    }
    s.SelectPen(s.Context, PenId::Black);
    return met;
}

using FramePainter = SceneTest;

TEST_F(FramePainter, FirstDefaultFrame)
{
    Paint(Frame);
    EXPECT_EQ(Scene.PhaseOffset, 52.5f);
    const DrawOp* op = Frame.Ops;
    EXPECT_TRUE(op[0].Kind == DrawOpKind::Fill && op[0].X2 == 984 && op[0].Y2 == 506);
    // Each ray: pen, move (6, 490), line to the hit, pen, move, line to the ground.
    EXPECT_TRUE(op[3].X == 190 && op[3].Y == 100 && op[6].X == 304 && op[6].Y == 490);      // 55 degrees
    EXPECT_TRUE(op[87].X == 535 && op[87].Y == 91 && op[90].X == 1100 && op[90].Y == 490);  // 27 degrees
    for (int ray = 0; ray < 15; ++ray) {  // 47, 37 and 27 degrees are marked in both segments
        const bool marked = ray == 4 || ray == 9 || ray == 14;
        EXPECT_EQ(op[1 + 6 * ray].Pen, marked ? PenId::Marker : PenId::Ray) << 55 - 2 * ray;
        EXPECT_EQ(op[4 + 6 * ray].Pen, marked ? PenId::Marker : PenId::Reflection) << 55 - 2 * ray;
    }
    // The layer starts above the transmitter, steps back to column -3 and
    // stays between rows 91 and 113.
    ASSERT_EQ(op[91].Pen, PenId::Layer);
    EXPECT_TRUE(op[92].X == 6 && op[93].X == -3);
    EXPECT_TRUE(std::all_of(op + 92, op + 1037, [](const DrawOp& p) { return p.Y >= 91 && p.Y <= 113; }));
    // The station at x = 0 lies at (6, 97); its normal ends at (1, 19).
    ASSERT_EQ(op[1037].Pen, PenId::Whisker);
    EXPECT_TRUE(op[1038].X == 6 && op[1038].Y == 97 && op[1039].X == 1 && op[1039].Y == 19);
    EXPECT_TRUE(op[Frame.Count - 1].Kind == DrawOpKind::SelectPen && op[Frame.Count - 1].Pen == PenId::Black);

    Scene = StartSceneState();
    Scene.ShowNormals = 0, Scene.ShowTangents = 1;
    Paint(Frame);
    EXPECT_TRUE(op[1039].X == 85 && op[1039].Y == 86);  // the tangent instead
}

TEST_F(FramePainter, EveryFrameIsThePlainFrame)
{
    struct Case {
        const char* What;
        float Altitude, Amplitude, Frequency, PhaseStep, PhaseOffset;
        unsigned char Tangents, Normals;
        bool LosesRays;
    };
    const Case cases[] = {
        {"start values", 395.7f, 11.3f, 0.52f, 7.5f, 45, 0, 1, false},
        {"steep ripple", 150, 22, 1.2f, 7.5f, 157.5f, 1, 0, true},
        {"flat layer, no whiskers", 400, 0, 0, 14, 0, 0, 0, false},
        {"reversed drift", 100, 22, 1.2f, -5, 1234.5f, 0, 1, true},
        {"drift stopped past 2^27, coarse phases", 250, 11.3f, 0.52f, 7.5f, 134217728.0f, 1, 1, true},
        {"no ray meets the layer", 2e9f, 11.3f, 0.52f, 7.5f, 45, 0, 1, true},
    };
    for (const Case& c : cases) {
        Scene = StartSceneState();
        Scene.Altitude = c.Altitude, Scene.Amplitude = c.Amplitude;
        Scene.WaveNumber = WaveNumberFromFrequency(c.Frequency);
        Scene.PhaseStep = c.PhaseStep, Scene.PhaseOffset = c.PhaseOffset;
        Scene.ShowTangents = c.Tangents, Scene.ShowNormals = c.Normals;
        int lost = 0;
        for (int frame = 0; frame < 40; ++frame) {
            const SceneState before = Scene;
            Paint(Frame);
            const float drift = Scene.PhaseOffset;
            Scene = before;
            lost += 15 - PaintPlainly(Plain);
            ASSERT_EQ(drift, Scene.PhaseOffset) << c.What;
            ASSERT_TRUE(SameRecording(Frame, Plain)) << c.What << ", frame " << frame;
        }
        EXPECT_EQ(lost > 0, c.LosesRays) << c.What << ": " << lost << " rays lost";
    }
}

// The receiver, the map and the waterfall shown, their pictures drawn too.
TEST_F(FramePainter, FrameAllocatesNothing)
{
    ShowReceiver(true), ShowMap(true), ShowWaterfall(true);
    Paint(Frame);  // warm up anything lazily initialised by the libraries
    const int before = Allocations;
    for (int frame = 0; frame < 10; ++frame) {
        Paint(Frame);
        DrawSignalChart(RecordingSurface(Plain), 984, 181);
        DrawGroundMap(RecordingSurface(Plain), 984, 181), DrawWaterfall(RecordingSurface(Plain), 984, 181);
        DrawFadingView(RecordingSurface(Plain), 500, 300);
    }
    EXPECT_EQ(Allocations, before);
    EXPECT_EQ(Patterns.MapRows.Rows.Count, 11);
}

// While shown, the receiver comes after the scene: its pen, then each path
// from the transmitter up to the layer and down to the receiver on the
// ground, then its mark. The drift stays put while paused, and moves once
// for a step.
TEST_F(FramePainter, ReceiverPathsAndThePause)
{
    ShowReceiver(true);
    Viewer.Paused = 1;
    Paint(Frame);
    EXPECT_TRUE(Scene.PhaseOffset == 45.0f && Viewer.History.Count == 0);  // no step, no new sample
    const DrawOp* end = Frame.Ops + Frame.Count;
    const DrawOp* op = std::find_if(static_cast<const DrawOp*>(Frame.Ops), end,
                                    [](const DrawOp& o) { return o.Pen == PenId::Receiver; });
    const int paths = Viewer.Signal.DrawnPaths, column = MapToScreenX(900);
    ASSERT_GE(paths, 1);
    ASSERT_EQ(end - op, 1 + 3 * paths + 5 + 1);  // the pen, the paths, the mast, the black pen
    for (int i = 0; i < paths; ++i) {
        const DrawOp* path = &op[1 + 3 * i];
        EXPECT_TRUE(path[0].X == 6 && path[0].Y == 490 && path[2].X == column && path[2].Y == 490);
        EXPECT_TRUE(path[1].Y >= 91 && path[1].Y <= 113);  // on the layer
    }
    EXPECT_TRUE(op[1 + 3 * paths].X == column && op[1 + 3 * paths].Y == 490);  // the mast's foot
    Viewer.StepPending = 1;
    Paint(Frame);
    Paint(Frame);
    EXPECT_TRUE(Scene.PhaseOffset == 52.5f && Viewer.History.Count == 1);
    // A step asked for just before resuming is not kept for the next pause.
    Viewer.StepPending = 1, Viewer.Paused = 0;
    Paint(Frame);
    Viewer.Paused = 1;
    Paint(Frame);
    EXPECT_EQ(Scene.PhaseOffset, 60.0f);
}

// The chart's curves break where there was no signal. (Each level on the
// grid line labelled with it: SignalChart.LevelsBeyondTheScaleArePinnedAndMarked.)
TEST_F(FramePainter, ChartBreaksWhereThereWasNoSignal)
{
    for (int paths : {1, 1, 1, 0, 0, 2, 2, 2, 2}) {
        AddSignalSample(Viewer.History, SignalSample{0, paths, -10, 0});
    }
    ClearRecording(Frame);
    DrawSignalChart(RecordingSurface(Frame), 984, 181);
    int moves = 0, lines = 0;
    PenId pen = PenId::Black;
    for (const DrawOp* op = Frame.Ops; op < Frame.Ops + Frame.Count; ++op) {
        pen = op->Kind == DrawOpKind::SelectPen ? op->Pen : pen;
        moves += pen == PenId::Signal && op->Kind == DrawOpKind::MoveTo;
        lines += pen == PenId::Signal && op->Kind == DrawOpKind::LineTo;
    }
    EXPECT_TRUE(moves == 2 && lines == 2 + 3) << moves << " runs, " << lines << " lines";
}

// The text drawn with the given pen, and whether there is one.
bool HasText(const Recording& r, PenId pen, const std::string& text)
{
    return std::any_of(r.Ops, r.Ops + r.Count, [&](const DrawOp& op) {
        return op.Kind == DrawOpKind::Text && op.Pen == pen && std::string(r.Texts + op.X2, op.Y2) == text;
    });
}

// The first operation after the given pen is selected.
const DrawOp* AfterPen(const Recording& r, PenId pen)
{
    return std::find_if(r.Ops, r.Ops + r.Count,
                        [pen](const DrawOp& op) { return op.Kind == DrawOpKind::SelectPen && op.Pen == pen; }) +
           1;
}

// On Rayleigh paper, levels of Rayleigh fading lie on Rayleigh's straight
// line, wherever the paper is drawn; then three levels far beyond it
// (-100 dB) are pinned to its left edge, the grid's first line. Too few
// levels: it says so.
TEST_F(FramePainter, FadingViewOnRayleighPaper)
{
    DrawFadingView(RecordingSurface(Frame), 500, 300);
    EXPECT_TRUE(HasText(Frame, PenId::Label, "Collecting: 0 of 100 samples with a signal (R shows the receiver)"));
    Random random = SeededRandom(2);
    for (int i = 0; i < FadingWindowLength; ++i) {
        const double re = RandomNormal(random), im = RandomNormal(random);
        AddFadingLevel(Fading, 10 * std::log10(re * re + im * im));
    }
    for (const int width : {500, 984, 0}) {
        if (width == 0) {
            AddFadingLevel(Fading, -100), AddFadingLevel(Fading, -100), AddFadingLevel(Fading, -100);
        }
        ClearRecording(Frame);
        DrawFadingView(RecordingSurface(Frame), width == 0 ? 500 : width, 300);
        const int left = AfterPen(Frame, PenId::Grid)->X;
        const DrawOp* line = AfterPen(Frame, PenId::Rayleigh);  // a move and a line
        const double dB = (line[1].X - line[0].X) / 38.4;       // it spans -28.4 ... +10 dB (0.1 ... 99.9 %)
        int onLine = 0, pinned = 0;
        for (const DrawOp* op = AfterPen(Frame, PenId::Signal);
             op->Kind == DrawOpKind::MoveTo || op->Kind == DrawOpKind::LineTo; ++op) {
            const double x = line[0].X + (line[1].X - line[0].X) * double(op->Y - line[0].Y) / (line[1].Y - line[0].Y);
            onLine += std::fabs(op->X - x) <= 2 * dB;  // 3,000 levels: the 1 % level is good to 2 dB
            pinned += op->X == left;
            EXPECT_TRUE(op->X >= left && op->X < 984 && op->Y >= 0 && op->Y < 300) << op->X << " " << op->Y;
        }
        EXPECT_TRUE(width == 0 ? pinned > 0 : onLine > 110) << width << ": " << onLine << " of 121 on the line";
        EXPECT_TRUE(HasText(Frame, PenId::Rayleigh, "-18.4") && HasText(Frame, PenId::Signal, "measured"));
    }
}

}  // namespace
