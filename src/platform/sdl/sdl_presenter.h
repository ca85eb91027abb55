// The two ways a finished picture reaches the window: a GPU renderer with a
// streaming texture, or our own conversion into the window's surface.
#pragma once

#include <cstdint>

namespace platform {

class SdlPresenter {
 public:
  virtual ~SdlPresenter() = default;
  // Shows the picture (pitch in pixels) if it differs from the one shown, or
  // always after Redraw; again: it is the one shown, and is not compared.
  // Does not pace.
  virtual void Show(const uint16_t* pixels, int width, int height, int pitch, bool again) = 0;
  // The window needs its whole picture again (exposed, shown, resized).
  virtual void Redraw() = 0;
  virtual void Resized() = 0;
  // The render device dropped its textures.
  virtual void Reset() {}
  // A point in window coordinates, into picture coordinates.
  virtual void ToPicture(int& x, int& y) const = 0;
};

}  // namespace platform
