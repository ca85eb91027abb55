#include "platform/sdl/sdl_renderer_present.h"

#include <cstring>

namespace platform {

SdlRendererPresent::SdlRendererPresent(SDL_Renderer* renderer, int width, int height)
    : renderer_(renderer), width_(width), height_(height) {
  SDL_RenderSetLogicalSize(renderer_, width, height);
  Resized();
}

SdlRendererPresent::~SdlRendererPresent() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  SDL_DestroyRenderer(renderer_);
}

bool SdlRendererPresent::CreateTexture() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                               width_, height_);
  texture_stale_ = texture_ == nullptr;
  return texture_ != nullptr;
}

// The picture keeps its shape, nearest neighbour, centred with black bars: the
// largest whole multiple that fits, or the exact fit in a window smaller than it.
void SdlRendererPresent::Resized() {
  redraw_ = true;
  int w = 0, h = 0;
  if (SDL_GetRendererOutputSize(renderer_, &w, &h) != 0) return;
  SDL_RenderSetIntegerScale(renderer_, w >= width_ && h >= height_ ? SDL_TRUE : SDL_FALSE);
}

// A reset device has dropped its textures; the next present makes ours again.
void SdlRendererPresent::Reset() {
  redraw_ = true;
  texture_stale_ = true;
}

void SdlRendererPresent::Show(const uint16_t* pixels, int width, int height, int pitch,
                              bool again) {
  if (width != width_ || height != height_) return;
  if (texture_stale_ && !CreateTexture()) return;
  // An unchanged picture is not sent again: an idle screen costs next to nothing.
  if (!redraw_ && (again || SameAsShown(pixels, pitch))) return;
  KeepShown(pixels, pitch);
  redraw_ = false;
  SDL_UpdateTexture(texture_, nullptr, pixels, pitch * static_cast<int>(sizeof *pixels));
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

bool SdlRendererPresent::SameAsShown(const uint16_t* pixels, int pitch) const {
  if (shown_.size() != static_cast<size_t>(width_) * height_) return false;
  for (int y = 0; y < height_; ++y)
    if (std::memcmp(&shown_[static_cast<size_t>(y) * width_],
                    pixels + static_cast<ptrdiff_t>(y) * pitch,
                    static_cast<size_t>(width_) * sizeof *pixels) != 0)
      return false;
  return true;
}

void SdlRendererPresent::KeepShown(const uint16_t* pixels, int pitch) {
  shown_.resize(static_cast<size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y)
    std::memcpy(&shown_[static_cast<size_t>(y) * width_],
                pixels + static_cast<ptrdiff_t>(y) * pitch,
                static_cast<size_t>(width_) * sizeof *pixels);
}

}  // namespace platform
