#include "platform/mix/peak_limiter.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

constexpr double kLookAheadSeconds = 0.005;
// Slow enough that a crash sound a few times a second does not make the music pump.
constexpr double kReleaseSeconds = 0.15;

}  // namespace

PeakLimiter::PeakLimiter(int rate, float ceiling)
    : ceiling_(ceiling),
      window_(std::max<size_t>(1, static_cast<size_t>(rate * kLookAheadSeconds))),
      release_(static_cast<float>(1.0 - std::exp(-1.0 / (kReleaseSeconds * rate)))),
      delay_(window_ * 2, 0.0f),
      minima_(window_),
      smooth_(window_, 1.0f),
      smooth_sum_(static_cast<double>(window_)) {}

void PeakLimiter::Process(float* samples, int frames) {
  for (int i = 0; i < frames; ++i, ++frame_) {
    float* s = samples + 2 * static_cast<size_t>(i);
    const float peak = std::max(std::fabs(s[0]), std::fabs(s[1]));
    const float need = peak > ceiling_ ? ceiling_ / peak : 1.0f;
    // Sliding minimum of the needed gain over the window.
    while (min_count_ > 0 && minima_[(min_head_ + min_count_ - 1) % window_].gain >= need)
      --min_count_;
    if (min_count_ > 0 && minima_[min_head_].frame + window_ <= frame_) {
      min_head_ = (min_head_ + 1) % window_;
      --min_count_;
    }
    minima_[(min_head_ + min_count_) % window_] = {frame_, need};
    ++min_count_;
    const float held = minima_[min_head_].gain;
    released_ = held < released_ ? held : released_ + (held - released_) * release_;
    const size_t slot = frame_ % window_;
    smooth_sum_ += static_cast<double>(released_) - smooth_[slot];
    smooth_[slot] = released_;
    const float gain = static_cast<float>(smooth_sum_ / static_cast<double>(window_));
    // Out goes the oldest frame of the window: every gain averaged here was held for it.
    delay_[2 * slot] = s[0];
    delay_[2 * slot + 1] = s[1];
    const size_t oldest = (frame_ + 1) % window_;
    s[0] = delay_[2 * oldest] * gain;
    s[1] = delay_[2 * oldest + 1] * gain;
  }
}

}  // namespace platform
