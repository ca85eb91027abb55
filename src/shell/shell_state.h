// The shell's globals that scenes read and write: scene dispatch, frame
// timing, activation, menu input flags and the game flags of the keyboard handler.
#pragma once

#include <cstdint>

constexpr int SCENE_BOOT = 1;
constexpr int SCENE_GAME = 2;
constexpr int SCENE_TITLE = 3;
constexpr int SCENE_STAGE_INTRO = 4;
constexpr int SCENE_RANKING = 5;
constexpr int SCENE_HOWTO = 6;
constexpr int SCENE_ENDING = 7;
constexpr int SCENE_GAME_OVER = 8;
constexpr int SCENE_OPENING = 9;

struct ShellState {
  int scene = 0;
  int prev_scene = 0;
  int scene_entry = 0;
  float frame_delta = 0.0f;
  uint32_t last_frame_time = 0;
  int blink = 1;
  uint32_t next_blink_time = 0;
  int active = 0;
  int full_screen = 1;
  int cursor_visible = 1;
  int message_box = 0;
  int client_x = 0;
  int client_y = 0;
  int shutdown_state = 0;  // 0 running, 1 the user closed the window, 2 QuitGame has run
  // Menu input flags: set by the keyboard handler, cleared by the scene that acts on them.
  int select = 0;
  int up = 0;
  int down = 0;
  int play_running = 0;
  int game_in_progress = 0;
  // config.ini
  int fps_display = 0;
  int graphic_mode = 0;
};

extern ShellState g_shell;

// Moves to another scene; the next frame enters it with the scene-entry flag set.
inline void LeaveFor(int scene) {
  g_shell.scene = scene;
  g_shell.prev_scene = 0;
}

// Puts the shell globals back to their start values (tests, start-up).
void ResetShellState();
