#include "game/game_scene.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "content/manifest.h"
#include "content/stage_file.h"
#include "game/collision.h"
#include "game/defeat.h"
#include "game/extras.h"
#include "game/game_math.h"
#include "game/game_screen.h"
#include "game/shot.h"
#include "game/steering.h"
#include "game/tables.h"
#include "library/draw/el_draw.h"
#include "library/input/input.h"
#include "library/sound/el_sound.h"
#include "library/sound/music.h"
#include "library/system/el_system.h"
#include "library/system/failure.h"
#include "library/ui/message_box.h"
#include "scene/boxes.h"
#include "scene/scene_state.h"

GameState g_game;

void ResetGameState() { g_game = GameState(); }

namespace {

constexpr uint32_t kClearBannerMs = 3000;
constexpr uint32_t kSecond = 1000;

void ReadStage() {
  if (const std::optional<ContentError> refusal =
          ApplyStageFile(ReadStageFileAt(manifest::StageFile(g_game.stage)))) {
    PrintErrors({*refusal});
    NoteBoxEnglish(kStageRefusedEnglish);
    ShowMessage("データが読み込めませんでした。");
    g_state.exit_code = 1;
    QuitGame();
  }
}

// One explosion slot for each character active from entry 0 onwards.
void DisarmExplosionSlots() {
  int n = 0;
  while (n < CharCount() && g_chars[n].state == STATE_ACTIVE) ++n;
  for (int k = 0; k < n; ++k) g_system.InitWait(5 + k);
}

void EnterStage() {
  g_game.menu_cursor = 1;
  g_state.play_running = 1;
  g_state.game_in_progress = 1;
  ReadStage();
  {
    const LoadSource source(g_stage.bgm_named_at, g_stage.bgm_line);
    PlayMusic(g_stage.BGM, 1);
  }
  for (int slot = 1; slot <= 4; ++slot) g_system.InitWait(slot);
  g_game.menu_img = g_draw.LoadObject(manifest::kMenuPicture, elDraw::kOrdinary);
  g_game.menu_cursor_img = g_draw.LoadObject(manifest::kMenuCursor, elDraw::kOrdinary);
  g_game.turn = 0;
  g_chars[0].turn = 0;
  g_game.clear_phase = 0;
  g_game.time_up_phase = 0;
  ClearHitEffects();
  DisarmExplosionSlots();
  g_system.SetWait(4, kSecond);
}

void EndStage() {
  StageCleanup();
  g_state.game_in_progress = 0;
  g_state.play_running = 0;
  g_draw.ReleaseObject(g_game.menu_img);
  g_draw.ReleaseObject(g_game.menu_cursor_img);
}

// Every way out of a game: the stage's pictures and the menu's, once.
void LeaveGame(int scene) {
  EndStage();
  LeaveFor(scene);
}

void UpdatePlay() {
  Steering();
  MoveTrail();
  UpdatePositions();
  Thrust();
  const int hp_before = g_chars[0].hp;
  Collisions();
  GuardPlayerDamage(hp_before);
  StepBlink();
  const int state_before = g_chars[0].state;
  DefeatAndExplode();
  NoticePlayerDefeat(state_before);
  LimitSpeed();
  if (g_system.CheckWait(1) == 1) RevivalStep();
  if (g_system.CheckWait(2) == 1) {
    ResetShot();
    g_system.InitWait(2);
  }
  if (g_system.CheckWait(4) == 1) {
    AddSat(g_stage.INIT_TIME, -1);
    g_system.InitWait(4);
    g_system.SetWait(4, kSecond);
  }
}

int StageBonus() {
  if (g_stage.clear_bonus_flag == 1) return g_stage.CLEAR_BONUS;
  const int64_t bonus = (int64_t{g_game.stage} + 1) * g_param.CLEAR_BONUS +
                        int64_t{g_param.TIME_BONUS} * g_stage.INIT_TIME;
  return Saturate(bonus);
}

bool BannerShowing() {
  return g_system.CheckWait(3) == 0 && g_state.select != 1 && JoyButton(0, 1) == 0;
}

void NextStage() {
  g_state.select = 0;
  const bool follows = manifest::StageFollows(g_game.stage, g_param.MAX_STAGE);
  AddSat(g_game.stage, 1);
  if (follows) {
    AddStageLives();
    ResetShot();
    LeaveGame(SCENE_STAGE_INTRO);
  } else {
    LeaveGame(SCENE_ENDING);
  }
}

// false when the banner ended the frame with its own present.
bool StageCleared() {
  if (g_game.clear_phase == 0) {
    AddSat(g_game.score, StageBonus());
    CheckExtends();
    g_system.SetWait(3, kClearBannerMs);
  }
  g_game.clear_phase = 1;
  if (BannerShowing()) {
    g_draw.DrawObject(65, 200, g_stage.STAGE_CLEAR, 0, 0, 509, 59);
    g_draw.Present();
    return false;
  }
  NextStage();
  return true;
}

void PlayFrame() {
  DrawGameScreen();
  if (g_game.time_up_phase == 1) {
    if (TimeUpFrame()) LeaveGame(SCENE_GAME_OVER);
    g_draw.Present();
    return;
  }
  if (g_game.clear_phase == 0) {
    UpdatePlay();
    CheckExtends();
  }
  g_game.result = TurnCheck();
  // Characters of a turn past the last must not reopen a cleared stage.
  if (g_game.clear_phase == 1 && g_game.result == 1) g_game.result = 2;
  if (g_game.result == 0 && !StartTimeUp()) LeaveGame(SCENE_GAME_OVER);
  if (g_game.result == 2 && !StageCleared()) return;
  g_draw.Present();
}

void MenuInput() {
  if (g_state.up == 1) {
    g_state.up = 0;
    g_game.menu_cursor = 0;
    g_sound.PlayObject(g_sound_role.select, -1);
  }
  if (g_state.down == 1) {
    g_state.down = 0;
    g_game.menu_cursor = 1;
    g_sound.PlayObject(g_sound_role.select, -1);
  }
  if (g_state.select != 1) return;
  g_state.select = 0;
  if (g_game.menu_cursor == 0) {
    g_sound.PlayObject(g_sound_role.ok, -1);
    LeaveGame(SCENE_TITLE);
  } else {
    g_sound.PlayObject(g_sound_role.cancel, -1);
    g_state.play_running = 1;
  }
}

void MenuFrame() {
  DrawGameScreen();
  g_draw.DrawObjectOpaque(252, 165, g_game.menu_img, 0, 0, 135, 150);
  g_draw.DrawObject(273, 238 + 30 * g_game.menu_cursor, g_game.menu_cursor_img, 0, 0, 94, 25);
  g_draw.Present();
  MenuInput();
}

}  // namespace

