// Every test starts from the program's start values and leaves no trace.
#pragma once

#include <gtest/gtest.h>

#include "model/scene_state.h"

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override { Scene = StartSceneState(); }
    void TearDown() override { Scene = StartSceneState(); }

    // The drift as the painter's first frame sees it: 45 + 7.5.
    static void UseFirstFrame() { Scene.PhaseOffset = Scene.PhaseOffset + Scene.PhaseStep; }
};
