// Many frames at the sliders' extremes and at very large drift values: every
// frame is complete and well formed, and the same state always draws the
// same frame.
#include <gtest/gtest.h>

#include "model/scene_state.h"
#include "render/frame_painter.h"
#include "render/recording_surface.h"
#include "scene_fixture.h"

namespace {

Recording First, Second;

// Checks the frame's structure and returns how many rays it drew.
int ExpectCompleteFrame(const Recording& r)
{
    EXPECT_EQ(r.Dropped, 0);
    EXPECT_EQ(r.Ops[0].Kind, DrawOpKind::Fill);
    EXPECT_EQ(r.Ops[r.Count - 1].Kind, DrawOpKind::SelectPen);
    EXPECT_EQ(r.Ops[r.Count - 1].Pen, PenId::Black);
    int i = 1, rays = 0;
    while (r.Ops[i].Pen != PenId::Layer || r.Ops[i].Kind != DrawOpKind::SelectPen) {
        EXPECT_EQ(r.Ops[i + 1].X, 6);    // every ray starts at the transmitter
        EXPECT_EQ(r.Ops[i + 5].Y, 490);  // and ends on the ground row
        i += 6;
        ++rays;
        if (rays > 15) {
            ADD_FAILURE() << "more than 15 rays";
            return rays;
        }
    }
    // Layer pen, move, 944 lines; whisker pen, 70 moves, whisker lines; black.
    EXPECT_EQ(r.Ops[i + 1].Kind, DrawOpKind::MoveTo);
    for (int p = 0; p < 944; ++p) {
        EXPECT_EQ(r.Ops[i + 2 + p].Kind, DrawOpKind::LineTo);
    }
    EXPECT_EQ(r.Ops[i + 946].Pen, PenId::Whisker);
    const int whiskerLines = Scene.ShowNormals + Scene.ShowTangents;
    EXPECT_EQ(r.Count, i + 947 + 70 * (1 + whiskerLines) + 1);
    return rays;
}

using LongRun = SceneTest;

TEST_F(LongRun, SliderExtremesOverManyFrames)
{
    const float altitudes[] = {100, 400}, amplitudes[] = {0, 22};
    const float waveNumbers[] = {0, static_cast<float>(120 * 0.00017453293)};
    const float steps[] = {-5, 14};
    int frames = 0, misses = 0;
    for (float h : altitudes) {
        for (float a : amplitudes) {
            for (float k : waveNumbers) {
                for (float step : steps) {
                    Scene = StartSceneState();
                    Scene.Altitude = h, Scene.Amplitude = a, Scene.WaveNumber = k, Scene.PhaseStep = step;
                    Scene.ShowNormals = frames % 3 == 0;
                    Scene.ShowTangents = frames % 3 == 1;
                    for (int f = 0; f < 150; ++f, ++frames) {
                        // Draw the frame twice from the same state: identical.
                        const SceneState before = Scene;
                        ClearRecording(First);
                        DrawFrame(RecordingSurface(First), 1000, 500);
                        const SceneState after = Scene;
                        Scene = before;
                        ClearRecording(Second);
                        DrawFrame(RecordingSurface(Second), 1000, 500);
                        ASSERT_TRUE(SameRecording(First, Second)) << frames;
                        ASSERT_TRUE(SameScene(after, Scene));
                        misses += 15 - ExpectCompleteFrame(First);
                        if (HasFailure()) {
                            return;
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(frames, 16 * 150);
    EXPECT_GT(misses, 0);  // the steep ripples do lose rays now and then
}

TEST_F(LongRun, DriftStopsPastTwoToThe27)
{
    // Below 2^27 the drift still moves (by 8, the float spacing there).
    Scene.PhaseOffset = 134217720.0f;
    DrawFrame(RecordingSurface(First), 1000, 500);
    EXPECT_EQ(Scene.PhaseOffset, 134217728.0f);
    // From 2^27 on, a step of 7.5 rounds away: every frame is the same.
    for (float offset : {134217728.0f, 1e9f, 3e38f}) {
        Scene = StartSceneState();
        Scene.PhaseOffset = offset;
        ClearRecording(First);
        DrawFrame(RecordingSurface(First), 1000, 500);
        ExpectCompleteFrame(First);
        for (int f = 0; f < 50; ++f) {
            ClearRecording(Second);
            DrawFrame(RecordingSurface(Second), 1000, 500);
            ASSERT_TRUE(SameRecording(First, Second)) << offset;
        }
        EXPECT_EQ(Scene.PhaseOffset, offset);
    }
    // Ten thousand frames from the start value drift by exactly 75000.
    Scene = StartSceneState();
    for (int f = 0; f < 10000; ++f) {
        ClearRecording(First);
        DrawFrame(RecordingSurface(First), 1000, 500);
    }
    ExpectCompleteFrame(First);
    EXPECT_EQ(Scene.PhaseOffset, 45.0f + 75000.0f);
}

}  // namespace
