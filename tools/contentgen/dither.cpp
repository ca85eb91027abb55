#include "dither.h"

#include <algorithm>

namespace {

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// One channel kept to `bits` bits: the value plus a threshold of (b + 0.5) / 16 of a step,
// truncated as the game truncates. Multiples of the step come out unchanged.
uint8_t Channel(uint8_t v, int bits, int b) {
  const int step = 1 << (8 - bits);
  const int top = (1 << bits) - 1;
  const int level = std::min(top, (32 * v + (2 * b + 1) * step) / (32 * step));
  return static_cast<uint8_t>(level << (8 - bits));
}

}  // namespace

Rgb Dither565(Rgb c, int x, int y) {
  if (IsKey(c)) return {};
  const int b = kBayer[y & 3][x & 3];
  return {Channel(c.r, 5, b), Channel(c.g, 6, b), Channel(c.b, 5, b)};
}

Image Dithered565(const Image& image) {
  Image out(image.width(), image.height(), image.unit());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) out.Set(x, y, Dither565(image.Get(x, y), x, y));
  return out;
}
