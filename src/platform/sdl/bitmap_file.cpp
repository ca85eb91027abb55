#include "platform/bitmap_file.h"

#include <SDL.h>

#include <cstring>

namespace platform {

namespace {

// Pictures larger than this are refused before any pixel is copied.
constexpr int kMaxSide = 8192;

bool FromRW(SDL_RWops* rw, Image& out) {
  if (rw == nullptr) return false;
  SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
  if (loaded == nullptr) return false;
  bool ok = false;
  if (loaded->w > 0 && loaded->h > 0 && loaded->w <= kMaxSide && loaded->h <= kMaxSide) {
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    if (rgb != nullptr) {
      out.width = rgb->w;
      out.height = rgb->h;
      out.pixels.resize(static_cast<size_t>(rgb->w) * rgb->h);
      SDL_LockSurface(rgb);
      for (int y = 0; y < rgb->h; ++y) {
        const auto* row = static_cast<const uint8_t*>(rgb->pixels) + static_cast<size_t>(y) * rgb->pitch;
        std::memcpy(&out.pixels[static_cast<size_t>(y) * rgb->w], row, static_cast<size_t>(rgb->w) * 4);
      }
      SDL_UnlockSurface(rgb);
      for (auto& p : out.pixels) p &= 0x00FFFFFFu;
      SDL_FreeSurface(rgb);
      ok = true;
    }
  }
  SDL_FreeSurface(loaded);
  return ok;
}

}  // namespace

bool DecodeBitmapFile(const std::string& path, Image& out) {
  return FromRW(SDL_RWFromFile(path.c_str(), "rb"), out);
}

bool DecodeBitmapBytes(const uint8_t* data, size_t size, Image& out) {
  if (size > static_cast<size_t>(INT32_MAX)) return false;
  return FromRW(SDL_RWFromConstMem(data, static_cast<int>(size)), out);
}

}  // namespace platform
