// Every test starts from the program's start values and leaves no trace.
#pragma once

#include <gtest/gtest.h>

#include "model/scene_state.h"
#include "model/viewer_state.h"

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override { Scene = StartSceneState(), StartViewer(); }
    void TearDown() override { SetUp(); }
};
