// Every test starts from the program's start values and leaves no trace.
#pragma once

#include <gtest/gtest.h>

#include "model/scene_state.h"

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override { Scene = StartSceneState(); }
    void TearDown() override { Scene = StartSceneState(); }
};

// The steep ripple where some searches cycle: altitude 150, amplitude 22,
// frequency 1.20.
inline void UseSteepRipple()
{
    Scene.Altitude = 150;
    Scene.Amplitude = 22;
    Scene.WaveNumber = static_cast<float>(120 * 0.00017453293);
}
