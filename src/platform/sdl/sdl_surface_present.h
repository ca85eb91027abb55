// Presents through the window's own surface: the picture converted, scaled and
// letterboxed by our code, then handed to the window system. Where the only
// renderer is a software one, this costs a fraction of what the renderer does.
#pragma once

#include <SDL.h>

#include "platform/frame_scaler.h"
#include "platform/sdl/sdl_presenter.h"

namespace platform {

class SdlSurfacePresent : public SdlPresenter {
 public:
  // fill: the picture stretched to fill the window (FrameScaler::SetFill).
  SdlSurfacePresent(SDL_Window* window, bool fill) : window_(window), fill_(fill) {
    scaler_.SetFill(fill);
  }
  // False when the window has no surface in a format we can write.
  bool Usable();

  void Show(const uint16_t* pixels, int width, int height, int pitch, bool again) override;
  void Redraw() override { surface_ = nullptr; }
  void Resized() override { surface_ = nullptr; }
  void ToPicture(int& x, int& y) const override;

 private:
  SDL_Surface* Target();

  SDL_Window* window_;
  bool fill_;
  SDL_Surface* surface_ = nullptr;  // the surface the scaler writes into
  int surface_width_ = 0, surface_height_ = 0;
  int picture_width_ = 0, picture_height_ = 0;
  FrameScaler scaler_;
};

}  // namespace platform
