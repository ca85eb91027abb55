#include "platform/sdl/sdl_renderer_present.h"

#include <algorithm>
#include <cstring>

namespace platform {

SdlRendererPresent::SdlRendererPresent(SDL_Renderer* renderer, int width, int height, bool fill)
    : renderer_(renderer), width_(width), height_(height), fill_(fill) {
  if (!fill_) SDL_RenderSetLogicalSize(renderer_, width, height);
  Resized();
}

SdlRendererPresent::~SdlRendererPresent() {
  if (wide_ != nullptr) SDL_DestroyTexture(wide_);
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  SDL_DestroyRenderer(renderer_);
}

bool SdlRendererPresent::CreateTexture() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                               width_, height_);
  texture_stale_ = texture_ == nullptr || (fill_ && !CreateWide());
  return !texture_stale_;
}

// Only the stretch of the whole multiple is linear: inside it pixels stay sharp.
bool SdlRendererPresent::CreateWide() {
  if (wide_ != nullptr) SDL_DestroyTexture(wide_);
  wide_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET,
                            width_ * scale_, height_ * scale_);
  return wide_ != nullptr && SDL_SetTextureScaleMode(wide_, SDL_ScaleModeLinear) == 0;
}

// The picture keeps its shape, nearest neighbour, centred with black bars: the
// largest whole multiple that fits, or the exact fit in a window smaller than it.
void SdlRendererPresent::Resized() {
  redraw_ = true;
  int w = 0, h = 0;
  if (SDL_GetRendererOutputSize(renderer_, &w, &h) != 0) return;
  if (!fill_) {
    SDL_RenderSetIntegerScale(renderer_, w >= width_ && h >= height_ ? SDL_TRUE : SDL_FALSE);
    return;
  }
  rect_ = FillPicture(width_, height_, w, h);
  const int scale = std::max(1, std::min(w / width_, h / height_));
  if (scale != scale_) texture_stale_ = true;
  scale_ = scale;
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
  Draw();
}

void SdlRendererPresent::Draw() {
  if (fill_) {
    SDL_SetRenderTarget(renderer_, wide_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_SetRenderTarget(renderer_, nullptr);
  }
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  if (fill_) {
    const SDL_Rect to{rect_.x, rect_.y, rect_.width, rect_.height};
    SDL_RenderCopy(renderer_, wide_, nullptr, &to);
  } else {
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  }
  SDL_RenderPresent(renderer_);
}

void SdlRendererPresent::ToPicture(int& x, int& y) const {
  if (!fill_ || rect_.width <= 0 || rect_.height <= 0) return;
  x = static_cast<int>(static_cast<int64_t>(x - rect_.x) * width_ / rect_.width);
  y = static_cast<int>(static_cast<int64_t>(y - rect_.y) * height_ / rect_.height);
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
