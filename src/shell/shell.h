// The application shell: start-up, the message loop, the frame and the window procedure.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "platform/sdl_platform_factory.h"

constexpr const char* kCaption = "Lantern Drift Ver.2";

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
void WindowProc(const platform::Message& message);
void KeyboardHandler(int vk);

// config.ini
void ReadConfig(const std::string& file);
// MUSIC_VOLUME= and SOUND_VOLUME=, 0..100, 100 when absent; the reader above ignores them.
void ReadVolumes(const std::string& file, int& music, int& sound);
// PRESENT=surface or renderer: how pictures reach the window, when the machine's choice is not wanted.
platform::PresentPath ReadPresentPath(const std::string& file);
extern int g_config_full_screen;

// Every subsystem back to its start values: start-up, tests, fuzzers, benchmarks.
void ResetProgramState();
