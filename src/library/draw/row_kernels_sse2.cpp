// SSE2, which every x86-64 has: eight pixels at a time.
#include <emmintrin.h>

#include "library/draw/row_kernels.h"

namespace draw {

namespace {

__m128i Load(const uint16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
void Store(uint16_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// keep where mask is set, value elsewhere.
__m128i Select(__m128i mask, __m128i keep, __m128i value) {
  return _mm_or_si128(_mm_and_si128(mask, keep), _mm_andnot_si128(mask, value));
}

struct AlphaVectors {
  explicit AlphaVectors(const AlphaWeights& w) {
    for (size_t c = 0; c < 3; ++c) {
      shift[c] = _mm_cvtsi32_si128(static_cast<int>(w.format.shift[c]));
      max[c] = _mm_set1_epi16(static_cast<short>(w.format.max[c]));
    }
    for (size_t i = 0; i < 4; ++i) pairs[i] = _mm_set1_epi32(static_cast<int>(w.pairs[i]));
    last = _mm_cvtsi32_si128(w.last_shift);
  }
  __m128i shift[3], max[3];
  __m128i pairs[4];
  __m128i last;
};

// Lanes hold sc | dc << 16; the result is the blended component per lane.
template <int kChunks>
__m128i BlendLanes(__m128i pair, const AlphaVectors& v) {
  __m128i t = _mm_madd_epi16(pair, v.pairs[0]);
  for (size_t i = 1; i < kChunks; ++i)
    t = _mm_add_epi32(_mm_madd_epi16(pair, v.pairs[i]), _mm_srli_epi32(t, 15));
  return _mm_srl_epi32(t, v.last);
}

template <int kChunks>
__m128i Blend(__m128i s, __m128i d, const AlphaVectors& v) {
  __m128i out = _mm_setzero_si128();
  for (size_t c = 0; c < 3; ++c) {
    const __m128i sc = _mm_and_si128(_mm_srl_epi16(s, v.shift[c]), v.max[c]);
    const __m128i dc = _mm_and_si128(_mm_srl_epi16(d, v.shift[c]), v.max[c]);
    const __m128i lo = BlendLanes<kChunks>(_mm_unpacklo_epi16(sc, dc), v);
    const __m128i hi = BlendLanes<kChunks>(_mm_unpackhi_epi16(sc, dc), v);
    out = _mm_or_si128(out, _mm_sll_epi16(_mm_packs_epi32(lo, hi), v.shift[c]));
  }
  return out;
}

template <int kChunks>
int AlphaSteps(uint16_t* dst, const uint16_t* src, int n, const AlphaWeights& w) {
  const AlphaVectors v(w);
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m128i s = Load(src + i), d = Load(dst + i);
    Store(dst + i, Select(_mm_cmpeq_epi16(s, zero), d, Blend<kChunks>(s, d, v)));
  }
  return i;
}

}  // namespace

void KeyedRowSse2(uint16_t* dst, const uint16_t* src, int n, uint16_t key) {
  const __m128i k = _mm_set1_epi16(static_cast<short>(key));
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m128i s = Load(src + i);
    Store(dst + i, Select(_mm_cmpeq_epi16(s, k), Load(dst + i), s));
  }
  KeyedRow(dst + i, src + i, n - i, key);
}

void HalfRowSse2(uint16_t* dst, const uint16_t* src, int n, uint16_t half_mask) {
  const __m128i m = _mm_set1_epi16(static_cast<short>(half_mask));
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m128i s = Load(src + i), d = Load(dst + i);
    const __m128i half = _mm_add_epi16(_mm_and_si128(_mm_srli_epi16(s, 1), m),
                                       _mm_and_si128(_mm_srli_epi16(d, 1), m));
    Store(dst + i, Select(_mm_cmpeq_epi16(s, zero), d, half));
  }
  HalfRow(dst + i, src + i, n - i, half_mask);
}

void AlphaRowSse2(uint16_t* dst, const uint16_t* src, int n, const AlphaWeights& w) {
  const int done = w.chunks == 2 ? AlphaSteps<2>(dst, src, n, w) : AlphaSteps<4>(dst, src, n, w);
  AlphaRowFixed(dst + done, src + done, n - done, w);
}

}  // namespace draw
