#include "shell/main_loop.h"

#include <cstdio>
#include <string>

#include "content/game_params.h"
#include "content/manifest.h"
#include "frontend/boot_scene.h"
#include "frontend/info_scenes.h"
#include "frontend/save_file.h"
#include "frontend/script_scenes.h"
#include "frontend/title_scene.h"
#include "game/game_scene.h"
#include "library/draw/el_draw.h"
#include "library/system/file_lookup.h"
#include "library/ui/start.h"
#include "platform/file_writer.h"
#include "platform/platform.h"
#include "scene/boxes.h"
#include "scene/scene_state.h"
#include "shell/config.h"
#include "shell/folders.h"
#include "shell/window_proc.h"

namespace {

constexpr const char* kCaption = "Lantern Drift Ver.2";
constexpr int kDisplayWidth = 640;
constexpr int kDisplayHeight = 480;

SceneFunction SceneFor(int scene) {
  if (scene < 0 || scene >= kSceneCount) return nullptr;
  return g_scenes[scene];
}

void UpdateCursor() {
  if (g_window.full_screen != 0 || g_state.message_box != 0) return;
  platform::Platform& p = platform::Get();
  int x = 0, y = 0;
  p.CursorPos(x, y);
  const bool inside = g_window.client_x <= x && x < g_window.client_x + kDisplayWidth &&
                      g_window.client_y <= y && y < g_window.client_y + kDisplayHeight;
  if (inside && g_state.cursor_visible == 1) {
    p.ShowCursor(false);
    g_state.cursor_visible = 0;
  } else if (!inside && g_state.cursor_visible == 0) {
    p.ShowCursor(true);
    g_state.cursor_visible = 1;
  }
}

// A pack without an icon leaves the desktop's own.
void SetIcon() {
  platform::Platform& p = platform::Get();
  platform::Image icon;
  std::string why;
  if (p.LoadBitmap(ProgramFile(manifest::kIcon), icon, why)) p.SetWindowIcon(icon);
}

}  // namespace

SceneFunction g_scenes[kSceneCount] = {
    nullptr,      SceneBoot,  SceneGame,   SceneTitle,    SceneStageIntro,
    SceneRanking, SceneHowto, SceneEnding, SceneGameOver, SceneOpening,
};

void RunFrame() {
  platform::Platform& p = platform::Get();
  const uint32_t now = p.Clock();
  g_state.frame_delta =
      static_cast<float>(static_cast<float>(now - g_window.last_frame_time) / 1000.0);
  g_window.last_frame_time = p.Clock();
  if (g_state.prev_scene == 0 && g_state.scene != 0) {
    g_state.scene_entry = 1;
    g_state.prev_scene = g_state.scene;
  }
  if (SceneFunction scene = SceneFor(g_state.scene)) scene();
  g_state.scene_entry = g_state.scene != g_state.prev_scene ? 1 : 0;
  g_state.prev_scene = g_state.scene;
  if (p.Clock() >= g_window.next_blink_time) {
    g_state.blink ^= 1;
    g_window.next_blink_time = p.Clock() + static_cast<uint32_t>(g_param.BLINK_TIME);
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
    } else if (g_window.active == 1) {
      RunFrame();
    } else {
      p.WaitMessage();
    }
  }
}

int RunGame(int full_screen) {
  platform::Platform& p = platform::Get();
  // What the old program set up during static initialisation.
  g_window.last_frame_time = p.Clock();
  g_window.next_blink_time = p.Clock() + 1000;

  const Config config = LoadConfig(CurrentFolders().config_file);
  g_state.fps_display = config.fps;
  if (config.full_screen == 0) g_window.full_screen = 0;
  if (full_screen != -1) g_window.full_screen = full_screen;
  p.SetVolumes(config.music_volume, config.sound_volume);
  ReadSaveFile(CurrentFolders().save_file, CurrentFolders().ranking_file);
  if (!p.CreateMainWindow(kCaption, g_window.full_screen == 1, config.topmost == 1)) return 1;
  SetIcon();
  if (StartLibrary(kDisplayWidth, kDisplayHeight, 1) == 0) {
    g_state.exit_code = 1;
    QuitGame();
  }
  platform::RemoveFile(CurrentFolders().debug_file);
  g_state.scene = SCENE_BOOT;
  g_state.prev_scene = 0;
  ResetFrameClock();
  MessageLoop();
  return g_state.exit_code;
}
