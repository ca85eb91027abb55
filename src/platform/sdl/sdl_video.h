// The display on SDL: the picture shown through a GPU renderer or through the
// window's own surface, our own frame limiter, and text through SDL_ttf.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/sdl/sdl_presenter.h"
#include "platform/sdl/sdl_text.h"
#include "platform/sdl_platform_factory.h"

namespace platform {

class SdlVideo {
 public:
  SdlVideo(SDL_Window* window, PresentPath path, ScaleMode mode);
  ~SdlVideo();
  SdlVideo(const SdlVideo&) = delete;
  SdlVideo& operator=(const SdlVideo&) = delete;

  bool Open(int width, int height, bool full_screen);
  void Close();
  bool WaitVerticalBlank();
  // again: the picture is the one presented last time.
  void Present(const uint16_t* pixels, int width, int height, int pitch, bool again);
  bool SurfacesLost();
  void OnRenderReset();
  // The window needs its picture again (exposed, resized, shown).
  void Redraw();
  // The window took another size: the picture is scaled to it afresh.
  void Resized();
  // A point in window coordinates, into picture coordinates.
  void ToPicture(int& x, int& y) const;
  void DrawText(PixelView target, int x, int y, const std::string& sjis_text, int face, int height,
                uint32_t text_colour, uint32_t back_colour, bool transparent);

 private:
  SDL_Renderer* CreateRenderer(bool vsync);
  bool OpenSurface();
  void HoldFrameRate();

  SDL_Window* window_;
  PresentPath path_;
  bool fill_;
  std::unique_ptr<SdlPresenter> presenter_;
  bool lost_ = false;
  int64_t frame_ns_ = 0;
  int64_t next_frame_ns_ = 0;
  SdlText text_;
};

}  // namespace platform
