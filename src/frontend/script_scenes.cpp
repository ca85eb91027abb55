#include "frontend/script_scenes.h"

#include <string>

#include "content/manifest.h"
#include "content/scene_player.h"
#include "frontend/save_file.h"
#include "frontend/stage_card.h"
#include "game/game_state.h"
#include "scene/scene_state.h"

namespace {

// The paths live as long as the scenes, so no frame builds a string.
const std::string kOpening = manifest::kOpening;
const std::string kEnding = manifest::kEnding;
const std::string kGameOver = manifest::kGameOver;
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
    g_intro_path = manifest::StageIntro(g_game.stage);
    ReadStageCard(g_game.stage);
  }
  if (PlaySceneScript(g_intro_path, DrawStageCard) != 0) return;
  g_state.play_running = 1;
  LeaveFor(SCENE_GAME);
}

void ResetScriptScenes() { g_intro_path.clear(); }

void SceneEnding() { EndGame(kEnding); }

void SceneGameOver() { EndGame(kGameOver); }
