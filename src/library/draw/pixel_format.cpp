#include "library/draw/pixel_format.h"

namespace draw {

namespace {

void Describe(uint32_t mask, uint32_t& shift, uint32_t& max) {
  shift = 0;
  uint32_t value = mask;
  while (value != 0 && (value & 1) == 0) {
    value >>= 1;
    ++shift;
  }
  max = value;
}

}  // namespace

PixelFormat DescribeFormat(uint32_t red_mask, uint32_t green_mask, uint32_t blue_mask) {
  PixelFormat f;
  const std::array<uint32_t, 3> masks = {red_mask, green_mask, blue_mask};
  for (size_t c = 0; c < masks.size(); ++c) {
    Describe(masks[c], f.shift[c], f.max[c]);
    f.half_mask |= (f.max[c] >> 1) << f.shift[c];
  }
  return f;
}

}  // namespace draw
