// The output limiter on plain sample buffers: quiet sound passes untouched and
// late by the look-ahead; no peak, on either channel, gets past the ceiling;
// the gain never steps and comes back after the peak.
#include "platform/mix/peak_limiter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr int kRate = 48000;
constexpr float kCeiling = 0.891f;

// Interleaved stereo, frames of (left, right), limited block by block.
std::vector<float> Limit(int frames, const std::function<void(int, float&, float&)>& at, int block,
                         std::vector<float>* in = nullptr) {
  std::vector<float> s(2 * static_cast<size_t>(frames), 0.0f);
  for (size_t i = 0; i < s.size(); i += 2) at(static_cast<int>(i / 2), s[i], s[i + 1]);
  if (in != nullptr) *in = s;
  platform::PeakLimiter limiter(kRate, kCeiling);
  for (int i = 0; i < frames; i += block)
    limiter.Process(s.data() + 2 * i, std::min(block, frames - i));
  return s;
}

// Frames until a lone quiet click comes out, unchanged.
int Delay() {
  const std::vector<float> out = Limit(
      kRate / 10, [](int i, float& l, float&) { l = i == 0 ? 0.5f : 0; }, 64);
  const auto click = std::find(out.begin(), out.end(), 0.5f);
  return click == out.end() ? -1 : static_cast<int>(click - out.begin()) / 2;
}

TEST(PeakLimiterTest, QuietSoundPassesUnchangedOneLookAheadLate) {
  const auto delay = static_cast<size_t>(Delay());
  ASSERT_TRUE(delay >= kRate * 4 / 1000 && delay <= kRate * 6 / 1000)
      << delay << " frames, not about 5 ms";
  std::vector<float> in;
  const std::vector<float> out = Limit(
      kRate / 5,
      [](int i, float& l, float& r) {
        l = 0.88f * std::sin(static_cast<float>(i) * 0.05f);
        r = -0.7f * std::cos(static_cast<float>(i) * 0.013f);
      },
      256, &in);
  EXPECT_TRUE(std::equal(out.begin() + 2 * delay, out.end(), in.begin()));
}

TEST(PeakLimiterTest, NoPeakPassesTheCeilingOnEitherChannelWhateverTheBlocks) {
  const std::function<void(int, float&, float&)> cases[] = {
      [](int i, float& l, float&) { l = i == 3000 ? 4.0f : 0.3f; },
      [](int i, float&, float& r) { r = i == 3000 ? -4.0f : 0.3f; },
      [](int i, float& l, float& r) { l = r = i == 0 ? 2.0f : 0.0f; },
      [](int i, float& l, float& r) { l = r = (i / 100) % 2 ? 2.0f : -2.0f; },
      [](int i, float& l, float& r) {  // a burst rising to five times the ceiling
        const float level = 0.5f + static_cast<float>(i % 9000) / 2000.0f;
        l = level * std::sin(static_cast<float>(i) * 0.3f);
        r = level * std::sin(static_cast<float>(i) * 0.17f);
      }};
  for (size_t c = 0; c < std::size(cases); ++c) {
    const std::vector<float> whole = Limit(kRate / 2, cases[c], kRate / 2);
    float loudest = 0.0f;
    for (float v : whole) loudest = std::max(loudest, std::fabs(v));
    EXPECT_LE(loudest, kCeiling * 1.00001f) << "case " << c;
    EXPECT_EQ(Limit(kRate / 2, cases[c], 7), whole) << "case " << c;
  }
}

TEST(PeakLimiterTest, GainGlidesDownBeforeAPeakAndBackAfterIt) {
  const int delay = Delay(), spike = kRate / 4, frames = kRate * 3 / 2;
  ASSERT_GT(delay, 0);
  std::vector<float> in;
  const std::vector<float> out = Limit(
      frames, [&](int i, float& l, float& r) { l = r = i == spike ? 8.0f : 0.25f; }, 480, &in);
  const auto gain = [&](int i) {
    return out[2 * static_cast<size_t>(i + delay)] / in[2 * static_cast<size_t>(i)];
  };
  EXPECT_EQ(gain(0), 1.0f);
  for (int i = 1; i < frames - delay; ++i)
    ASSERT_LE(std::fabs(gain(i) - gain(i - 1)), 1.0f / static_cast<float>(delay))
        << "a step at frame " << i;
  EXPECT_LT(gain(spike - 1), 0.5f) << "down before the peak comes out";
  EXPECT_LT(gain(spike + kRate / 20), 1.0f) << "released slowly";
  EXPECT_GT(gain(spike + kRate), 0.99f) << "back after a second";
}

}  // namespace
