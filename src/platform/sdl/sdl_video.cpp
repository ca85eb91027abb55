#include "platform/sdl/sdl_video.h"

namespace platform {

SdlVideo::SdlVideo(SDL_Window* window) : window_(window) {}
SdlVideo::~SdlVideo() { Close(); }

bool SdlVideo::Open(int width, int height, bool) {
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
  if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (renderer_ == nullptr) return false;
  SDL_RenderSetLogicalSize(renderer_, width, height);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                               width, height);
  return texture_ != nullptr;
}

void SdlVideo::Close() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  texture_ = nullptr;
  renderer_ = nullptr;
}

bool SdlVideo::WaitVerticalBlank() { return renderer_ != nullptr; }

void SdlVideo::Present(const uint16_t* pixels, int, int, int pitch) {
  if (texture_ == nullptr) return;
  SDL_UpdateTexture(texture_, nullptr, pixels, pitch * 2);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
  SDL_Delay(16);
}

bool SdlVideo::SurfacesLost() {
  const bool lost = lost_;
  lost_ = false;
  return lost;
}

void SdlVideo::OnRenderReset() { lost_ = true; }

void SdlVideo::DrawText(PixelView, int, int, const std::string&, int, int, uint32_t, uint32_t,
                        bool) {}

}  // namespace platform
