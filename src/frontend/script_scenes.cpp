#include "frontend/script_scenes.h"

#include <string>

#include "content/game_params.h"
#include "content/manifest.h"
#include "content/scene_player.h"
#include "frontend/save_file.h"
#include "frontend/stage_card.h"
#include "frontend/stage_progress.h"
#include "game/extras.h"
#include "game/game_scene.h"
#include "game/game_state.h"
#include "library/draw/el_draw.h"
#include "library/sound/el_sound.h"
#include "scene/scene_state.h"

namespace {

// The paths live as long as the scenes, so no frame builds a string.
const std::string kOpening = manifest::kOpening;
const std::string kEnding = manifest::kEnding;
const std::string kGameOver = manifest::kGameOver;
std::string g_intro_path;

// The box after game over while continues are left: 0 carries on, 1 ends the game.
struct ContinueBox {
  int open = 0;
  int cursor = 0;
  int cursor_img = 0;
};
ContinueBox g_continue;

void DrawContinueBox() {
  g_draw.ClearScreen();
  g_draw.BeginText(1, 40, 0, 1, 0, 0);
  g_draw.SetTextColors(kBoxGold, kBoxDark, 0);
  g_draw.WriteText(200, 150, " CONTINUE? ");
  g_draw.BeginText(1, 28, 0, 1, 0, 0);
  g_draw.SetTextColors(kBoxCream, kBoxDark, 0);
  g_draw.WriteText(280, 232, " YES ");
  g_draw.WriteText(280, 272, " NO  ");
  g_draw.BeginText(1, 20, 0, 0, 0, 0);
  g_draw.SetTextColors(kBoxCream, kBoxDark, 1);
  g_draw.WriteText(220, 340, "CONTINUES LEFT " + std::to_string(g_game.continues_left));
  g_draw.EndText();
  g_draw.DrawObject(250, 230 + 40 * g_continue.cursor, g_continue.cursor_img, 0, 0, 19, 29);
  g_draw.Present();
}

void ContinueFrame() {
  DrawContinueBox();
  if (g_state.up == 1 || g_state.down == 1) {
    g_state.up = g_state.down = 0;
    g_continue.cursor = 1 - g_continue.cursor;
    g_sound.PlayObject(g_sound_role.select, -1);
  }
  if (g_state.select != 1) return;
  g_state.select = 0;
  g_sound.PlayObject(g_sound_role.ok, -1);
  g_draw.ReleaseObject(g_continue.cursor_img);
  g_continue.open = 0;
  // The ended game is ranked before its score starts again from 0.
  InsertScore(g_game.score);
  LeaveFor(g_continue.cursor == 0 && ContinueGame() ? SCENE_STAGE_INTRO : SCENE_TITLE);
}

void EndGame(const std::string& script, bool may_continue) {
  if (g_continue.open == 1) {
    ContinueFrame();
    return;
  }
  if (PlaySceneScript(script) != 0) return;
  if (may_continue && g_game.continues_left > 0) {
    g_continue = {1, 0, g_draw.LoadObject("img\\cursor.bmp", elDraw::kOrdinary)};
    g_state.up = g_state.down = g_state.select = 0;
    return;
  }
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
    if (g_param.STAGE_SELECT == 1) MarkReached(g_game.stage);
  }
  if (PlaySceneScript(g_intro_path, DrawStageCard) != 0) return;
  g_state.play_running = 1;
  LeaveFor(SCENE_GAME);
}

void ResetScriptScenes() {
  g_intro_path.clear();
  g_continue = ContinueBox();
}

void SceneEnding() { EndGame(kEnding, false); }

void SceneGameOver() { EndGame(kGameOver, true); }
