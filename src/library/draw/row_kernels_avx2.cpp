// AVX2, chosen at run time when the CPU has it: sixteen pixels at a time.
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

struct AlphaVectors {
  LD_AVX2 explicit AlphaVectors(const AlphaWeights& w) {
    for (size_t c = 0; c < 3; ++c) {
      shift[c] = _mm_cvtsi32_si128(static_cast<int>(w.format.shift[c]));
      max[c] = _mm256_set1_epi16(static_cast<short>(w.format.max[c]));
    }
    for (size_t i = 0; i < 4; ++i)
      pairs[i] = _mm256_set1_epi32(static_cast<int>(w.pairs[i]));
    last = _mm_cvtsi32_si128(w.last_shift);
  }
  __m128i shift[3];
  __m256i max[3];
  __m256i pairs[4];
  __m128i last;
};

// Lanes hold sc | dc << 16; the result is the blended component per lane.
template <int kChunks>
LD_AVX2 __m256i BlendLanes(__m256i pair, const AlphaVectors& v) {
  __m256i t = _mm256_madd_epi16(pair, v.pairs[0]);
  for (size_t i = 1; i < kChunks; ++i)
    t = _mm256_add_epi32(_mm256_madd_epi16(pair, v.pairs[i]), _mm256_srli_epi32(t, 15));
  return _mm256_srl_epi32(t, v.last);
}

// Unpack and pack work within each 128-bit half, so the pixel order comes back as it was.
template <int kChunks>
LD_AVX2 __m256i Blend(__m256i s, __m256i d, const AlphaVectors& v) {
  __m256i out = _mm256_setzero_si256();
  for (size_t c = 0; c < 3; ++c) {
    const __m256i sc = _mm256_and_si256(_mm256_srl_epi16(s, v.shift[c]), v.max[c]);
    const __m256i dc = _mm256_and_si256(_mm256_srl_epi16(d, v.shift[c]), v.max[c]);
    const __m256i lo = BlendLanes<kChunks>(_mm256_unpacklo_epi16(sc, dc), v);
    const __m256i hi = BlendLanes<kChunks>(_mm256_unpackhi_epi16(sc, dc), v);
    out = _mm256_or_si256(out, _mm256_sll_epi16(_mm256_packs_epi32(lo, hi), v.shift[c]));
  }
  return out;
}

template <int kChunks>
LD_AVX2 int AlphaSteps(uint16_t* dst, const uint16_t* src, int n, const AlphaWeights& w) {
  const AlphaVectors v(w);
  const __m256i zero = _mm256_setzero_si256();
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m256i s = Load(src + i), d = Load(dst + i);
    const __m256i blended = Blend<kChunks>(s, d, v);
    Store(dst + i, _mm256_blendv_epi8(blended, d, _mm256_cmpeq_epi16(s, zero)));
  }
  return i;
}

}  // namespace

LD_AVX2 void KeyedRowAvx2(uint16_t* dst, const uint16_t* src, int n, uint16_t key) {
  const __m256i k = _mm256_set1_epi16(static_cast<short>(key));
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m256i s = Load(src + i);
    Store(dst + i, _mm256_blendv_epi8(s, Load(dst + i), _mm256_cmpeq_epi16(s, k)));
  }
  KeyedRowSse2(dst + i, src + i, n - i, key);
}

LD_AVX2 void HalfRowAvx2(uint16_t* dst, const uint16_t* src, int n, uint16_t half_mask) {
  const __m256i m = _mm256_set1_epi16(static_cast<short>(half_mask));
  const __m256i zero = _mm256_setzero_si256();
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m256i s = Load(src + i), d = Load(dst + i);
    const __m256i half = _mm256_add_epi16(_mm256_and_si256(_mm256_srli_epi16(s, 1), m),
                                          _mm256_and_si256(_mm256_srli_epi16(d, 1), m));
    Store(dst + i, _mm256_blendv_epi8(half, d, _mm256_cmpeq_epi16(s, zero)));
  }
  HalfRowSse2(dst + i, src + i, n - i, half_mask);
}

LD_AVX2 void AlphaRowAvx2(uint16_t* dst, const uint16_t* src, int n, const AlphaWeights& w) {
  const int done = w.chunks == 2 ? AlphaSteps<2>(dst, src, n, w) : AlphaSteps<4>(dst, src, n, w);
  AlphaRowSse2(dst + done, src + done, n - done, w);
}

}  // namespace draw
