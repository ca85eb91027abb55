#include "scene/scene_state.h"

SceneState g_state;

void ResetSceneState() { g_state = SceneState(); }
