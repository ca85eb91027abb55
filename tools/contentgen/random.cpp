#include "random.h"

#include <cmath>

namespace {

uint32_t Hash(int x, int y, uint32_t seed) {
  uint32_t h =
      seed ^ (static_cast<uint32_t>(x) * 374761393u) ^ (static_cast<uint32_t>(y) * 668265263u);
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

float Lattice(int x, int y, uint32_t seed) { return (Hash(x, y, seed) & 0xFFFFFF) / 16777216.0f; }

float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }

}  // namespace

uint32_t Random::Next() {
  // xorshift32
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

float Random::Unit() { return (Next() >> 8) / 16777216.0f; }

float ValueNoise(float x, float y, float cell, uint32_t seed) {
  const float fx = x / cell, fy = y / cell;
  const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
  const float tx = Smooth(fx - ix), ty = Smooth(fy - iy);
  const float top =
      Lattice(ix, iy, seed) + (Lattice(ix + 1, iy, seed) - Lattice(ix, iy, seed)) * tx;
  const float bottom =
      Lattice(ix, iy + 1, seed) + (Lattice(ix + 1, iy + 1, seed) - Lattice(ix, iy + 1, seed)) * tx;
  return top + (bottom - top) * ty;
}

float Fractal(float x, float y, float cell, uint32_t seed, int octaves) {
  float sum = 0.0f, weight = 0.0f, amplitude = 1.0f;
  for (int o = 0; o < octaves; ++o) {
    sum += amplitude * ValueNoise(x, y, cell, seed + o * 101u);
    weight += amplitude;
    amplitude *= 0.5f;
    cell *= 0.5f;
  }
  return sum / weight;
}
