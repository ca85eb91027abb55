// The title menu.
#pragma once

struct TitleState {
  int current = 0;  // the entry the cursor rests on or leaves
  int target = 0;   // the entry it glides to
  int cursor_y = 334;
  float cursor_y_exact = 334.0f;
  int title_img = 0;
  int cursor_img = 0;
};

extern TitleState g_title;

void ResetTitleState();

void SceneTitle();
