#include "frontend/boot_scene.h"

#include "content/game_dat.h"
#include "scene/scene_state.h"

void SceneBoot() {
  ReadGameParams("Data\\game.dat");
  LeaveFor(SCENE_OPENING);
}
