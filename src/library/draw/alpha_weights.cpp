#include <algorithm>
#include <bit>
#include <cstdint>

#include "library/draw/row_kernels.h"

namespace draw {

namespace {

// Beyond this the sum of the two products may need more than 53 bits.
constexpr int kMaxFixedBits = 47;

// Bits after the binary point that x needs; x >= 0.
int FractionBits(float x) {
  if (x == 0.0f) return 0;
  const uint32_t bits = std::bit_cast<uint32_t>(x);
  const int exponent = static_cast<int>((bits >> 23) & 0xFF);
  if (exponent == 0) return kMaxFixedBits + 1;  // subnormal
  const uint32_t mantissa = (bits & 0x7FFFFF) | 0x800000;
  return std::max(150 - exponent - std::countr_zero(mantissa), 0);
}

bool SmallComponents(const PixelFormat& f) {
  return std::all_of(f.max.begin(), f.max.end(), [](uint32_t m) { return m < 64; });
}

}  // namespace

AlphaWeights MakeAlphaWeights(float alpha, const PixelFormat& format) {
  AlphaWeights w;
  w.format = format;
  w.alpha = alpha;
  w.beta = 1.0f - alpha;
  if (!(alpha >= 0.0f && alpha <= 1.0f) || !SmallComponents(format)) return w;
  const int needed = std::max(FractionBits(alpha), FractionBits(w.beta));
  if (needed > kMaxFixedBits) return w;
  w.integer = true;
  w.chunks = needed <= 14 ? 1 : needed <= 29 ? 2 : 4;
  w.bits = std::max(needed, 15 * (w.chunks - 1));
  // Scaling by a power of two is exact; ldexp would be a library call per blend.
  const auto scale = static_cast<double>(uint64_t{1} << w.bits);
  w.a_fixed = static_cast<uint64_t>(static_cast<double>(alpha) * scale);
  w.b_fixed = static_cast<uint64_t>(static_cast<double>(w.beta) * scale);
  for (int i = 0; i < w.chunks; ++i) {
    const uint64_t a = (w.a_fixed >> (15 * i)) & 0x7FFF;
    const uint64_t b = (w.b_fixed >> (15 * i)) & 0x7FFF;
    w.pairs[static_cast<size_t>(i)] = static_cast<uint32_t>(a | (b << 16));
  }
  w.last_shift = w.bits - 15 * (w.chunks - 1);
  const uint64_t largest =
      std::max<uint64_t>(*std::max_element(format.max.begin(), format.max.end()), 1);
  w.narrow = w.a_fixed + w.b_fixed <= 0xFFFF / largest;
  return w;
}

}  // namespace draw
