#include "content/boot_scene.h"

#include "shell/shell_state.h"

void SceneBoot() { LeaveFor(SCENE_OPENING); }
