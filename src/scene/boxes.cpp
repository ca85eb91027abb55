#include "scene/boxes.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "library/draw/el_draw.h"
#include "library/sound/el_sound.h"
#include "library/ui/message_box.h"
#include "platform/platform.h"
#include "scene/scene_state.h"

namespace {

int FormattedBox(const char* format, va_list args, const char* caption, unsigned style) {
  char text[256];
  std::vsnprintf(text, sizeof text, format, args);
  platform::Platform& p = platform::Get();
  p.ShowDesktop();
  if (g_state.cursor_visible == 0) {
    p.ShowCursor(true);
    g_state.cursor_visible = 1;
  }
  g_state.message_box = 1;
  const int answer = OpenBox(std::string(text) + "\r\n", caption, style);
  g_state.message_box = 0;
  return answer;
}

}  // namespace

int ShowMessage(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int answer =
      FormattedBox(format, args, "メッセージ",
                   platform::MB_OK | platform::MB_ICONEXCLAMATION | platform::MB_SYSTEMMODAL);
  va_end(args);
  return answer;
}

int AskYesNo(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int answer =
      FormattedBox(format, args, "メッセージ",
                   platform::MB_YESNO | platform::MB_ICONQUESTION | platform::MB_SYSTEMMODAL);
  va_end(args);
  return answer == platform::IDYES ? 1 : 0;
}

int QuitGame() {
  g_draw.CloseScreen();
  g_sound.ReleaseSound();
  g_draw.FreeFontBlock();
  if (g_state.shutdown_state == 0) platform::Get().PostMessage({platform::MsgKind::kClose, 0, 0});
  g_state.shutdown_state = 2;
  return 1;
}
