// What the scenes share: scene dispatch, the frame delta and blink flag, the
// menu input flags the keyboard handler sets, and the flags of boxes and shutdown.
#pragma once

constexpr int SCENE_BOOT = 1;
constexpr int SCENE_GAME = 2;
constexpr int SCENE_TITLE = 3;
constexpr int SCENE_STAGE_INTRO = 4;
constexpr int SCENE_RANKING = 5;
constexpr int SCENE_HOWTO = 6;
constexpr int SCENE_ENDING = 7;
constexpr int SCENE_GAME_OVER = 8;
constexpr int SCENE_OPENING = 9;

struct SceneState {
  int scene = 0;
  int prev_scene = 0;
  int scene_entry = 0;
  float frame_delta = 0.0f;
  int blink = 1;
  int cursor_visible = 1;
  int message_box = 0;
  int shutdown_state = 0;  // 0 running, 1 the user closed the window, 2 QuitGame has run
  int exit_code = 0;       // 1 once a fatal error ends the program
  // Menu input flags: set by the keyboard handler, cleared by the scene that acts on them.
  int select = 0;
  int up = 0;
  int down = 0;
  int play_running = 0;
  int game_in_progress = 0;
  int fps_display = 0;  // config.ini
};

extern SceneState g_state;

// Moves to another scene; the next frame enters it with the scene-entry flag set.
inline void LeaveFor(int scene) {
  g_state.scene = scene;
  g_state.prev_scene = 0;
}

void ResetSceneState();
