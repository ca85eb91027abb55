#include "platform/frame_checksum.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace platform {

namespace {

constexpr size_t kLanes = 128;
constexpr uint32_t kPrime = 16777619u;  // FNV's 32-bit prime
constexpr uint64_t kPrime64 = 1099511628211ull;

using Lanes = std::array<uint32_t, kLanes>;

// A run of pixels: whole blocks of kLanes words, each word into its own lane;
// the words and the pixel left over go to the first lanes.
#if defined(__x86_64__) && !defined(__clang__)
__attribute__((target_clones("arch=skylake-avx512", "avx2", "default")))
#endif
void AddRun(Lanes& lanes, const uint16_t* row, size_t width) {
  const size_t words = width / 2;
  size_t w = 0;
  for (; w + kLanes <= words; w += kLanes)
    for (size_t j = 0; j < kLanes; ++j) {
      uint32_t word;
      std::memcpy(&word, row + 2 * (w + j), sizeof word);
      lanes[j] = (lanes[j] ^ word) * kPrime;
    }
  for (size_t j = 0; w + j < words; ++j) {
    uint32_t word;
    std::memcpy(&word, row + 2 * (w + j), sizeof word);
    lanes[j] = (lanes[j] ^ word) * kPrime;
  }
  if (width % 2 != 0) lanes[0] = (lanes[0] ^ row[width - 1]) * kPrime;
}

}  // namespace

uint64_t FrameChecksum(const uint16_t* pixels, int width, int height, int pitch) {
  Lanes lanes;
  for (size_t j = 0; j < kLanes; ++j) lanes[j] = 2166136261u + static_cast<uint32_t>(j);
  if (width <= 0 || height <= 0) return kRunChecksumStart;
  // Rows without a gap between them are one run: no leftover words per row.
  if (pitch == width)
    AddRun(lanes, pixels, static_cast<size_t>(width) * static_cast<size_t>(height));
  else
    for (int y = 0; y < height; ++y)
      AddRun(lanes, pixels + static_cast<ptrdiff_t>(y) * pitch, static_cast<size_t>(width));
  uint64_t hash = kRunChecksumStart;
  for (uint32_t lane : lanes) hash = (hash ^ lane) * kPrime64;
  return hash ^ (hash >> 32);
}

}  // namespace platform
