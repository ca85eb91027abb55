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

// Interleaved stereo: frames of (left, right).
std::vector<float> Make(int frames, const std::function<void(int, float&, float&)>& at) {
  std::vector<float> s(2 * static_cast<size_t>(frames), 0.0f);
  for (int i = 0; i < frames; ++i) at(i, s[2 * static_cast<size_t>(i)], s[2 * static_cast<size_t>(i) + 1]);
  return s;
}

std::vector<float> Limit(std::vector<float> s, int block) {
  platform::PeakLimiter limiter(kRate, kCeiling);
  const int frames = static_cast<int>(s.size() / 2);
  for (int i = 0; i < frames; i += block) limiter.Process(s.data() + 2 * i, std::min(block, frames - i));
  return s;
}

// Where a lone quiet click comes out.
int Delay() {
  const std::vector<float> out = Limit(Make(kRate / 10, [](int i, float& l, float&) { l = i == 0 ? 0.5f : 0.0f; }), 64);
  for (size_t i = 0; i < out.size(); i += 2)
    if (out[i] != 0.0f) return out[i] == 0.5f ? static_cast<int>(i / 2) : -1;
  return -1;
}

TEST(PeakLimiterTest, QuietSoundPassesUnchangedOneLookAheadLate) {
  const int delay = Delay();
  ASSERT_GE(delay, kRate * 4 / 1000) << "about 5 ms of look-ahead";
  ASSERT_LE(delay, kRate * 6 / 1000);
  const std::vector<float> in = Make(kRate / 5, [](int i, float& l, float& r) {
    l = 0.88f * std::sin(static_cast<float>(i) * 0.05f);
    r = -0.7f * std::cos(static_cast<float>(i) * 0.013f);
  });
  const std::vector<float> out = Limit(in, 256);
  for (size_t i = 2 * static_cast<size_t>(delay); i < out.size(); ++i)
    ASSERT_EQ(out[i], in[i - 2 * static_cast<size_t>(delay)]) << "sample " << i;
}

TEST(PeakLimiterTest, NoPeakPassesTheCeilingOnEitherChannel) {
  struct Case {
    const char* name;
    std::function<void(int, float&, float&)> at;
  } cases[] = {
      {"one loud sample on the left", [](int i, float& l, float&) { l = i == 3000 ? 4.0f : 0.3f; }},
      {"one loud sample on the right", [](int i, float&, float& r) { r = i == 3000 ? -4.0f : 0.3f; }},
      {"a loud sample just at the start", [](int i, float& l, float& r) { l = r = i == 0 ? 2.0f : 0.0f; }},
      {"a square wave at twice full scale",
       [](int i, float& l, float& r) { l = r = (i / 100) % 2 ? 2.0f : -2.0f; }},
      {"a burst rising above the ceiling",
       [](int i, float& l, float& r) {
         const float level = 0.5f + static_cast<float>(i % 9000) / 2000.0f;
         l = level * std::sin(static_cast<float>(i) * 0.3f);
         r = level * std::sin(static_cast<float>(i) * 0.17f);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<float> in = Make(kRate / 2, c.at);
    const std::vector<float> whole = Limit(in, static_cast<int>(in.size() / 2));
    float loudest = 0.0f;
    for (float v : whole) loudest = std::max(loudest, std::fabs(v));
    EXPECT_LE(loudest, kCeiling * 1.00001f);
    EXPECT_EQ(Limit(in, 7), whole) << "the output does not depend on the block size";
  }
}

TEST(PeakLimiterTest, GainGlidesDownBeforeAPeakAndBackAfterIt) {
  const int delay = Delay();
  ASSERT_GT(delay, 0);
  const int spike = kRate / 4;
  const std::vector<float> in =
      Make(kRate * 3 / 2, [&](int i, float& l, float& r) { l = r = i == spike ? 8.0f : 0.25f; });
  const std::vector<float> out = Limit(in, 480);
  const auto gain = [&](int frame) {
    const auto at = 2 * static_cast<size_t>(frame);
    return out[at + 2 * static_cast<size_t>(delay)] / in[at];
  };
  float previous = gain(0);
  EXPECT_EQ(previous, 1.0f);
  for (int i = 1; i < kRate * 3 / 2 - delay; ++i) {
    const float g = gain(i);
    ASSERT_LE(std::fabs(g - previous), 1.0f / static_cast<float>(delay)) << "a step at frame " << i;
    previous = g;
  }
  EXPECT_LT(gain(spike - 1), 0.5f) << "down before the peak comes out";
  EXPECT_LT(gain(spike + kRate / 20), 1.0f) << "released slowly";
  EXPECT_GT(gain(spike + kRate), 0.99f) << "back after a second";
}

}  // namespace
