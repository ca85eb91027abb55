// The game scene's globals: the run of one game across its stages.
#pragma once

struct GameState {
  int stage = 0;
  int score = 0;
  int stock = 0;
  int turn = 0;
  int clear_phase = 0;
  int result = 1;  // 0 game over, 1 play on, 2 stage cleared
  int menu_cursor = 1;  // 0 back to the title, 1 resume
  int menu_img = 0;
  int menu_cursor_img = 0;
};

extern GameState g_game;
