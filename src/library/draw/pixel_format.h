// The display's pixel format as the blends need it, and the conversions of
// colours into RGB565 by truncation (so the darkest colours become 0, black).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace draw {

constexpr uint32_t kRedMask = 0xF800;
constexpr uint32_t kGreenMask = 0x07E0;
constexpr uint32_t kBlueMask = 0x001F;

// Per component, in the order red, green, blue.
struct PixelFormat {
  std::array<uint32_t, 3> shift{};
  std::array<uint32_t, 3> max{};
  uint32_t half_mask = 0;
};

PixelFormat DescribeFormat(uint32_t red_mask, uint32_t green_mask, uint32_t blue_mask);

inline uint16_t Rgb565(uint32_t r, uint32_t g, uint32_t b) {
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}
// A decoded picture pixel, 0x00RRGGBB.
inline uint16_t FromRgb(uint32_t rgb) {
  return Rgb565((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
// A colour as callers give it, 0x00BBGGRR.
inline uint16_t FromColour(uint32_t bgr) {
  return Rgb565(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

}  // namespace draw
