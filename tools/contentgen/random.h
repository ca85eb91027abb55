// Deterministic pseudo-random numbers and value noise: same seed, same pack.
#pragma once

#include <cstdint>

class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
  uint32_t Next();
  // Uniform in [0, 1).
  float Unit();
  // Uniform in [low, high).
  float Range(float low, float high) { return low + (high - low) * Unit(); }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint32_t state_;
};

// Smooth noise in [0, 1) over the plane; cell is the feature size in pixels.
float ValueNoise(float x, float y, float cell, uint32_t seed);
// Several octaves of value noise, for clouds, water and stone.
float Fractal(float x, float y, float cell, uint32_t seed, int octaves = 4);
