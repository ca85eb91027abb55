// The application shell: start-up, the message loop, the frame and the window procedure.
#pragma once

#include <string>

#include "platform/platform.h"

constexpr const char* kCaption = "Lantern Drift Ver.2";

// The scene functions by scene number; 0 has none.
using SceneFunction = void (*)();
constexpr int kSceneCount = 10;
extern SceneFunction g_scenes[kSceneCount];

// Start-up and the message loop; returns the exit code, 0 in every case.
int RunGame();
int MessageLoop();
void RunFrame();
void ResetFrameClock();
void WindowProc(const platform::Message& message);
void KeyboardHandler(int vk);

// config.ini
void ReadConfig(const std::string& file);
// MUSIC_VOLUME= and SOUND_VOLUME=, 0..100, 100 when absent; the reader above ignores them.
void ReadVolumes(const std::string& file, int& music, int& sound);
extern int g_config_full_screen;
