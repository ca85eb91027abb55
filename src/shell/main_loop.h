// Start-up, the message loop and the frame.
#pragma once

#include <cstdint>

// What only the shell knows of the window and the frame clock.
struct WindowState {
  uint32_t last_frame_time = 0;
  uint32_t next_blink_time = 0;
  int active = 0;
  int full_screen = 1;
  int client_x = 0;
  int client_y = 0;
};

extern WindowState g_window;

// The scene functions by scene number; 0 has none.
using SceneFunction = void (*)();
constexpr int kSceneCount = 10;
extern SceneFunction g_scenes[kSceneCount];

// Start-up and the message loop; returns the exit code: 1 after a fatal error,
// else 0. full_screen: 1 or 0 overrides config.ini for this run, -1 does not.
int RunGame(int full_screen = -1);
int MessageLoop();
void RunFrame();
void ResetFrameClock();
