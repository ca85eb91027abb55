// AVX2, chosen at run time when the CPU has it: sixteen pixels at a time. Rows
// shorter than that, and the ends of rows, go to the SSE2 versions.
#include <immintrin.h>

#include "library/draw/row_kernels.h"

#define LD_AVX2 __attribute__((target("avx2")))

namespace draw {

namespace {

LD_AVX2 __m256i Load(const uint16_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
LD_AVX2 void Store(uint16_t* p, __m256i v) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

LD_AVX2 void KeyedStep(uint16_t* dst, const uint16_t* src, __m256i key) {
  const __m256i s = Load(src);
  Store(dst, _mm256_blendv_epi8(s, Load(dst), _mm256_cmpeq_epi16(s, key)));
}

// The last step overlaps the one before: a keyed copy may cover pixels twice.
LD_AVX2 void KeyedSpan(uint16_t* dst, const uint16_t* src, int n, uint16_t key, __m256i k) {
  if (n < 16) return KeyedRowSse2(dst, src, n, key);
  for (int i = 0; i + 16 <= n; i += 16) KeyedStep(dst + i, src + i, k);
  if (n % 16 != 0) KeyedStep(dst + n - 16, src + n - 16, k);
}

LD_AVX2 int HalfSteps(uint16_t* dst, const uint16_t* src, int n, __m256i mask) {
  const __m256i zero = _mm256_setzero_si256();
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m256i s = Load(src + i), d = Load(dst + i);
    const __m256i half = _mm256_add_epi16(_mm256_and_si256(_mm256_srli_epi16(s, 1), mask),
                                          _mm256_and_si256(_mm256_srli_epi16(d, 1), mask));
    Store(dst + i, _mm256_blendv_epi8(half, d, _mm256_cmpeq_epi16(s, zero)));
  }
  return i;
}

struct AlphaVectors {
  LD_AVX2 explicit AlphaVectors(const AlphaWeights& w) {
    for (size_t c = 0; c < 3; ++c) {
      shift[c] = _mm_cvtsi32_si128(static_cast<int>(w.format.shift[c]));
      max[c] = _mm256_set1_epi16(static_cast<short>(w.format.max[c]));
    }
    for (size_t i = 0; i < 4; ++i) pairs[i] = _mm256_set1_epi32(static_cast<int>(w.pairs[i]));
    last = _mm_cvtsi32_si128(w.last_shift);
    a = _mm256_set1_epi16(static_cast<short>(w.a_fixed));
    b = _mm256_set1_epi16(static_cast<short>(w.b_fixed));
    bits = _mm_cvtsi32_si128(w.bits);
  }
  __m128i shift[3];
  __m256i max[3];
  __m256i pairs[4];
  __m128i last;
  __m256i a, b;  // for narrow weights
  __m128i bits;
};

// Lanes hold sc | dc << 16; the result is the blended component per lane.
template <int kChunks>
LD_AVX2 __m256i BlendLanes(__m256i pair, const AlphaVectors& v) {
  __m256i t = _mm256_madd_epi16(pair, v.pairs[0]);
  for (size_t i = 1; i < kChunks; ++i)
    t = _mm256_add_epi32(_mm256_madd_epi16(pair, v.pairs[i]), _mm256_srli_epi32(t, 15));
  return _mm256_srl_epi32(t, v.last);
}

// Unpack and pack work within each 128-bit half, so the pixel order comes back
// as it was. Narrow weights (kChunks 0) need neither.
template <int kChunks>
LD_AVX2 __m256i Blend(__m256i s, __m256i d, const AlphaVectors& v) {
  __m256i out = _mm256_setzero_si256();
  // Unrolled, the vectors of each component stay in registers.
#pragma GCC unroll 3
  for (size_t c = 0; c < 3; ++c) {
    const __m256i sc = _mm256_and_si256(_mm256_srl_epi16(s, v.shift[c]), v.max[c]);
    const __m256i dc = _mm256_and_si256(_mm256_srl_epi16(d, v.shift[c]), v.max[c]);
    __m256i blended;
    if constexpr (kChunks == 0) {
      const __m256i sum =
          _mm256_add_epi16(_mm256_mullo_epi16(sc, v.a), _mm256_mullo_epi16(dc, v.b));
      blended = _mm256_srl_epi16(sum, v.bits);
    } else {
      const __m256i lo = BlendLanes<kChunks>(_mm256_unpacklo_epi16(sc, dc), v);
      const __m256i hi = BlendLanes<kChunks>(_mm256_unpackhi_epi16(sc, dc), v);
      blended = _mm256_packs_epi32(lo, hi);
    }
    out = _mm256_or_si256(out, _mm256_sll_epi16(blended, v.shift[c]));
  }
  return out;
}

template <int kChunks>
LD_AVX2 void AlphaSpan(uint16_t* dst, const uint16_t* src, int n, const AlphaWeights& w,
                       const AlphaVectors& v) {
  const __m256i zero = _mm256_setzero_si256();
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m256i s = Load(src + i), d = Load(dst + i);
    Store(dst + i, _mm256_blendv_epi8(Blend<kChunks>(s, d, v), d, _mm256_cmpeq_epi16(s, zero)));
  }
  if (i < n) AlphaRowSse2(dst + i, src + i, n - i, w);
}

template <int kChunks>
LD_AVX2 void AlphaRows(const Rows& r, const AlphaWeights& w) {
  const AlphaVectors v(w);
  for (int y = 0; y < r.h; ++y)
    AlphaSpan<kChunks>(r.dst + y * r.dst_pitch, r.src + y * r.src_pitch, r.w, w, v);
}

LD_AVX2 void KeyedRows(const Rows& r, uint16_t key) {
  const __m256i k = _mm256_set1_epi16(static_cast<short>(key));
  for (int y = 0; y < r.h; ++y)
    KeyedSpan(r.dst + y * r.dst_pitch, r.src + y * r.src_pitch, r.w, key, k);
}

LD_AVX2 void HalfRows(const Rows& r, uint16_t half_mask) {
  const __m256i mask = _mm256_set1_epi16(static_cast<short>(half_mask));
  for (int y = 0; y < r.h; ++y) {
    uint16_t* dst = r.dst + y * r.dst_pitch;
    const uint16_t* src = r.src + y * r.src_pitch;
    const int done = HalfSteps(dst, src, r.w, mask);
    if (done < r.w) HalfRowSse2(dst + done, src + done, r.w - done, half_mask);
  }
}

LD_AVX2 void AlphaRows(const Rows& r, const AlphaWeights& w) {
  if (w.narrow) return AlphaRows<0>(r, w);
  if (w.chunks == 1) return AlphaRows<1>(r, w);
  if (w.chunks == 2) return AlphaRows<2>(r, w);
  AlphaRows<4>(r, w);
}

}  // namespace

const Kernels& Avx2Kernels() {
  static constexpr Kernels kAvx2{KeyedRows, HalfRows, AlphaRows};
  return kAvx2;
}

}  // namespace draw