void SceneGame() {
  if (g_state.scene_entry == 1) EnterStage();
  if (g_state.play_running == 1)
    PlayFrame();
  else
    MenuFrame();
}

void NewGameSetup() {
  g_game.stage = g_param.INIT_STAGE;
  g_game.stock = g_param.PLAYER_STOCK;
  g_game.score = 0;
  g_state.game_in_progress = 1;
  ResetShot();
  g_param.BLINK_TIME = 500;
  StartExtends();
  g_game.continues_left = std::max(g_param.CONTINUES, 0);
  g_game.continues_used = 0;
}

bool ContinueGame() {
  if (g_game.continues_left <= 0) return false;
  g_game.continues_left -= 1;
  g_game.continues_used += 1;
  g_game.stock = g_param.PLAYER_STOCK;
  g_game.score = 0;
  g_state.game_in_progress = 1;
  ResetShot();
  StartExtends();
  return true;
}

void AbandonStage() {
  // Only a stage whose entry frame has run holds its pictures.
  if (g_state.scene == SCENE_GAME && g_state.prev_scene == SCENE_GAME) EndStage();
}

void StageCleanup() {
  if (g_state.game_in_progress != 1) return;
  for (int i = 0; i < CharCount(); ++i) g_draw.ReleaseObject(g_chars[i].img);
  for (int k = 0; k < ObjectCount(); ++k) g_draw.ReleaseObject(g_objects[k].img);
  g_draw.ReleaseObject(g_stage.FONT);
  g_draw.ReleaseObject(g_stage.GAGE);
  g_draw.ReleaseObject(g_stage.GAGE_BASE);
  g_draw.ReleaseObject(g_stage.BG);
  g_draw.ReleaseObject(g_stage.STAGE_CLEAR);
  g_state.play_running = 0;
}
