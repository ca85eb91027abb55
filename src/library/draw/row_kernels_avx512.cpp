// AVX-512BW, chosen at run time when the CPU has it: thirty-two pixels at a
// time. Masked loads and stores take the ends of rows, and a keyed copy
// stores only the pixels it draws, so it never reads the back buffer.
// GCC 12's AVX-512 headers pass an undefined vector to their masked
// builtins, which -Wmaybe-uninitialized takes for a real read (GCC bug 105593).
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>

#include "library/draw/row_kernels.h"

#define LD_AVX512 __attribute__((target("avx512bw")))

namespace draw {

namespace {

// The first n of 32 lanes; n < 32.
__mmask32 FirstLanes(int n) { return (__mmask32{1} << n) - 1; }

LD_AVX512 void KeyedSpan(uint16_t* dst, const uint16_t* src, int n, __m512i key) {
  int i = 0;
  for (; i + 32 <= n; i += 32) {
    const __m512i s = _mm512_loadu_si512(src + i);
    _mm512_mask_storeu_epi16(dst + i, _mm512_cmpneq_epi16_mask(s, key), s);
  }
  if (i == n) return;
  const __mmask32 tail = FirstLanes(n - i);
  const __m512i s = _mm512_maskz_loadu_epi16(tail, src + i);
  _mm512_mask_storeu_epi16(dst + i, _mm512_mask_cmpneq_epi16_mask(tail, s, key), s);
}

// Runs blend(s, d) over a row and stores it where the source is not black.
template <typename Blend>
LD_AVX512 void BlendSpan(uint16_t* dst, const uint16_t* src, int n, const Blend& blend) {
  const __m512i zero = _mm512_setzero_si512();
  for (int i = 0; i < n; i += 32) {
    const __mmask32 lanes = n - i >= 32 ? ~__mmask32{0} : FirstLanes(n - i);
    const __m512i s = _mm512_maskz_loadu_epi16(lanes, src + i);
    const __m512i d = _mm512_maskz_loadu_epi16(lanes, dst + i);
    _mm512_mask_storeu_epi16(dst + i, _mm512_mask_cmpneq_epi16_mask(lanes, s, zero), blend(s, d));
  }
}

struct Half {
  LD_AVX512 __m512i operator()(__m512i s, __m512i d) const {
    return _mm512_add_epi16(_mm512_and_si512(_mm512_srli_epi16(s, 1), mask),
                            _mm512_and_si512(_mm512_srli_epi16(d, 1), mask));
  }
  __m512i mask;
};

// Lanes hold sc | dc << 16 and are blended as in the SSE2 and AVX2 versions;
// unpack and pack stay within 128-bit lanes, so the pixel order comes back.
// Narrow weights (kChunks 0) blend in the 16-bit lanes themselves.
template <int kChunks>
struct Alpha {
  LD_AVX512 explicit Alpha(const AlphaWeights& w) {
    for (size_t c = 0; c < 3; ++c) {
      shift[c] = _mm_cvtsi32_si128(static_cast<int>(w.format.shift[c]));
      max[c] = _mm512_set1_epi16(static_cast<short>(w.format.max[c]));
    }
    for (size_t i = 0; i < 4; ++i) pairs[i] = _mm512_set1_epi32(static_cast<int>(w.pairs[i]));
    last = _mm_cvtsi32_si128(w.last_shift);
    a = _mm512_set1_epi16(static_cast<short>(w.a_fixed));
    b = _mm512_set1_epi16(static_cast<short>(w.b_fixed));
    bits = _mm_cvtsi32_si128(w.bits);
  }
  LD_AVX512 __m512i Lanes(__m512i pair) const {
    __m512i t = _mm512_madd_epi16(pair, pairs[0]);
    for (size_t i = 1; i < kChunks; ++i)
      t = _mm512_add_epi32(_mm512_madd_epi16(pair, pairs[i]), _mm512_srli_epi32(t, 15));
    return _mm512_srl_epi32(t, last);
  }
  LD_AVX512 __m512i operator()(__m512i s, __m512i d) const {
    __m512i out = _mm512_setzero_si512();
    // Unrolled, the vectors of each component stay in registers.
#pragma GCC unroll 3
    for (size_t c = 0; c < 3; ++c) {
      const __m512i sc = _mm512_and_si512(_mm512_srl_epi16(s, shift[c]), max[c]);
      const __m512i dc = _mm512_and_si512(_mm512_srl_epi16(d, shift[c]), max[c]);
      __m512i blended;
      if constexpr (kChunks == 0) {
        blended = _mm512_srl_epi16(
            _mm512_add_epi16(_mm512_mullo_epi16(sc, a), _mm512_mullo_epi16(dc, b)), bits);
      } else {
        const __m512i lo = Lanes(_mm512_unpacklo_epi16(sc, dc));
        const __m512i hi = Lanes(_mm512_unpackhi_epi16(sc, dc));
        blended = _mm512_packs_epi32(lo, hi);
      }
      out = _mm512_or_si512(out, _mm512_sll_epi16(blended, shift[c]));
    }
    return out;
  }
  __m128i shift[3];
  __m512i max[3];
  __m512i pairs[4];
  __m128i last;
  __m512i a, b;  // for narrow weights
  __m128i bits;
};

template <typename Blend>
LD_AVX512 void BlendRows(const Rows& r, const Blend& blend) {
  for (int y = 0; y < r.h; ++y)
    BlendSpan(r.dst + y * r.dst_pitch, r.src + y * r.src_pitch, r.w, blend);
}

LD_AVX512 void KeyedRows(const Rows& r, uint16_t key) {
  const __m512i k = _mm512_set1_epi16(static_cast<short>(key));
  for (int y = 0; y < r.h; ++y) KeyedSpan(r.dst + y * r.dst_pitch, r.src + y * r.src_pitch, r.w, k);
}

LD_AVX512 void HalfRows(const Rows& r, uint16_t half_mask) {
  if (r.w <= 16) return Avx2Kernels().half(r, half_mask);
  BlendRows(r, Half{_mm512_set1_epi16(static_cast<short>(half_mask))});
}

// Rows of sixteen or fewer would leave half of every vector idle.
LD_AVX512 void AlphaRows(const Rows& r, const AlphaWeights& w) {
  if (r.w <= 16) return Avx2Kernels().alpha(r, w);
  if (w.narrow) return BlendRows(r, Alpha<0>(w));
  if (w.chunks == 1) return BlendRows(r, Alpha<1>(w));
  if (w.chunks == 2) return BlendRows(r, Alpha<2>(w));
  BlendRows(r, Alpha<4>(w));
}

}  // namespace

const Kernels& Avx512Kernels() {
  static constexpr Kernels kAvx512{KeyedRows, HalfRows, AlphaRows};
  return kAvx512;
}

}  // namespace draw
