// The title menu.
#pragma once

#include <array>

struct TitleState {
  int current = 0;  // the entry the cursor rests on or leaves
  int target = 0;   // the entry it glides to
  int cursor_y = 334;
  float cursor_y_exact = 334.0f;
  int title_img = 0;
  int cursor_img = 0;
  // The stage select a new game opens when the save has reached later stages.
  int select_open = 0;
  int choice = 0;  // into stages
  std::array<int, 64> stages{};
  int stage_count = 0;
};

extern TitleState g_title;

void ResetTitleState();

void SceneTitle();
