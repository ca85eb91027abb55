#include "library/draw/row_kernels.h"

namespace draw {

namespace {

// As the x86 conversion does: values outside int32 (and NaN) give INT32_MIN.
int32_t Truncate(double v) {
  if (v > -2147483649.0 && v < 2147483648.0) return static_cast<int32_t>(v);
  return INT32_MIN;
}

uint32_t Component(uint32_t pixel, const PixelFormat& f, size_t c) {
  return (pixel >> f.shift[c]) & f.max[c];
}

}  // namespace

void KeyedRow(uint16_t* dst, const uint16_t* src, int n, uint16_t key) {
  for (int i = 0; i < n; ++i)
    if (src[i] != key) dst[i] = src[i];
}

void HalfRow(uint16_t* dst, const uint16_t* src, int n, uint16_t half_mask) {
  for (int i = 0; i < n; ++i)
    if (src[i] != 0) dst[i] = static_cast<uint16_t>(((src[i] >> 1) & half_mask) + ((dst[i] >> 1) & half_mask));
}

void AlphaRowFixed(uint16_t* dst, const uint16_t* src, int n, const AlphaWeights& w) {
  for (int i = 0; i < n; ++i) {
    if (src[i] == 0) continue;
    uint32_t out = 0;
    for (size_t c = 0; c < 3; ++c) {
      const uint64_t v = (Component(src[i], w.format, c) * w.a_fixed +
                          Component(dst[i], w.format, c) * w.b_fixed) >> w.bits;
      out |= static_cast<uint32_t>(v) << w.format.shift[c];
    }
    dst[i] = static_cast<uint16_t>(out);
  }
}

void AlphaRowFormula(uint16_t* dst, const uint16_t* src, int n, const AlphaWeights& w) {
  const double alpha = w.alpha, beta = w.beta;
  for (int i = 0; i < n; ++i) {
    if (src[i] == 0) continue;
    uint32_t out = 0;
    for (size_t c = 0; c < 3; ++c) {
      const double v = Component(src[i], w.format, c) * alpha + Component(dst[i], w.format, c) * beta;
      out |= static_cast<uint32_t>(Truncate(v)) << w.format.shift[c];
    }
    dst[i] = static_cast<uint16_t>(out);
  }
}

bool IsaSupported(Isa isa) {
  __builtin_cpu_init();
  return isa != Isa::kAvx2 || __builtin_cpu_supports("avx2");
}

const RowKernels& KernelsFor(Isa isa) {
  static constexpr RowKernels kPlain{KeyedRow, HalfRow, AlphaRowFixed};
  static constexpr RowKernels kSse2{KeyedRowSse2, HalfRowSse2, AlphaRowSse2};
  static constexpr RowKernels kAvx2{KeyedRowAvx2, HalfRowAvx2, AlphaRowAvx2};
  switch (isa) {
    case Isa::kSse2: return kSse2;
    case Isa::kAvx2: return kAvx2;
    case Isa::kPlain: break;
  }
  return kPlain;
}

const RowKernels& BestKernels() {
  static const RowKernels& best = KernelsFor(IsaSupported(Isa::kAvx2) ? Isa::kAvx2 : Isa::kSse2);
  return best;
}

}  // namespace draw
