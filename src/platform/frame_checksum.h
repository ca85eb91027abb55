// The checksum of one presented frame, and the running checksum of a run.
// A hundred and twenty-eight independent lanes, each a chain of xor and multiply over 32-bit
// words of the picture, so that the processor works on many at once and the
// frame is read at close to memory speed. A changed word always changes its
// lane: xor and multiplication by an odd number lose nothing.
#pragma once

#include <cstdint>

namespace platform {

constexpr uint64_t kRunChecksumStart = 14695981039346656037ull;

// width x height RGB565 pixels, rows pitch pixels apart. Rows that touch are
// taken as one run, so the same picture at another pitch has another checksum.
uint64_t FrameChecksum(const uint16_t* pixels, int width, int height, int pitch);

// The running checksum after one more frame with this checksum.
inline uint64_t AddFrame(uint64_t running, uint64_t frame) {
  running = (running ^ frame) * 1099511628211ull;
  return running ^ (running >> 32);
}

}  // namespace platform
