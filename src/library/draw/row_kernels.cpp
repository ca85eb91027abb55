#include "library/draw/row_kernels.h"

#include <cstring>

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

void AlphaRowFormula(uint16_t* dst, const uint16_t* src, int n, const AlphaWeights& w) {
  const double alpha = w.alpha, beta = w.beta;
  for (int i = 0; i < n; ++i) {
    if (src[i] == 0) continue;
    uint32_t out = 0;
    for (size_t c = 0; c < 3; ++c) {
      const double v =
          Component(src[i], w.format, c) * alpha + Component(dst[i], w.format, c) * beta;
      out |= static_cast<uint32_t>(Truncate(v)) << w.format.shift[c];
    }
    dst[i] = static_cast<uint16_t>(out);
  }
}

template <typename Arg, void (*kRow)(uint16_t*, const uint16_t*, int, Arg)>
void EachRow(const Rows& r, Arg arg) {
  for (int y = 0; y < r.h; ++y) kRow(r.dst + y * r.dst_pitch, r.src + y * r.src_pitch, r.w, arg);
}

}  // namespace

void KeyedRow(uint16_t* dst, const uint16_t* src, int n, uint16_t key) {
  for (int i = 0; i < n; ++i)
    if (src[i] != key) dst[i] = src[i];
}

void HalfRow(uint16_t* dst, const uint16_t* src, int n, uint16_t half_mask) {
  for (int i = 0; i < n; ++i)
    if (src[i] != 0)
      dst[i] = static_cast<uint16_t>(((src[i] >> 1) & half_mask) + ((dst[i] >> 1) & half_mask));
}

void AlphaRowFixed(uint16_t* dst, const uint16_t* src, int n, const AlphaWeights& w) {
  for (int i = 0; i < n; ++i) {
    if (src[i] == 0) continue;
    uint32_t out = 0;
    for (size_t c = 0; c < 3; ++c) {
      const uint64_t v = (Component(src[i], w.format, c) * w.a_fixed +
                          Component(dst[i], w.format, c) * w.b_fixed) >>
                         w.bits;
      out |= static_cast<uint32_t>(v) << w.format.shift[c];
    }
    dst[i] = static_cast<uint16_t>(out);
  }
}

void OpaqueRows(const Rows& r) {
  for (int y = 0; y < r.h; ++y)
    std::memcpy(r.dst + y * r.dst_pitch, r.src + y * r.src_pitch,
                static_cast<size_t>(r.w) * sizeof *r.dst);
}

void AlphaFormula(const Rows& r, const AlphaWeights& w) {
  EachRow<const AlphaWeights&, AlphaRowFormula>(r, w);
}

const Kernels& PlainKernels() {
  static constexpr Kernels kPlain{EachRow<uint16_t, KeyedRow>, EachRow<uint16_t, HalfRow>,
                                  EachRow<const AlphaWeights&, AlphaRowFixed>};
  return kPlain;
}

bool IsaSupported(Isa isa) {
  __builtin_cpu_init();
  switch (isa) {
    case Isa::kAvx2: return __builtin_cpu_supports("avx2");
    case Isa::kAvx512: return __builtin_cpu_supports("avx512bw");
    case Isa::kPlain:
    case Isa::kSse2: break;
  }
  return true;
}

const Kernels& KernelsFor(Isa isa) {
  switch (isa) {
    case Isa::kSse2: return Sse2Kernels();
    case Isa::kAvx2: return Avx2Kernels();
    case Isa::kAvx512: return Avx512Kernels();
    case Isa::kPlain: break;
  }
  return PlainKernels();
}

const Kernels& BestKernels() {
  static const Kernels& best = KernelsFor(IsaSupported(Isa::kAvx512) ? Isa::kAvx512
                                          : IsaSupported(Isa::kAvx2) ? Isa::kAvx2
                                                                     : Isa::kSse2);
  return best;
}

}  // namespace draw
