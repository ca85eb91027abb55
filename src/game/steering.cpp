#include "game/steering.h"

#include "game/game_math.h"
#include "game/shot.h"
#include "game/tables.h"
#include "library/input/input.h"
#include "platform/platform.h"
#include "scene/scene_state.h"

namespace {

// Each key starts from state 0, so a key that is down reads 1 on every frame.
bool KeyDown(int vk) {
  int state = 0;
  KeyState(vk, state);
  return state == 1;
}

void KeyboardControl(Character& c) {
  const bool up = KeyDown(platform::VK_UP);
  const bool down = KeyDown(platform::VK_DOWN);
  const bool left = KeyDown(platform::VK_LEFT);
  const bool right = KeyDown(platform::VK_RIGHT);
  const bool fire = KeyDown(platform::VK_SPACE);
  if (up) {
    c.facing = 2;
    c.move_up = 1;
  } else if (down) {
    c.facing = 0;
    c.move_down = 1;
  }
  if (left) {
    c.facing = 3;
    c.move_left = 1;
  } else if (right) {
    c.facing = 1;
    c.move_right = 1;
  }
  if (fire && g_game.shot.state == SHOT_READY && g_chars[0].state == STATE_ACTIVE) LaunchShot();
}

bool MainlyHorizontal(const Character& c, const Character& player) {
  return AbsSat(Trunc(c.y - player.y)) < AbsSat(Trunc(c.x - player.x));
}

void Chase(Character& c) {
  const Character& p = g_chars[0];
  const bool horizontal = MainlyHorizontal(c, p);
  if (c.x < p.x) {
    c.move_right = 1;
    if (horizontal) c.facing = 1;
  } else if (c.x > p.x) {
    c.move_left = 1;
    if (horizontal) c.facing = 3;
  }
  if (c.y < p.y) {
    c.move_down = 1;
    if (!horizontal) c.facing = 0;
  } else if (c.y > p.y) {
    c.move_up = 1;
    if (!horizontal) c.facing = 2;
  }
}

// Flees, but stays inside the box x 100..540, y 100..380.
void Flee(Character& c) {
  const Character& p = g_chars[0];
  const bool horizontal = MainlyHorizontal(c, p);
  if (c.x > p.x) {
    if (c.x < 540.0f) {
      c.move_right = 1;
      if (horizontal) c.facing = 1;
    }
  } else if (c.x < p.x) {
    if (c.x > 100.0f) {
      c.move_left = 1;
      if (horizontal) c.facing = 3;
    }
  }
  if (c.y > p.y) {
    if (c.y < 380.0f) {
      c.move_down = 1;
      if (!horizontal) c.facing = 0;
    }
  } else if (c.y < p.y) {
    if (c.y > 100.0f) {
      c.move_up = 1;
      if (!horizontal) c.facing = 2;
    }
  }
}

}  // namespace

void Steering() {
  for (int i = 0; i < CharCount(); ++i) {
    Character& c = g_chars[i];
    if (!InPlay(c)) continue;
    if (c.ai == 0)
      KeyboardControl(c);
    else if (c.ai == 1)
      Chase(c);
    else if (c.ai == 2)
      Flee(c);
  }
}

void UpdatePositions() {
  const float dt = g_state.frame_delta;
  for (int i = 0; i < CharCount(); ++i) {
    Character& c = g_chars[i];
    if (!InPlay(c)) continue;
    c.x += c.vx * dt;
    c.y += c.vy * dt;
  }
}

void Thrust() {
  const float dt = g_state.frame_delta;
  for (int i = 0; i < CharCount(); ++i) {
    Character& c = g_chars[i];
    if (!InPlay(c)) continue;
    if (c.move_up == 1) c.vy -= static_cast<float>(c.ay) * dt;
    if (c.move_down == 1) c.vy += static_cast<float>(c.ay) * dt;
    if (c.move_left == 1) c.vx -= static_cast<float>(c.ax) * dt;
    if (c.move_right == 1) c.vx += static_cast<float>(c.ax) * dt;
    c.move_up = c.move_down = c.move_left = c.move_right = 0;
  }
}

// Only the positive direction is capped.
void LimitSpeed() {
  for (int i = 0; i < CharCount(); ++i) {
    Character& c = g_chars[i];
    if (!InPlay(c)) continue;
    const float max = static_cast<float>(c.max);
    if (c.vy > max) c.vy = max;
    if (c.vx > max) c.vx = max;
  }
}
