// The display on SDL: a renderer with a streaming RGB565 texture, scaled and
// letterboxed into the window, our own frame limiter, and text through SDL_ttf.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/platform.h"

namespace platform {

class SdlVideo {
 public:
  explicit SdlVideo(SDL_Window* window);
  ~SdlVideo();

  bool Open(int width, int height, bool full_screen);
  void Close();
  bool WaitVerticalBlank();
  void Present(const uint16_t* pixels, int width, int height, int pitch);
  bool SurfacesLost();
  void OnRenderReset();
  void DrawText(PixelView target, int x, int y, const std::string& sjis_text, int face, int height,
                uint32_t text_colour, uint32_t back_colour, bool transparent);

 private:
  SDL_Window* window_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  bool lost_ = false;
};

}  // namespace platform
