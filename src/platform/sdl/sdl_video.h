// The display on SDL: a renderer with a streaming RGB565 texture, scaled and
// letterboxed into the window, our own frame limiter, and text through SDL_ttf.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_text.h"

namespace platform {

class SdlVideo {
 public:
  explicit SdlVideo(SDL_Window* window);
  ~SdlVideo();
  SdlVideo(const SdlVideo&) = delete;
  SdlVideo& operator=(const SdlVideo&) = delete;

  bool Open(int width, int height, bool full_screen);
  void Close();
  bool WaitVerticalBlank();
  void Present(const uint16_t* pixels, int width, int height, int pitch);
  bool SurfacesLost();
  void OnRenderReset();
  // The window needs its picture again (exposed, resized, shown).
  void Redraw() { redraw_ = true; }
  // The window took another size: the picture is scaled to it afresh.
  void Resized();
  void DrawText(PixelView target, int x, int y, const std::string& sjis_text, int face, int height,
                uint32_t text_colour, uint32_t back_colour, bool transparent);

 private:
  bool CreateRenderer(bool vsync);
  bool CreateTexture();
  void HoldFrameRate();
  bool SameAsShown(const uint16_t* pixels, int pitch) const;
  void KeepShown(const uint16_t* pixels, int pitch);

  SDL_Window* window_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  bool lost_ = false;
  bool texture_stale_ = false;
  bool redraw_ = true;
  std::vector<uint16_t> shown_;  // the picture on screen, to skip presenting it again
  int64_t frame_ns_ = 0;
  int64_t next_frame_ns_ = 0;
  SdlText text_;
};

}  // namespace platform
