// Display set-up and teardown.
#include "library/draw/el_draw.h"

#include "library/system/failure.h"
#include "platform/platform.h"

elDraw g_draw;

namespace {

// The largest back buffer we agree to make.
constexpr int kMaxSide = 8192;

}  // namespace

int elDraw::ScreenError(const char* message) { return ReportError("elDraw::Screen", message); }

void elDraw::CreateWorkSprite(int slot, int width, int height) {
  Object& o = objects_[static_cast<size_t>(slot)];
  o.surface.Create(width, height);
  o.surface.key = draw::FromColour(0);
  o.has_surface = true;
  o.key_colour = 0;
  o.width = static_cast<uint16_t>(width);
  o.height = static_cast<uint16_t>(height);
}

int elDraw::Screen(int width, int height, int) {
  if (width == -1) {
    width = kDefaultWidth;
    height = kDefaultHeight;
  }
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
    return ScreenError("裏画面が生成できません");
  // The window is already full screen or not; the display follows it.
  if (!platform::Get().OpenDisplay(width, height, false))
    return ScreenError("DirectDrawが使用できません");
  open_ = true;
  back_.Create(width, height);
  log_ = draw::DrawLog();
  drawn_ = 0;
  shown_is_back_ = false;
  clip_ = {0, 0, width, height};
  CreateWorkSprite(0, width, height);
  CreateWorkSprite(1, width, height);
  format_ = draw::DescribeFormat(draw::kRedMask, draw::kGreenMask, draw::kBlueMask);
  for (int i = 2; i < kObjects; ++i) EmptySlot(objects_[static_cast<size_t>(i)]);
  fps_.next_sample = platform::Get().Clock();
  return 1;
}

void elDraw::CloseScreen() {
  if (!open_) return;
  for (Object& o : objects_) EmptySlot(o);
  back_ = Surface();
  log_ = draw::DrawLog();
  drawn_ = 0;
  // A scene that quits finishes its frame: with nothing left to draw on, its drawing does nothing.
  clip_ = {};
  platform::Get().CloseDisplay();
  open_ = false;
}

void ResetDraw() { g_draw = elDraw(); }
