// Start-up, the message loop and the frame.
#pragma once

// The scene functions by scene number; 0 has none.
using SceneFunction = void (*)();
constexpr int kSceneCount = 10;
extern SceneFunction g_scenes[kSceneCount];

// Start-up and the message loop; returns the exit code: 1 after a fatal error,
// else 0. full_screen: 1 or 0 overrides config.ini for this run, -1 does not.
int RunGame(int full_screen = -1);
int MessageLoop();
void RunFrame();
