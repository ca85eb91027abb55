#include "content/boot_scene.h"

#include "content/game_dat.h"
#include "shell/shell_state.h"

void SceneBoot() {
  ReadGameParams("Data\\game.dat");
  LeaveFor(SCENE_OPENING);
}
