// Effects from their own rate to the mix's, once at load.
#include "platform/mix/resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using platform::Resample;

// Stereo: a tone of amplitude 0.5 on the left, silence on the right.
std::vector<float> Tone(double hz, int rate, size_t frames) {
  std::vector<float> s(2 * frames, 0.0f);
  for (size_t i = 0; i < frames; ++i)
    s[2 * i] = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * hz * i / rate));
  return s;
}

TEST(ResamplerTest, LengthIsTheSameTimeAtTheNewRate) {
  struct Case {
    int from, to;
    size_t frames, out;
  } cases[] = {{22050, 48000, 22050, 48000}, {22050, 48000, 441, 960}, {48000, 22050, 960, 441},
               {44100, 48000, 1, 2},         {8000, 8000, 5, 5},       {11025, 48000, 0, 0}};
  for (const Case& c : cases) {
    const std::vector<float> in(2 * c.frames, 0.25f);
    EXPECT_EQ(Resample(in.data(), c.frames, 2, c.from, c.to).size(), 2 * c.out)
        << c.from << " to " << c.to;
  }
  const float one = 1.0f;
  EXPECT_TRUE(Resample(&one, 1, 0, 22050, 48000).empty());
  EXPECT_TRUE(Resample(&one, 1, 1, 0, 48000).empty());
}

// Away from the ends, each output frame is the tone at its own time, and the
// silent channel stays silent.
TEST(ResamplerTest, ToneKeepsItsPitchAndLevel) {
  const int pairs[][2] = {{22050, 48000}, {11025, 48000}, {44100, 48000}, {48000, 22050}};
  for (const auto& [from, to] : pairs) {
    const std::vector<float> out =
        Resample(Tone(1000, from, from / 10).data(), from / 10, 2, from, to);
    double worst = 0.0, right = 0.0;
    for (size_t n = to / 100; n < out.size() / 2 - to / 100; ++n) {
      const double want = 0.5 * std::sin(2 * std::numbers::pi * 1000 * n / to);
      worst = std::max(worst, std::fabs(out[2 * n] - want));
      right = std::max(right, std::fabs(double{out[2 * n + 1]}));
    }
    EXPECT_LT(worst, 1e-3) << from << " to " << to;
    EXPECT_EQ(right, 0.0) << from << " to " << to;
  }
}

// 15 kHz has no place at 22,050 Hz: it must not fold back as 7 kHz.
TEST(ResamplerTest, DownwardTheHighsAreFilteredOut) {
  const std::vector<float> out = Resample(Tone(15000, 48000, 4800).data(), 4800, 2, 48000, 22050);
  double loudest = 0.0;
  for (size_t n = 200; n < out.size() / 2 - 200; ++n)
    loudest = std::max(loudest, std::fabs(double{out[2 * n]}));
  EXPECT_LT(loudest, 0.5 * 0.01) << "less than -40 dB";
}

}  // namespace
