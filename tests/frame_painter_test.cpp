#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <vector>

#include "model/layer.h"
#include "model/reflection.h"
#include "model/scene_state.h"
#include "render/frame_painter.h"
#include "render/recording_surface.h"
#include "render/view_mapping.h"
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

Recording Frame;

// One ray as drawn: its two pens and the four ends of its two segments.
struct DrawnRay {
    PenId Up, Down;
    int HitX, HitY, GroundX;
};

class FramePainter : public SceneTest {
protected:
    void Paint()
    {
        ClearRecording(Frame);
        DrawFrame(RecordingSurface(Frame), 984, 506);
        ASSERT_EQ(Frame.Dropped, 0);
    }

    int Count(DrawOpKind kind) const
    {
        int n = 0;
        for (int i = 0; i < Frame.Count; ++i) {
            n += Frame.Ops[i].Kind == kind;
        }
        return n;
    }

    // Rays are the groups pen, move (6, 490), line, pen, move, line before the layer pen.
    std::vector<DrawnRay> Rays() const
    {
        std::vector<DrawnRay> rays;
        for (int i = 1; Frame.Ops[i].Pen != PenId::Layer; i += 6) {
            const DrawOp* op = &Frame.Ops[i];
            EXPECT_EQ(op[1].X, 6);
            EXPECT_EQ(op[1].Y, 490);
            EXPECT_EQ(op[4].X, op[2].X);
            EXPECT_EQ(op[4].Y, op[2].Y);
            EXPECT_EQ(op[5].Y, 490);
            rays.push_back(DrawnRay{op[0].Pen, op[3].Pen, op[2].X, op[2].Y, op[5].X});
        }
        return rays;
    }

    // The whisker lines, which follow the whisker pen.
    std::vector<DrawOp> WhiskerLines() const
    {
        std::vector<DrawOp> lines;
        int i = 0;
        while (Frame.Ops[i].Pen != PenId::Whisker || Frame.Ops[i].Kind != DrawOpKind::SelectPen) {
            ++i;
        }
        for (; i < Frame.Count; ++i) {
            if (Frame.Ops[i].Kind == DrawOpKind::LineTo) {
                lines.push_back(Frame.Ops[i]);
            }
        }
        return lines;
    }
};

TEST_F(FramePainter, FirstDefaultFrame)
{
    Paint();
    EXPECT_EQ(Scene.PhaseOffset, 52.5f);
    ASSERT_EQ(Frame.Ops[0].Kind, DrawOpKind::Fill);
    EXPECT_EQ(Frame.Ops[0].X2, 984);
    EXPECT_EQ(Frame.Ops[0].Y2, 506);

    const std::vector<DrawnRay> rays = Rays();
    ASSERT_EQ(rays.size(), 15u);
    // 55 degrees: up to (190, 100), back down at column 304.
    EXPECT_EQ(rays[0].Up, PenId::Ray);
    EXPECT_EQ(rays[0].Down, PenId::Reflection);
    EXPECT_EQ(rays[0].HitX, 190);
    EXPECT_EQ(rays[0].HitY, 100);
    EXPECT_EQ(rays[0].GroundX, 304);
    // 27 degrees: meets the layer at (535, 91), lands off screen at 1100.
    EXPECT_EQ(rays[14].HitX, 535);
    EXPECT_EQ(rays[14].HitY, 91);
    EXPECT_EQ(rays[14].GroundX, 1100);
    // 47, 37 and 27 degrees are marked in both segments, the others not.
    for (int i = 0; i < 15; ++i) {
        const PenId up = (i % 5 == 4) ? PenId::Marker : PenId::Ray;
        const PenId down = (i % 5 == 4) ? PenId::Marker : PenId::Reflection;
        EXPECT_EQ(rays[i].Up, up) << 55 - 2 * i;
        EXPECT_EQ(rays[i].Down, down) << 55 - 2 * i;
    }
    // The last ray's state survives the frame.
    EXPECT_NEAR(Scene.RaySlope, 0.509525, 1e-6);
    EXPECT_NEAR(Scene.LayerHit.x, 798.6, 0.05);

    // The default layer lies between rows 91 and 113.
    for (int i = 0; i < Frame.Count; ++i) {
        if (Frame.Ops[i].Kind == DrawOpKind::SelectPen && Frame.Ops[i].Pen == PenId::Layer) {
            EXPECT_EQ(Frame.Ops[i + 1].X, 6);
            EXPECT_EQ(Frame.Ops[i + 2].X, -3);
            for (int p = 1; p <= 945; ++p) {
                EXPECT_GE(Frame.Ops[i + p].Y, 91);
                EXPECT_LE(Frame.Ops[i + p].Y, 113);
            }
        }
    }
    EXPECT_EQ(Frame.Ops[Frame.Count - 1].Pen, PenId::Black);
}

