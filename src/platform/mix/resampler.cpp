#include "platform/mix/resampler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace platform {

namespace {

// Zero crossings of the sinc on each side: a stopband well under -60 dB.
constexpr int kHalfWidth = 16;
// The kernel is looked up, not computed: steps per zero crossing.
constexpr int kSteps = 1024;

double Sinc(double x) {
  if (x == 0.0) return 1.0;
  const double a = std::numbers::pi * x;
  return std::sin(a) / a;
}

// Blackman, over -1..1.
double Window(double x) {
  const double a = std::numbers::pi * (x + 1.0);
  return 0.42 - 0.5 * std::cos(a) + 0.08 * std::cos(2.0 * a);
}

// The windowed sinc from 0 to kHalfWidth zero crossings (it is symmetric),
// one entry past the end so that the last step interpolates to 0.
const std::vector<double>& Kernel() {
  static const std::vector<double> table = [] {
    std::vector<double> t(kHalfWidth * kSteps + 2, 0.0);
    for (int i = 0; i <= kHalfWidth * kSteps; ++i) {
      const double x = static_cast<double>(i) / kSteps;
      t[static_cast<size_t>(i)] = Sinc(x) * Window(x / kHalfWidth);
    }
    return t;
  }();
  return table;
}

// The kernel at x zero crossings from its middle, linearly between the steps.
double KernelAt(const std::vector<double>& kernel, double x) {
  const double at = std::fabs(x) * kSteps;
  const auto i = static_cast<size_t>(at);
  if (i >= kernel.size() - 1) return 0.0;
  const double f = at - static_cast<double>(i);
  return kernel[i] + (kernel[i + 1] - kernel[i]) * f;
}

}  // namespace

std::vector<float> Resample(const float* samples, size_t frames, int channels, int from_rate,
                            int to_rate) {
  if (channels < 1 || from_rate < 1 || to_rate < 1) return {};
  const size_t c = static_cast<size_t>(channels);
  if (from_rate == to_rate) return std::vector<float>(samples, samples + frames * c);
  const size_t out_frames = static_cast<size_t>(
      (static_cast<uint64_t>(frames) * static_cast<uint64_t>(to_rate) + from_rate - 1) /
      static_cast<uint64_t>(from_rate));
  // Downward, the filter's cutoff follows the new rate's Nyquist frequency, and it widens.
  const double cutoff = std::min(1.0, static_cast<double>(to_rate) / from_rate);
  const double reach = kHalfWidth / cutoff;
  const std::vector<double>& kernel = Kernel();
  std::vector<float> out(out_frames * c, 0.0f);
  std::vector<double> sum(c);
  for (size_t n = 0; n < out_frames; ++n) {
    const double t = static_cast<double>(n) * from_rate / to_rate;
    const auto first = static_cast<int64_t>(std::ceil(t - reach));
    const auto last =
        std::min(static_cast<int64_t>(std::floor(t + reach)), static_cast<int64_t>(frames) - 1);
    std::fill(sum.begin(), sum.end(), 0.0);
    double total = 0.0;
    for (int64_t k = std::max<int64_t>(first, 0); k <= last; ++k) {
      const double d = t - static_cast<double>(k);
      const double w = cutoff * KernelAt(kernel, cutoff * d);
      total += w;
      for (size_t ch = 0; ch < c; ++ch) sum[ch] += w * samples[static_cast<size_t>(k) * c + ch];
    }
    // Dividing by the weights' sum keeps a steady level steady, at the edges too.
    if (total == 0.0) continue;
    for (size_t ch = 0; ch < c; ++ch) out[n * c + ch] = static_cast<float>(sum[ch] / total);
  }
  return out;
}

}  // namespace platform
