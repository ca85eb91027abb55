// The pack's sounds are audible PCM waves with headroom.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "contentpack/pack_files.h"
#include "library/sound/wave_file.h"

namespace {

struct Measured {
  double peak = 0, rms = 0, seconds = 0;
  double crossings = 0;  // zero crossings per second: how bright the sound is
};

Measured Measure(const WaveData& w) {
  Measured m;
  double sum = 0, last = 0;
  const size_t n = w.samples.size() / 2;
  for (size_t i = 0; i < n; ++i) {
    const double v = static_cast<int16_t>(w.samples[2 * i] | w.samples[2 * i + 1] << 8) / 32768.0;
    sum += v * v;
    m.peak = std::max(m.peak, std::abs(v));
    if (i > 0 && (v < 0) != (last < 0)) ++m.crossings;
    last = v;
  }
  m.seconds = static_cast<double>(n) / w.format.samples_per_sec;
  m.rms = n == 0 ? 0 : std::sqrt(sum / n);
  m.crossings = m.seconds == 0 ? 0 : m.crossings / m.seconds;
  return m;
}

// Effects peak at -6 dBFS at most, so a few at once leave headroom. The touch of two
// characters, played on every frame they meet, is short, yet as loud as the rest and the
// brightest of the three crashes, so that it stands out over the music and the walls.
TEST(ContentPack, EverySoundIsAudiblePcmWithHeadroom) {
  const pack::Tagged dat = pack::ReadTagged("Data\\game.dat");
  ASSERT_EQ(dat.sound.size(), 10u);
  std::map<std::string, Measured> measured;
  for (const auto& [role, name] : dat.sound) {
    const auto path = pack::Resolve(name);
    ASSERT_TRUE(path) << role;
    const std::vector<uint8_t> bytes = pack::ReadBytes(*path);
    WaveData w;
    ASSERT_EQ(ReadWaveBytes(bytes.data(), bytes.size(), w), 0) << role;
    EXPECT_EQ(w.format.format_tag, 1) << role;
    EXPECT_EQ(w.format.channels, 1) << role;
    EXPECT_EQ(w.format.bits_per_sample, 16) << role;
    const Measured m = measured[role] = Measure(w);
    EXPECT_GT(m.rms, 0.02) << role << " is (nearly) silent";
    EXPECT_LE(20 * std::log10(m.peak), -6.0) << role;
    EXPECT_TRUE(m.seconds > 0.02 && m.seconds < (role == "crash_char:" ? 0.12 : 1.0))
        << role << " lasts " << m.seconds << " s";
  }
  const Measured& touch = measured["crash_char:"];
  EXPECT_GE(20 * std::log10(touch.peak), -7.0) << "the touch is as loud as the other effects";
  for (const char* other : {"crash_wall:", "crash_obj:"})
    EXPECT_GT(touch.crossings, 1.5 * measured[other].crossings)
        << "the touch is not brighter than " << other;
}

}  // namespace
