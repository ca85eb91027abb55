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

void KeyedStep(uint16_t* dst, const uint16_t* src, __m128i key) {
  const __m128i s = Load(src);
  Store(dst, Select(_mm_cmpeq_epi16(s, key), Load(dst), s));
}

// A keyed copy may cover pixels twice: the second pass changes nothing. So
// the last step of a row overlaps the one before instead of going pixel by pixel.
void KeyedSpan(uint16_t* dst, const uint16_t* src, int n, uint16_t key, __m128i k) {
  if (n < 8) return KeyedRow(dst, src, n, key);
  for (int i = 0; i + 8 <= n; i += 8) KeyedStep(dst + i, src + i, k);
  if (n % 8 != 0) KeyedStep(dst + n - 8, src + n - 8, k);
}

int HalfSteps(uint16_t* dst, const uint16_t* src, int n, __m128i mask) {
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m128i s = Load(src + i), d = Load(dst + i);
    const __m128i half = _mm_add_epi16(_mm_and_si128(_mm_srli_epi16(s, 1), mask),
                                       _mm_and_si128(_mm_srli_epi16(d, 1), mask));
    Store(dst + i, Select(_mm_cmpeq_epi16(s, zero), d, half));
  }
  return i;
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
  // Unrolled, the vectors of each component stay in registers.
#pragma GCC unroll 3
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
void AlphaSpan(uint16_t* dst, const uint16_t* src, int n, const AlphaWeights& w,
               const AlphaVectors& v) {
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m128i s = Load(src + i), d = Load(dst + i);
    Store(dst + i, Select(_mm_cmpeq_epi16(s, zero), d, Blend<kChunks>(s, d, v)));
  }
  AlphaRowFixed(dst + i, src + i, n - i, w);
}

template <int kChunks>
void AlphaRows(const Rows& r, const AlphaWeights& w) {
  const AlphaVectors v(w);
  for (int y = 0; y < r.h; ++y)
    AlphaSpan<kChunks>(r.dst + y * r.dst_pitch, r.src + y * r.src_pitch, r.w, w, v);
}

void KeyedRows(const Rows& r, uint16_t key) {
  const __m128i k = _mm_set1_epi16(static_cast<short>(key));
  for (int y = 0; y < r.h; ++y)
    KeyedSpan(r.dst + y * r.dst_pitch, r.src + y * r.src_pitch, r.w, key, k);
}

void HalfRows(const Rows& r, uint16_t half_mask) {
  for (int y = 0; y < r.h; ++y)
    HalfRowSse2(r.dst + y * r.dst_pitch, r.src + y * r.src_pitch, r.w, half_mask);
}

void AlphaRows(const Rows& r, const AlphaWeights& w) {
  if (w.chunks == 1) return AlphaRows<1>(r, w);
  if (w.chunks == 2) return AlphaRows<2>(r, w);
  AlphaRows<4>(r, w);
}

}  // namespace

void KeyedRowSse2(uint16_t* dst, const uint16_t* src, int n, uint16_t key) {
  KeyedSpan(dst, src, n, key, _mm_set1_epi16(static_cast<short>(key)));
}

void HalfRowSse2(uint16_t* dst, const uint16_t* src, int n, uint16_t half_mask) {
  const int done = HalfSteps(dst, src, n, _mm_set1_epi16(static_cast<short>(half_mask)));
  HalfRow(dst + done, src + done, n - done, half_mask);
}

void AlphaRowSse2(uint16_t* dst, const uint16_t* src, int n, const AlphaWeights& w) {
  AlphaRows(Rows{dst, src, 0, 0, n, 1}, w);
}

const Kernels& Sse2Kernels() {
  static constexpr Kernels kSse2{KeyedRows, HalfRows, AlphaRows};
  return kSse2;
}

}  // namespace draw
