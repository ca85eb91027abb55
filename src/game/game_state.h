// The game scene's globals: the run of one game across its stages, and the shot.
#pragma once

#include <array>
#include <cstdint>

constexpr int MAX_SHADOW = 64;

enum ShotState { SHOT_READY = 0, SHOT_FLYING = 1, SHOT_SPENT = 2 };

struct Shot {
  int state = SHOT_READY;
  int direction = 0;  // 0 down, 1 right, 2 up, 3 left
  float origin_x = 0, origin_y = 0;
  std::array<float, MAX_SHADOW> x{};  // segment 0 is the head
  std::array<float, MAX_SHADOW> y{};
  std::array<int, MAX_SHADOW> moving{1};  // the head always moves
};

struct GameState {
  int stage = 0;
  int score = 0;
  int stock = 0;
  int turn = 0;
  int clear_phase = 0;
  int result = 1;       // 0 game over, 1 play on, 2 stage cleared
  int menu_cursor = 1;  // 0 back to the title, 1 resume
  int menu_img = 0;
  int menu_cursor_img = 0;
  Shot shot;
  // What the keys of our own keep; all stay unused while their keys are off.
  int64_t next_extend = 0;  // the score that gives the next spare life
  int continues_left = 0;
  int continues_used = 0;
  uint32_t grace_until = 0;  // clock times, ms
  uint32_t flash_until = 0;
  int blink_hidden = 0;  // 1 while the blink hides the player
  float blink_time = 0;  // s since the blink last turned
  uint32_t shake_until = 0;
  uint32_t time_up_until = 0;
  int time_up_phase = 0;  // 1 while the "TIME UP" banner shows
};

extern GameState g_game;

void ResetGameState();
