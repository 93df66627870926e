#include "model/scene_state.h"

SceneState Scene = StartSceneState();
