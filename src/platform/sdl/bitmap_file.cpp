#include "platform/bitmap_file.h"

#include <SDL.h>

#include <cstring>
#include <new>

#include "platform/file_bytes.h"

namespace platform {

namespace {

constexpr int64_t kMaxSide = 8192;

bool PlausibleSize(int64_t w, int64_t h, std::string& why) {
  why = "the picture's size is outside 1..8192 a side or over sixteen screens";
  return w > 0 && w <= kMaxSide && h > 0 && h <= kMaxSide && w * h <= kMaxBitmapPixels;
}

uint32_t Le(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

// The header's size is checked before SDL's loader sees it, which would
// otherwise try to allocate whatever a damaged file claims.
bool PlausibleHeader(SDL_RWops* rw, std::string& why) {
  uint8_t h[26] = {};
  const size_t got = SDL_RWread(rw, h, 1, sizeof h);
  SDL_RWseek(rw, 0, RW_SEEK_SET);
  why = "not a BMP picture";
  if (got < 18 || h[0] != 'B' || h[1] != 'M') return false;
  const uint32_t info = Le(h + 14, 4);
  int64_t w = 0, h_ = 0;
  if (info == 12 && got >= 22) {
    w = static_cast<int16_t>(Le(h + 18, 2));
    h_ = static_cast<int16_t>(Le(h + 20, 2));
  } else if (info >= 40 && got >= 26) {
    w = static_cast<int32_t>(Le(h + 18, 4));
    h_ = static_cast<int32_t>(Le(h + 22, 4));
  } else {
    return false;
  }
  return PlausibleSize(w, h_ < 0 ? -h_ : h_, why);
}

// The file's bytes decide this size: running out of memory refuses the picture.
bool CopyPixels(SDL_Surface* rgb, Image& out, std::string& why) {
  try {
    out.pixels.assign(static_cast<size_t>(rgb->w) * static_cast<size_t>(rgb->h), 0);
  } catch (const std::bad_alloc&) {
    out.pixels = {};
    why = "not enough memory for the picture";
    return false;
  }
  out.width = rgb->w;
  out.height = rgb->h;
  SDL_LockSurface(rgb);
  for (int y = 0; y < rgb->h; ++y) {
    const auto* row =
        static_cast<const uint8_t*>(rgb->pixels) + static_cast<size_t>(y) * rgb->pitch;
    std::memcpy(&out.pixels[static_cast<size_t>(y) * rgb->w], row, static_cast<size_t>(rgb->w) * 4);
  }
  SDL_UnlockSurface(rgb);
  for (auto& p : out.pixels) p &= 0x00FFFFFFu;
  return true;
}

bool FromRW(SDL_RWops* rw, Image& out, std::string& why) {
  if (rw == nullptr) {
    why = "not a BMP picture";
    return false;
  }
  if (!PlausibleHeader(rw, why)) {
    SDL_RWclose(rw);
    return false;
  }
  SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
  if (loaded == nullptr) {
    why = SDL_GetError();
    return false;
  }
  SDL_Surface* rgb = PlausibleSize(loaded->w, loaded->h, why)
                         ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0)
                         : nullptr;
  SDL_FreeSurface(loaded);
  if (rgb == nullptr) return false;
  const bool ok = CopyPixels(rgb, out, why);
  SDL_FreeSurface(rgb);
  return ok;
}

}  // namespace

bool DecodeBitmapFile(const std::string& path, Image& out, std::string& why) {
  // Read whole first: SDL's own file reader would wait forever on a FIFO.
  const std::optional<std::string> bytes = ReadRegularFile(path, kMaxBitmapFileBytes, &why);
  if (!bytes) return false;
  return FromRW(SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size())), out, why);
}

bool DecodeBitmapBytes(const uint8_t* data, size_t size, Image& out) {
  if (size > static_cast<size_t>(INT32_MAX)) return false;
  std::string why;
  return FromRW(SDL_RWFromConstMem(data, static_cast<int>(size)), out, why);
}

}  // namespace platform
