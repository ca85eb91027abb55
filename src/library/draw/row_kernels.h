// The pixel loops of the blitters and blends. Each exists as plain code and
// in SIMD versions; the best one for this CPU is chosen at run time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "library/draw/pixel_format.h"

namespace draw {

// The weights of one alpha blend: v = trunc(sc * alpha + dc * beta) in double,
// with beta = 1 - alpha rounded to float.
//
// For alpha in [0, 1] whose alpha and beta are multiples of 2^-47, both
// products and their sum are exact in double, so the formula equals
// floor((sc * a_fixed + dc * b_fixed) / 2^bits) with a_fixed = alpha * 2^bits.
// The SIMD versions split a_fixed and b_fixed into 15-bit chunks for 16-bit
// multiply-adds and carry the floors up from the lowest chunk.
struct AlphaWeights {
  PixelFormat format;
  float alpha = 0.0f;
  float beta = 1.0f;
  bool integer = false;  // the fixed-point form below is exact
  uint64_t a_fixed = 0;
  uint64_t b_fixed = 0;
  int bits = 0;
  int chunks = 0;                   // 1, 2 or 4
  std::array<uint32_t, 4> pairs{};  // chunk i of a_fixed | chunk i of b_fixed << 16
  int last_shift = 0;               // bits - 15 * (chunks - 1)
  // Every product and sum fits in 16 bits: sc * a_fixed + dc * b_fixed per lane, then >> bits.
  bool narrow = false;
};

AlphaWeights MakeAlphaWeights(float alpha, const PixelFormat& format);

// w x h pixels: row y of the source at src + y * src_pitch, and so on.
struct Rows {
  uint16_t* dst = nullptr;
  const uint16_t* src = nullptr;
  ptrdiff_t dst_pitch = 0;
  ptrdiff_t src_pitch = 0;
  int w = 0;
  int h = 0;
};

using KeyedFn = void (*)(const Rows& r, uint16_t key);
using HalfFn = void (*)(const Rows& r, uint16_t half_mask);
using AlphaFn = void (*)(const Rows& r, const AlphaWeights& w);

struct Kernels {
  KeyedFn keyed;
  HalfFn half;
  AlphaFn alpha;  // weights with integer set only
};

enum class Isa { kPlain, kSse2, kAvx2, kAvx512 };

bool IsaSupported(Isa isa);
const Kernels& KernelsFor(Isa isa);
const Kernels& BestKernels();

// memcpy per row: compilers do not widen a loop of 16-bit copies by themselves.
void OpaqueRows(const Rows& r);

// The formula itself, for any alpha (out-of-range values wrap as on x86).
void AlphaFormula(const Rows& r, const AlphaWeights& w);

// Single rows, which the wider versions finish their rows with.
void KeyedRow(uint16_t* dst, const uint16_t* src, int n, uint16_t key);
void HalfRow(uint16_t* dst, const uint16_t* src, int n, uint16_t half_mask);
void AlphaRowFixed(uint16_t* dst, const uint16_t* src, int n, const AlphaWeights& w);
void KeyedRowSse2(uint16_t* dst, const uint16_t* src, int n, uint16_t key);
void HalfRowSse2(uint16_t* dst, const uint16_t* src, int n, uint16_t half_mask);
void AlphaRowSse2(uint16_t* dst, const uint16_t* src, int n, const AlphaWeights& w);

const Kernels& PlainKernels();
const Kernels& Sse2Kernels();
const Kernels& Avx2Kernels();
const Kernels& Avx512Kernels();

}  // namespace draw
