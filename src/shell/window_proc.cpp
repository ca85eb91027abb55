#include "shell/window_proc.h"

#include <string>

#include "content/game_params.h"
#include "content/scene_player.h"
#include "frontend/stage_jump.h"
#include "game/game_scene.h"
#include "game/game_state.h"
#include "library/sound/el_sound.h"
#include "library/sound/music.h"
#include "library/system/el_system.h"
#include "library/ui/message_box.h"
#include "platform/platform.h"
#include "scene/boxes.h"
#include "scene/scene_state.h"

using platform::Message;
using platform::MsgKind;

WindowState g_window;

namespace {

int Signed16(uint32_t value) {
  const int v = static_cast<int>(value & 0xFFFF);
  return v >= 32768 ? v - 65536 : v;
}

void OnClose() {
  if (g_state.shutdown_state == 0) g_state.shutdown_state = 1;
  if (g_state.shutdown_state < 2) QuitGame();
  platform::Get().DestroyMainWindow();
  WindowProc({MsgKind::kDestroy, 0, 0});
}

void OnActivate(bool active) {
  if (!active) {
    g_window.active = 0;
    if (g_state.cursor_visible == 0) {
      platform::Get().ShowCursor(true);
      g_state.cursor_visible = 1;
    }
    return;
  }
  g_window.active = 1;
  ResetFrameClock();
}

void OnMusicNotify(uint32_t code) {
  if (code != platform::MCI_NOTIFY_SUCCESSFUL || g_music.playing != 1) return;
  std::string answer;
  platform::Get().SendMusicCommand("status midi mode", &answer);
  if (answer.compare(0, 2, "st") == 0) ReplayMusic();
}

// Play runs and the stage is not cleared: the controller's A is the fire key here.
bool PlayRunning() {
  return g_state.scene == SCENE_GAME && g_state.play_running == 1 && g_game.clear_phase == 0;
}

void ToggleGameMenu() {
  g_state.select = g_state.up = g_state.down = 0;
  if (g_state.play_running == 1) {
    g_sound.PlayObject(g_sound_role.ok, -1);
    g_state.play_running = 0;
  } else {
    g_sound.PlayObject(g_sound_role.cancel, -1);
    g_state.play_running = 1;
  }
}

void OnEscape() {
  if (g_state.game_in_progress == 1) {
    ToggleGameMenu();
    return;
  }
  NoteBoxEnglish("Return to the title screen?");
  if (AskYesNo("タイトル画面に戻りますか？") == 0) return;
  StageCleanup();
  AbandonSceneScript();
  g_state.game_in_progress = 0;
  LeaveFor(SCENE_TITLE);
}

void OnPadButton(int vk) {
  if (vk == platform::VK_RETURN) {
    if (PlayRunning()) return;  // polled as the fire key
    platform::Get().SpendPadPress();
  }
  KeyboardHandler(vk);
}

}  // namespace

void ResetFrameClock() {
  g_state.frame_delta = 0.0f;
  g_window.last_frame_time = platform::Get().Clock();
}

void KeyboardHandler(int vk) {
  switch (vk) {
    case platform::VK_RETURN: g_state.select = 1; break;
    case platform::VK_UP: g_state.up = 1; break;
    case platform::VK_DOWN: g_state.down = 1; break;
    case platform::VK_ESCAPE: OnEscape(); break;
    case platform::VK_F5: ReloadStage(); break;
    case 'P':
      if (g_state.scene == SCENE_GAME && g_state.game_in_progress == 1) ToggleGameMenu();
      break;
    default: break;
  }
}

void WindowProc(const Message& message) {
  switch (message.kind) {
    case MsgKind::kMove:
      g_window.client_x = Signed16(message.lparam);
      g_window.client_y = Signed16(message.lparam >> 16);
      break;
    case MsgKind::kClose: OnClose(); break;
    case MsgKind::kDestroy: platform::Get().PostMessage({MsgKind::kQuit, 0, 0}); break;
    case MsgKind::kActivateApp: OnActivate(message.wparam != 0); break;
    case MsgKind::kDisplayMode: g_window.full_screen = message.wparam != 0 ? 1 : 0; break;
    case MsgKind::kSetCursor:
      if (g_window.full_screen == 1 && g_state.message_box == 0) platform::Get().ShowCursor(false);
      break;
    case MsgKind::kKeyDown: KeyboardHandler(static_cast<int>(message.wparam)); break;
    case MsgKind::kSysKeyDown: break;  // swallowed: Alt combinations and F10 do nothing
    case MsgKind::kMusicNotify: OnMusicNotify(message.wparam); break;
    case MsgKind::kPadButton: OnPadButton(static_cast<int>(message.wparam)); break;
    case MsgKind::kPadRemoved:
      // As on a console: a game does not run on without its controller.
      if (PlayRunning()) ToggleGameMenu();
      break;
    default: break;
  }
}
