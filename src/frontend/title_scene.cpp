#include "frontend/title_scene.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "content/game_params.h"
#include "content/manifest.h"
#include "frontend/save_file.h"
#include "frontend/stage_progress.h"
#include "game/extras.h"
#include "game/game_math.h"
#include "game/game_scene.h"
#include "game/game_state.h"
#include "library/draw/el_draw.h"
#include "library/sound/el_sound.h"
#include "library/sound/music.h"
#include "scene/boxes.h"
#include "scene/scene_state.h"

TitleState g_title;

void ResetTitleState() { g_title = TitleState(); }

namespace {

constexpr int kFirstY = 334;
constexpr int kSpacing = 30;
constexpr int kCursorX = 75;
constexpr int kEntries = 4;
constexpr float kGlidesPerSecond = 12.0f;

int EntryY(int entry) { return kFirstY + kSpacing * entry; }

void Enter() {
  g_title.current = g_title.target = 0;
  g_title.cursor_y = kFirstY;
  g_title.cursor_y_exact = static_cast<float>(kFirstY);
  g_title.title_img = g_draw.LoadObject(manifest::kTitlePicture, elDraw::kOrdinary);
  g_title.cursor_img = g_draw.LoadObject(manifest::kTitleCursor, elDraw::kOrdinary);
  PlayMusic(manifest::kTitleMusic, 1);
  g_state.down = g_state.up = g_state.select = 0;
  g_title.select_open = 0;
}

void Arrive() {
  g_title.cursor_y = EntryY(g_title.target);
  g_title.cursor_y_exact = static_cast<float>(g_title.cursor_y);
  g_sound.PlayObject(g_sound_role.select, -1);
  g_title.current = g_title.target;
}

// The glide takes 1/12 s whatever the distance: the speed grows with it.
void Glide() {
  const float speed =
      static_cast<float>(std::abs(g_title.target - g_title.current) * kSpacing) * kGlidesPerSecond;
  if (g_title.target > g_title.current) {
    g_title.cursor_y_exact += speed * g_state.frame_delta;
    g_title.cursor_y = Trunc(g_title.cursor_y_exact);  // a frame of days must still arrive
    if (g_title.cursor_y >= EntryY(g_title.target)) Arrive();
  } else if (g_title.target < g_title.current) {
    g_title.cursor_y_exact -= speed * g_state.frame_delta;
    g_title.cursor_y = Trunc(g_title.cursor_y_exact);
    if (g_title.cursor_y <= EntryY(g_title.target)) Arrive();
  }
}

bool AtRest() { return g_title.target == g_title.current; }

void Quit() {
  StopMusic();
  WriteSaveFile();
  g_draw.ReleaseObject(g_param.SHOT_IMG);
  g_draw.ReleaseObject(g_param.STOCK_IMG);
  QuitGame();
}

// The first stage and every later one this save has reached; false when there is no choice.
bool OpenStageSelect() {
  if (g_param.STAGE_SELECT != 1) return false;
  const Reached reached = ReadProgress();
  const int first = std::clamp(g_param.INIT_STAGE, 0, kProgressStages - 1);
  const int end = std::clamp(g_param.MAX_STAGE, first + 1, kProgressStages);
  g_title.stage_count = 0;
  for (int s = first; s < end; ++s)
    if (s == first || reached[static_cast<size_t>(s)])
      g_title.stages[static_cast<size_t>(g_title.stage_count++)] = s;
  g_title.choice = 0;
  g_title.select_open = g_title.stage_count > 1 ? 1 : 0;
  return g_title.select_open == 1;
}

// Beside the menu's panel, above its key help.
void DrawStageSelect() {
  const int stage = g_title.stages[static_cast<size_t>(g_title.choice)];
  g_draw.BeginText(1, 24, 0, 1, 0, 0);
  g_draw.SetTextColors(kBoxGold, kBoxDark, 0);
  g_draw.WriteText(392, 296, " START AT STAGE " + std::to_string(stage) + " ");
  g_draw.BeginText(1, 18, 0, 0, 0, 0);
  g_draw.SetTextColors(kBoxCream, kBoxDark, 0);
  g_draw.WriteText(392, 330, " UP / DOWN: STAGE ");
  g_draw.WriteText(392, 352, " ENTER: START     ");
  g_draw.EndText();
}

void StageSelectInput() {
  const int n = g_title.stage_count;
  if (g_state.up == 1) g_title.choice = (g_title.choice + n - 1) % n;
  if (g_state.down == 1) g_title.choice = (g_title.choice + 1) % n;
  if (g_state.up == 1 || g_state.down == 1) g_sound.PlayObject(g_sound_role.select, -1);
  g_state.up = g_state.down = 0;
  if (g_state.select != 1) return;
  g_state.select = 0;
  g_sound.PlayObject(g_sound_role.ok, -1);
  g_draw.ReleaseObject(g_title.title_img);
  g_draw.ReleaseObject(g_title.cursor_img);
  g_title.select_open = 0;
  NewGameSetup();
  g_game.stage = g_title.stages[static_cast<size_t>(g_title.choice)];
  LeaveFor(SCENE_STAGE_INTRO);
}

void Choose() {
  g_state.select = 0;
  g_sound.PlayObject(g_sound_role.ok, -1);
  if (g_title.current == 0 && OpenStageSelect()) return;
  g_draw.ReleaseObject(g_title.title_img);
  g_draw.ReleaseObject(g_title.cursor_img);
  switch (g_title.current) {
    case 0:
      NewGameSetup();
      LeaveFor(SCENE_STAGE_INTRO);
      break;
    case 1: LeaveFor(SCENE_HOWTO); break;
    case 2: LeaveFor(SCENE_RANKING); break;
    default: Quit(); break;
  }
}

}  // namespace

void SceneTitle() {
  if (g_state.scene_entry == 1) Enter();
  g_draw.DrawObjectOpaque(0, 0, g_title.title_img, 0, 0, 639, 479);
  g_draw.DrawObject(kCursorX, g_title.cursor_y, g_title.cursor_img, 0, 0, 19, 29);
  if (g_title.select_open == 1) DrawStageSelect();
  if (g_state.fps_display == 1) g_draw.DrawFps();
  g_draw.Present();
  if (g_title.select_open == 1) {
    StageSelectInput();
    return;
  }
  Glide();
  if (g_state.up == 1 && AtRest()) {
    g_state.up = 0;
    g_title.target = g_title.current - 1 < 0 ? kEntries - 1 : g_title.current - 1;
  }
  if (g_state.down == 1 && AtRest()) {
    g_state.down = 0;
    g_title.target = g_title.current + 1 > kEntries - 1 ? 0 : g_title.current + 1;
  }
  if (g_state.select == 1 && AtRest()) Choose();
}
