// The last stage of the output mix: a stereo-linked look-ahead peak limiter.
// The gain needed by every frame of the look-ahead window is held, released
// slowly and smoothed by a moving average as long as the window, so the gain
// is already down when a peak leaves the delay line and never steps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

class PeakLimiter {
 public:
  PeakLimiter(int rate, float ceiling);
  // Interleaved stereo floats, in place; the output comes about 5 ms late.
  void Process(float* samples, int frames);

 private:
  struct Need {
    uint64_t frame;
    float gain;
  };
  float ceiling_;
  size_t window_;  // look-ahead, in frames
  float release_;  // share of the way back to the held gain per frame
  uint64_t frame_ = 0;
  std::vector<float> delay_;  // window_ stereo frames
  std::vector<Need> minima_;  // rising gains of the window, a ring of window_ entries
  size_t min_head_ = 0, min_count_ = 0;
  float released_ = 1.0f;
  std::vector<float> smooth_;  // the last window_ released gains
  double smooth_sum_;
};

}  // namespace platform