TEST_F(FramePainter, WhiskerSwitches)
{
    Paint();
    std::vector<DrawOp> lines = WhiskerLines();
    ASSERT_EQ(lines.size(), 70u);
    EXPECT_EQ(lines[0].X, 1);
    EXPECT_EQ(lines[0].Y, 19);
    EXPECT_EQ(Count(DrawOpKind::MoveTo), 101);

    Scene = StartSceneState();
    Scene.ShowNormals = 0;
    Scene.ShowTangents = 1;
    Paint();
    lines = WhiskerLines();
    ASSERT_EQ(lines.size(), 70u);
    EXPECT_EQ(lines[0].X, 85);
    EXPECT_EQ(lines[0].Y, 86);

    Scene.ShowTangents = 0;
    Paint();
    EXPECT_TRUE(WhiskerLines().empty());
    EXPECT_EQ(Count(DrawOpKind::MoveTo), 101);  // the stations are still visited
}

// The painter computes its curve points and stations from their index and
// starts their sines ahead of the lines. Every line must still end where the
// plain walk along the layer puts it: x advanced by a running float sum,
// each height and whisker end taken at that x.
TEST_F(FramePainter, CurveAndWhiskersFollowThePlainWalkAlongTheLayer)
{
    struct Case {
        float Altitude, Amplitude, Frequency, PhaseOffset;
        unsigned char Tangents, Normals;
    };
    const Case cases[] = {{395.7f, 11.3f, 0.52f, 45.0f, 0, 1},
                          {100.0f, 22.0f, 1.2f, 1234.5f, 1, 1},
                          {400.0f, 0.0f, 0.0f, 0.0f, 1, 0},
                          {250.0f, 17.0f, 0.9f, 134217728.0f, 1, 1},
                          {120.0f, 5.0f, 0.05f, -98765.0f, 0, 0}};
    for (const Case& c : cases) {
        Scene = StartSceneState();
        Scene.Altitude = c.Altitude;
        Scene.Amplitude = c.Amplitude;
        Scene.WaveNumber = WaveNumberFromFrequency(c.Frequency);
        Scene.PhaseOffset = c.PhaseOffset;
        Scene.ShowTangents = c.Tangents;
        Scene.ShowNormals = c.Normals;
        Paint();

        int i = 0;
        while (Frame.Ops[i].Kind != DrawOpKind::SelectPen || Frame.Ops[i].Pen != PenId::Layer) {
            ++i;
        }
        ++i;
        EXPECT_EQ(Frame.Ops[i].Y, MapToScreenY(LayerHeight(0)));
        float x = -15;
        for (int point = 0; point < 944; ++point, x += 1.5f) {
            const DrawOp& op = Frame.Ops[++i];
            ASSERT_EQ(op.Kind, DrawOpKind::LineTo);
            ASSERT_EQ(op.X, MapToScreenX(x)) << "curve point " << point << ", altitude " << c.Altitude;
            ASSERT_EQ(op.Y, MapToScreenY(LayerHeight(x))) << "curve point " << point << ", altitude " << c.Altitude;
        }
        ASSERT_EQ(Frame.Ops[++i].Pen, PenId::Whisker);
        x = 0;
        for (int station = 0; station < 70; ++station, x += 20.0f) {
            const double height = LayerHeight(x);
            ASSERT_EQ(Frame.Ops[++i].Kind, DrawOpKind::MoveTo);
            ASSERT_EQ(Frame.Ops[i].X, MapToScreenX(x));
            ASSERT_EQ(Frame.Ops[i].Y, MapToScreenY(height)) << "station " << station;
            const Vec2 p{x, static_cast<float>(height)};
            if (c.Tangents) {
                const Vec2Double end = WhiskerEnd(p, LayerTangent(x), 120);
                ASSERT_EQ(Frame.Ops[++i].X, MapToScreenX(end.x)) << "tangent " << station;
                ASSERT_EQ(Frame.Ops[i].Y, MapToScreenY(end.y)) << "tangent " << station;
            }
            if (c.Normals) {
                const Vec2Double end = WhiskerEnd(p, LayerNormal(x), 80);
                ASSERT_EQ(Frame.Ops[++i].X, MapToScreenX(end.x)) << "normal " << station;
                ASSERT_EQ(Frame.Ops[i].Y, MapToScreenY(end.y)) << "normal " << station;
            }
        }
        EXPECT_EQ(Frame.Ops[++i].Pen, PenId::Black);
        EXPECT_EQ(i, Frame.Count - 1);
    }
}

