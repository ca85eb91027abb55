// The window procedure: what each platform message does, and the window it keeps.
#pragma once

#include <cstdint>

#include "platform/platform.h"

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

// Frame delta 0 and the frame clock from now: at start-up and when the window
// is active again.
void ResetFrameClock();

void WindowProc(const platform::Message& message);
void KeyboardHandler(int vk);
