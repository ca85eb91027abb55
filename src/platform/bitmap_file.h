// Decodes a Windows BMP file (every variant SDL's loader reads) into 0x00RRGGBB pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace platform {

// A 640x480 game draws from pictures of a screen or from sheets of frames, never
// from more than sixteen screens' worth of pixels; a larger claim is a damaged
// file, refused before SDL's loader allocates for it.
inline constexpr int64_t kMaxBitmapPixels = 16 * 640 * 480;
// Four bytes a pixel at most, with room for the headers and a palette.
inline constexpr size_t kMaxBitmapFileBytes = kMaxBitmapPixels * 4 + (size_t{1} << 20);

// On failure why says in English what is wrong.
bool DecodeBitmapFile(const std::string& path, Image& out, std::string& why);
bool DecodeBitmapBytes(const uint8_t* data, size_t size, Image& out);

}  // namespace platform
