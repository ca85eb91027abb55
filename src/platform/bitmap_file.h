// Decodes a Windows BMP file (every variant SDL's loader reads) into 0x00RRGGBB pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace platform {

bool DecodeBitmapFile(const std::string& path, Image& out);
bool DecodeBitmapBytes(const uint8_t* data, size_t size, Image& out);

}  // namespace platform
