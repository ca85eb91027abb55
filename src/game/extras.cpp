#include "game/extras.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "game/game_math.h"
#include "game/tables.h"
#include "library/draw/el_draw.h"
#include "library/sound/el_sound.h"
#include "platform/platform.h"
#include "scene/scene_state.h"

namespace {

// ms hidden, then ms shown, counted in frame time: a clock phase could meet
// every frame of a slow display hidden.
constexpr float kBlinkStep = 0.06f;
constexpr int kFlashOnlyMs = 480;  // the blink without a grace
constexpr uint32_t kShakeStep = 40;
constexpr int kShake[][2] = {{7, 0}, {-6, 4}, {5, -5}, {-4, 2}};
constexpr int kBossBarRight = 620, kBossBarY = 455, kBossBarWidth = 280;

// The clock is read only while a key asks for it: a record of a game without
// our keys holds no reading of ours.
uint32_t Now() { return platform::Get().Clock(); }
// A deadline of the wrapping millisecond clock; 0 is none.
uint32_t Deadline(int ms) { return std::max(Now() + static_cast<uint32_t>(std::max(ms, 0)), 1u); }
bool Before(uint32_t until) { return until != 0 && static_cast<int32_t>(until - Now()) > 0; }

}  // namespace

void StartExtends() { g_game.next_extend = g_param.EXTEND_SCORE; }

void CheckExtends() {
  if (g_param.EXTEND_SCORE <= 0) return;
  while (g_game.score >= g_game.next_extend) {
    AddSat(g_game.stock, 1);
    g_game.next_extend += g_param.EXTEND_SCORE;
    g_sound.PlayObject(g_sound_role.ok, -1);
  }
}

void AddStageLives() {
  if (g_param.EXTEND_STAGE > 0) AddSat(g_game.stock, g_param.EXTEND_STAGE);
}

void ClearHitEffects() {
  g_game.grace_until = g_game.flash_until = g_game.shake_until = 0;
  g_game.blink_hidden = 0;
}

void GuardPlayerDamage(int hp_before) {
  Character& p = g_chars[0];
  if (p.hp >= hp_before || p.state != STATE_ACTIVE) return;
  if (g_param.HIT_GRACE > 0 && Before(g_game.grace_until)) {
    p.hp = hp_before;
    return;
  }
  if (g_param.HIT_GRACE > 0) g_game.grace_until = Deadline(g_param.HIT_GRACE);
  if (g_param.HIT_FLASH == 1)
    g_game.flash_until = Deadline(std::max(g_param.HIT_GRACE, kFlashOnlyMs));
  g_game.blink_hidden = g_param.HIT_FLASH == 1 ? 1 : 0;
  g_game.blink_time = 0.0f;
}

void NoticePlayerDefeat(int state_before) {
  if (g_param.DEFEAT_SHAKE <= 0) return;
  if (state_before != STATE_EXPLODING && g_chars[0].state == STATE_EXPLODING)
    g_game.shake_until = Deadline(g_param.DEFEAT_SHAKE);
}

void StepBlink() {
  if (g_param.HIT_FLASH != 1 || g_game.flash_until == 0) return;
  if (!Before(g_game.flash_until)) {
    g_game.flash_until = 0;
    g_game.blink_hidden = 0;
    return;
  }
  g_game.blink_time += g_state.frame_delta;
  if (g_game.blink_time < kBlinkStep) return;
  g_game.blink_time = 0.0f;
  g_game.blink_hidden = 1 - g_game.blink_hidden;
}

bool HiddenByBlink(int i) { return i == 0 && g_game.blink_hidden == 1; }

bool DrawnDim(const Character& c) {
  return g_param.DIM_EARLY == 1 && &c != &g_chars[0] && c.state == STATE_ACTIVE &&
         c.turn != g_game.turn;
}

// The gauge picture's width, or none for a handle outside the table.
int GaugePictureWidth() {
  const int gage = g_stage.GAGE;
  if (gage < 0 || gage >= elDraw::kObjects) return 0;
  return static_cast<int>(g_draw.Slot(gage).width);
}

// The first boss in play: its hit points out of its initial ones, in the
// player's gauge picture and frame, at the bottom right.
void DrawBossBar() {
  for (int i = 1; i < CharCount(); ++i) {
    const Character& c = g_chars[i];
    if (c.boss != 1 || c.state != STATE_ACTIVE || c.turn != g_game.turn) continue;
    const int bar = std::min(GaugePictureWidth(), kBossBarWidth);
    const int64_t full = std::max(c.init_hp, 1);
    const int width = Saturate(std::clamp<int64_t>(c.hp, 0, full) * bar / full);
    const int x = kBossBarRight - bar;
    g_draw.DrawObjectOpaque(x - 10, 448, g_stage.GAGE_BASE, 0, 0, bar + 20, 32);
    g_draw.DrawObjectOpaque(x, kBossBarY, g_stage.GAGE, 0, 0, width, 19);
    return;
  }
}

void ShakeFrame() {
  if (g_param.DEFEAT_SHAKE <= 0 || !Before(g_game.shake_until)) return;
  const int* d = kShake[(g_game.shake_until - Now()) / kShakeStep % 4];
  Surface& back = g_draw.BackBuffer();
  const std::vector<uint16_t> frame = back.pixels;
  for (int y = 0; y < back.height; ++y) {
    uint16_t* row = back.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(back.pitch);
    const int from_y = y - d[1];
    for (int x = 0; x < back.width; ++x) {
      const int from_x = x - d[0];
      const bool inside = from_x >= 0 && from_x < back.width && from_y >= 0 && from_y < back.height;
      row[x] = inside ? frame[static_cast<size_t>(from_y) * static_cast<size_t>(back.pitch) +
                              static_cast<size_t>(from_x)]
                      : 0;
    }
  }
}

bool StartTimeUp() {
  if (g_param.TIME_UP <= 0 || g_chars[0].state == STATE_GONE || g_stage.INIT_TIME >= 1)
    return false;
  g_game.time_up_phase = 1;
  g_game.time_up_until = Deadline(g_param.TIME_UP);
  // The field freezes under the banner: a blink caught hidden would hide the player throughout.
  g_game.flash_until = 0;
  g_game.blink_hidden = 0;
  return true;
}

bool TimeUpFrame() {
  g_draw.BeginText(1, 48, 0, 1, 0, 0);
  g_draw.SetTextColors(kBoxGold, kBoxDark, 0);
  g_draw.WriteText(212, 212, " TIME UP ");
  g_draw.EndText();
  return !Before(g_game.time_up_until);
}
