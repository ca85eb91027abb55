#include "library/draw/el_draw.h"

#include "library/input/input.h"
#include "library/sound/el_sound.h"
#include "library/sound/music.h"
#include "library/system/el_system.h"
#include "platform/platform.h"

elDraw g_draw;

int elDraw::Screen(int width, int height, int) {
  back_.Create(width, height);
  open_ = platform::Get().OpenDisplay(width, height, false);
  g_sound.InitSound();
  g_sound.ResetTable();
  MusicReset();
  g_system.ResetWaits();
  g_syskey_pass = 0;
  InitJoystick();
  return open_ ? 1 : 0;
}
void elDraw::CloseScreen() {
  if (open_) platform::Get().CloseDisplay();
  open_ = false;
}
int elDraw::LoadObject(const std::string&, int) { return 0; }
int elDraw::SwapObject(const std::string&, int, int) { return 0; }
void elDraw::ReleaseObject(int) {}
void elDraw::RestoreObjects() {}
void elDraw::DrawObject(int, int, int, int, int, int, int) {}
void elDraw::DrawObjectOpaque(int, int, int, int, int, int, int) {}
void elDraw::ClearScreen() { back_.pixels.assign(back_.pixels.size(), 0); }
void elDraw::Present() {
  if (!open_) return;
  if (platform::Get().WaitVerticalBlank())
    platform::Get().PresentFrame(back_.pixels.data(), back_.width, back_.height, back_.pitch);
}
int elDraw::DrawObjectHalf(int, int, int, int, int, int, int) { return 1; }
int elDraw::DrawObjectAlpha(int, int, float, int, int, int, int, int) { return 1; }
void elDraw::BeginText(int, int, int, int, uint8_t, uint8_t) {}
void elDraw::SetTextColors(uint32_t, uint32_t, int) {}
void elDraw::WriteText(int, int, const std::string&) {}
void elDraw::EndText() {}
void elDraw::DrawFps() {}
void elDraw::FreeFontBlock() {}
const elDraw::Object& elDraw::Slot(int handle) const { return objects_.at(static_cast<size_t>(handle)); }
int elDraw::LoadedCount() const { return 0; }
void ResetDraw() { g_draw = elDraw(); }
