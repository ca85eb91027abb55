#include "platform/sdl/sdl_surface_present.h"

namespace platform {

namespace {

TargetPixels Describe(SDL_Surface* s) {
  TargetPixels t;
  t.pixels = s->pixels;
  t.width = s->w;
  t.height = s->h;
  t.pitch = s->pitch;
  t.bytes_per_pixel = s->format->BytesPerPixel;
  t.red_mask = s->format->Rmask;
  t.green_mask = s->format->Gmask;
  t.blue_mask = s->format->Bmask;
  t.alpha_mask = s->format->Amask;
  return t;
}

}  // namespace

bool SdlSurfacePresent::Usable() {
  SDL_Surface* s = SDL_GetWindowSurface(window_);
  return s != nullptr && !SDL_MUSTLOCK(s) && CanShowInto(Describe(s));
}

// The window system makes the surface afresh after a resize; the scaler then
// paints all of it again.
SDL_Surface* SdlSurfacePresent::Target() {
  SDL_Surface* s = SDL_GetWindowSurface(window_);
  if (s == nullptr || SDL_MUSTLOCK(s)) return nullptr;
  if (s != surface_ || s->w != surface_width_ || s->h != surface_height_) {
    scaler_.SetTarget(Describe(s));
    surface_ = s;
    surface_width_ = s->w;
    surface_height_ = s->h;
  }
  return s;
}

void SdlSurfacePresent::Show(const uint16_t* pixels, int width, int height, int pitch, bool again) {
  SDL_Surface* s = Target();
  if (s == nullptr || (again && !scaler_.Repainting())) return;
  picture_width_ = width;
  picture_height_ = height;
  const ChangedRows rows = scaler_.Show(pixels, width, height, pitch);
  if (rows.empty()) return;
  const SDL_Rect r{0, rows.first, s->w, rows.last - rows.first};
  SDL_UpdateWindowSurfaceRects(window_, &r, 1);
}

void SdlSurfacePresent::ToPicture(int& x, int& y) const {
  const PictureRect r =
      fill_ ? FillPicture(picture_width_, picture_height_, surface_width_, surface_height_)
            : FitPicture(picture_width_, picture_height_, surface_width_, surface_height_);
  if (r.width <= 0 || r.height <= 0) return;
  x = static_cast<int>(static_cast<int64_t>(x - r.x) * picture_width_ / r.width);
  y = static_cast<int>(static_cast<int64_t>(y - r.y) * picture_height_ / r.height);
}

}  // namespace platform
