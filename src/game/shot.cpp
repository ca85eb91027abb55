#include "game/shot.h"

#include <cmath>
#include <cstdint>

#include "game/game_math.h"
#include "game/sound_pan.h"
#include "game/tables.h"
#include "library/sound/el_sound.h"
#include "library/system/el_system.h"
#include "scene/scene_state.h"

namespace {

// Moves along a direction 0 down, 1 right, 2 up, 3 left.
void Push(int direction, float amount, float& x, float& y) {
  if (direction == 0)
    y += amount;
  else if (direction == 1)
    x += amount;
  else if (direction == 2)
    y -= amount;
  else if (direction == 3)
    x -= amount;
}

bool Trails(int i) {
  const Shot& s = g_game.shot;
  return AbsSat(Trunc(s.x[i] - s.x[i - 1])) >= g_param.SHOT_INTERVAL ||
         AbsSat(Trunc(s.y[i] - s.y[i - 1])) >= g_param.SHOT_INTERVAL;
}

bool HeadOver(const Character& e) {
  const Shot& s = g_game.shot;
  const float hx = s.x[0], hy = s.y[0];
  return e.x - static_cast<float>(g_param.SHOT_SIZE_X) + 3.0f < hx &&
         hx < e.x + static_cast<float>(e.size_x) - 3.0f &&
         e.y - static_cast<float>(g_param.SHOT_SIZE_Y) + 3.0f < hy &&
         hy < e.y + static_cast<float>(e.size_y) - 3.0f;
}

// The distance flown, between the two top-left corners.
double Flown() {
  const Shot& s = g_game.shot;
  const double a = AbsSat(Trunc(s.origin_x - s.x[0]));
  const double b = AbsSat(Trunc(s.origin_y - s.y[0]));
  return std::sqrt(a * a + b * b);
}

void Hit(Character& e) {
  Shot& s = g_game.shot;
  g_system.SetWait(2, static_cast<uint32_t>(g_param.SHOT_TIMER));
  g_sound.PlayObject(g_sound_role.shot_hit, -1, PanOf(e));
  AddSat(g_game.score, Trunc(g_param.SHOT_SCORE * Flown()));
  s.state = SHOT_SPENT;
  AddSat(e.hp, -int64_t{g_param.SHOT_DAMAGE});
  Push(s.direction, static_cast<float>(g_param.SHOT_REACTION), e.vx, e.vy);
}

}  // namespace

void LaunchShot() {
  Shot& s = g_game.shot;
  Character& p = g_chars[0];
  g_sound.PlayObject(g_sound_role.shot, -1, PanOf(p));
  const float x =
      static_cast<float>(p.size_x >> 1) + p.x - static_cast<float>(g_param.SHOT_SIZE_X >> 1);
  const float y =
      static_cast<float>(p.size_y >> 1) + p.y - static_cast<float>(g_param.SHOT_SIZE_Y >> 1);
  const int n = ShadowCount();
  for (int i = 0; i < n; ++i) {
    s.x[i] = x;
    s.y[i] = y;
  }
  s.origin_x = p.x;
  s.origin_y = p.y;
  s.state = SHOT_FLYING;
  for (int i = 1; i < n; ++i) s.moving[i] = 0;
  s.direction = p.facing;
  // Recoil: the opposite of the shot's way.
  Push(p.facing, -static_cast<float>(g_param.SHOT_REACTION), p.vx, p.vy);
}

void MoveTrail() {
  Shot& s = g_game.shot;
  const float step = static_cast<float>(g_param.SHOT_SPEED) * g_state.frame_delta;
  for (int i = 0; i < ShadowCount(); ++i) {
    if (i >= 1 && Trails(i)) s.moving[i] = 1;
    if (s.moving[i] == 1) Push(s.direction, step, s.x[i], s.y[i]);
  }
}

// Only the head's corner counts; the top bound is the screen edge, not the wall.
void CheckShotLeaving() {
  Shot& s = g_game.shot;
  if (s.state != SHOT_FLYING) return;
  if (s.x[0] < 32.0f || s.x[0] > 608.0f || s.y[0] < 0.0f || s.y[0] > 448.0f) {
    s.state = SHOT_SPENT;
    g_sound.PlayObject(g_sound_role.shot_miss, -1, PanAt(s.x[0] + g_param.SHOT_SIZE_X / 2.0));
    g_system.SetWait(2, static_cast<uint32_t>(g_param.SHOT_TIMER));
  }
}

// Every active enemy under the head is hit, not just the first.
void CheckShotHits() {
  if (g_game.shot.state != SHOT_FLYING) return;
  for (int i = 1; i < CharCount(); ++i) {
    Character& e = g_chars[i];
    if (e.state == STATE_ACTIVE && HeadOver(e)) Hit(e);
  }
}

void ResetShot() {
  g_game.shot.state = SHOT_READY;
  g_game.shot.moving[0] = 1;
}
