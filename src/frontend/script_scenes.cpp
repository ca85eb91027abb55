#include "frontend/script_scenes.h"

#include "shell/shell_state.h"

void SceneOpening() { LeaveFor(SCENE_TITLE); }
void SceneStageIntro() {}
void SceneEnding() {}
void SceneGameOver() {}
