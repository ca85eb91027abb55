// Decodes a Windows BMP file (every variant SDL's loader reads) into 0x00RRGGBB pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace platform {

// On failure why says in English what is wrong.
bool DecodeBitmapFile(const std::string& path, Image& out, std::string& why);
bool DecodeBitmapBytes(const uint8_t* data, size_t size, Image& out);

}  // namespace platform