TEST_F(FramePainter, OperationCountsStayWithinTheFrameBudget)
{
    for (int frame = 0; frame < 50; ++frame) {
        Paint();
        EXPECT_EQ(Count(DrawOpKind::Fill), 1);
        EXPECT_LE(Count(DrawOpKind::SelectPen), 33);
        EXPECT_LE(Count(DrawOpKind::MoveTo), 101);
        EXPECT_LE(Count(DrawOpKind::LineTo), 1044);
        EXPECT_LE(Frame.Count, MaxFrameOperations);
    }
}

TEST_F(FramePainter, DriftAdvancesOncePerFrame)
{
    Scene.PhaseStep = 0;
    Paint();
    static Recording first;
    first = Frame;
    Paint();
    EXPECT_TRUE(SameRecording(Frame, first));

    Scene.PhaseStep = -5;
    Paint();
    EXPECT_EQ(Scene.PhaseOffset, 40.0f);
    EXPECT_FALSE(SameRecording(Frame, first));

    // Past 2^27 a step of 7.5 no longer changes the float drift.
    Scene.PhaseStep = 7.5f;
    Scene.PhaseOffset = 134217728.0f;
    Paint();
    EXPECT_EQ(Scene.PhaseOffset, 134217728.0f);
}

TEST_F(FramePainter, MissesAreSkippedAndShiftTheMarkers)
{
    // A steep ripple where the 33-degree search cycles (see the model tests).
    Scene.Altitude = 150;
    Scene.Amplitude = 22;
    Scene.WaveNumber = static_cast<float>(120 * 0.00017453293);
    Scene.PhaseOffset = 165 - 7.5f;
    Paint();
    const std::vector<DrawnRay> rays = Rays();
    ASSERT_LT(rays.size(), 15u);
    for (size_t i = 0; i < rays.size(); ++i) {
        const bool marked = i % 5 == 4;
        EXPECT_EQ(rays[i].Up == PenId::Marker, marked) << i;
        EXPECT_EQ(rays[i].Down == PenId::Marker, marked) << i;
    }

    // With no ray meeting the layer only background, curve and whiskers remain.
    Scene = StartSceneState();
    Scene.Altitude = 2e9f;
    Paint();
    EXPECT_TRUE(Rays().empty());
    EXPECT_EQ(Scene.LayerHit.x, -999.0f);
    EXPECT_EQ(Count(DrawOpKind::LineTo), 944 + 70);
}

TEST_F(FramePainter, FrameAllocatesNothing)
{
    Paint();  // warm up anything lazily initialised by the libraries
    const int before = Allocations;
    for (int frame = 0; frame < 10; ++frame) {
        ClearRecording(Frame);
        DrawFrame(RecordingSurface(Frame), 984, 506);
    }
    EXPECT_EQ(Allocations, before);
}

}  // namespace
