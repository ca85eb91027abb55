#include <cstdio>

#include "content/boot_scene.h"
#include "content/game_params.h"
#include "frontend/front_scenes.h"
#include "frontend/ranking.h"
#include "frontend/script_scenes.h"
#include "game/game_scene.h"
#include "library/draw/el_draw.h"
#include "platform/platform.h"
#include "shell/boxes.h"
#include "shell/shell.h"
#include "shell/shell_state.h"

namespace {

constexpr int kDisplayWidth = 640;
constexpr int kDisplayHeight = 480;

SceneFunction SceneFor(int scene) {
  if (scene < 0 || scene >= kSceneCount) return nullptr;
  return g_scenes[scene];
}

void UpdateCursor() {
  if (g_shell.full_screen != 0 || g_shell.message_box != 0) return;
  platform::Platform& p = platform::Get();
  int x = 0, y = 0;
  p.CursorPos(x, y);
  const bool inside = g_shell.client_x <= x && x < g_shell.client_x + kDisplayWidth &&
                      g_shell.client_y <= y && y < g_shell.client_y + kDisplayHeight;
  if (inside && g_shell.cursor_visible == 1) {
    p.ShowCursor(false);
    g_shell.cursor_visible = 0;
  } else if (!inside && g_shell.cursor_visible == 0) {
    p.ShowCursor(true);
    g_shell.cursor_visible = 1;
  }
}

}  // namespace

SceneFunction g_scenes[kSceneCount] = {
    nullptr,      SceneBoot,  SceneGame,   SceneTitle,    SceneStageIntro,
    SceneRanking, SceneHowto, SceneEnding, SceneGameOver, SceneOpening,
};

void ResetFrameClock() {
  g_shell.frame_delta = 0.0f;
  g_shell.last_frame_time = platform::Get().Clock();
}

void RunFrame() {
  platform::Platform& p = platform::Get();
  const uint32_t now = p.Clock();
  g_shell.frame_delta =
      static_cast<float>(static_cast<float>(now - g_shell.last_frame_time) / 1000.0);
  g_shell.last_frame_time = p.Clock();
  if (g_shell.prev_scene == 0 && g_shell.scene != 0) {
    g_shell.scene_entry = 1;
    g_shell.prev_scene = g_shell.scene;
  }
  if (SceneFunction scene = SceneFor(g_shell.scene)) scene();
  g_shell.scene_entry = g_shell.scene != g_shell.prev_scene ? 1 : 0;
  g_shell.prev_scene = g_shell.scene;
  if (p.Clock() >= g_shell.next_blink_time) {
    g_shell.blink ^= 1;
    g_shell.next_blink_time = p.Clock() + static_cast<uint32_t>(g_param.BLINK_TIME);
  }
  UpdateCursor();
}

int MessageLoop() {
  platform::Platform& p = platform::Get();
  platform::Message message;
  for (;;) {
    if (p.PeekMessage(message)) {
      if (message.kind == platform::MsgKind::kQuit) return 0;
      WindowProc(message);
    } else if (g_shell.active == 1) {
      RunFrame();
    } else {
      p.WaitMessage();
    }
  }
}

int RunGame() {
  platform::Platform& p = platform::Get();
  // What the old program set up during static initialisation.
  g_shell.last_frame_time = p.Clock();
  g_shell.next_blink_time = p.Clock() + 1000;

  ReadConfig("config.ini");
  if (g_config_full_screen == 0) g_shell.full_screen = 0;
  int music_volume = 100, sound_volume = 100;
  ReadVolumes("config.ini", music_volume, sound_volume);
  p.SetVolumes(music_volume, sound_volume);
  ReadSaveFile("save.dat");
  if (!p.CreateMainWindow(kCaption, g_shell.full_screen == 1)) return 0;
  if (g_draw.Screen(kDisplayWidth, kDisplayHeight, 1) == 0) QuitGame();
  std::remove("DEBUG.TXT");
  g_shell.scene = SCENE_BOOT;
  g_shell.prev_scene = 0;
  ResetFrameClock();
  return MessageLoop();
}
