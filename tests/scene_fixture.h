// Every test starts from the program's start values and leaves no trace.
#pragma once

#include <gtest/gtest.h>

#include "model/scene_state.h"

// Field by field: the record has padding, which memcmp would compare too.
inline bool SameScene(const SceneState& a, const SceneState& b)
{
    return a.Altitude == b.Altitude && a.Amplitude == b.Amplitude && a.Frequency == b.Frequency &&
           a.WaveNumber == b.WaveNumber && a.PhaseStep == b.PhaseStep && a.PhaseOffset == b.PhaseOffset &&
           a.RaySlope == b.RaySlope && a.LayerHit.x == b.LayerHit.x && a.LayerHit.y == b.LayerHit.y &&
           a.ShowTangents == b.ShowTangents && a.ShowNormals == b.ShowNormals;
}

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override { Scene = StartSceneState(); }
    void TearDown() override { Scene = StartSceneState(); }

    // The drift as the painter's first frame sees it: 45 + 7.5.
    static void UseFirstFrame() { Scene.PhaseOffset = Scene.PhaseOffset + Scene.PhaseStep; }
};
