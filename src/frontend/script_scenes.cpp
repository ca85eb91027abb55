#include "frontend/script_scenes.h"

#include <cstdio>
#include <string>

#include "content/scene_player.h"
#include "frontend/save_file.h"
#include "frontend/stage_card.h"
#include "game/game_state.h"
#include "scene/scene_state.h"

namespace {

// The paths live as long as the scenes, so no frame builds a string.
const std::string kOpening = "data\\demo_op.dat";
const std::string kEnding = "data\\demo_end.dat";
const std::string kGameOver = "data\\demo_go.dat";
std::string g_intro_path;

void EndGame(const std::string& script) {
  if (PlaySceneScript(script) != 0) return;
  InsertScore(g_game.score);
  LeaveFor(SCENE_TITLE);
}

}  // namespace

void SceneOpening() {
  if (PlaySceneScript(kOpening) == 0) LeaveFor(SCENE_TITLE);
}

void SceneStageIntro() {
  if (g_state.scene_entry == 1) {
    char path[32];
    std::snprintf(path, sizeof path, "data\\demo%d.dat", g_game.stage);
    g_intro_path = path;
    ReadStageCard(g_game.stage);
  }
  if (PlaySceneScript(g_intro_path, DrawStageCard) != 0) return;
  g_state.play_running = 1;
  LeaveFor(SCENE_GAME);
}

void ResetScriptScenes() { g_intro_path.clear(); }

void SceneEnding() { EndGame(kEnding); }

void SceneGameOver() { EndGame(kGameOver); }
