// The pack's sounds are audible PCM waves with headroom.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>

#include "contentpack/pack_files.h"
#include "library/sound/el_sound.h"

namespace {

// Effects peak at -6 dBFS at most, so a few at once leave headroom; the contact crash, played on
// every frame two characters touch, is short and soft enough to read as rubbing.
TEST(ContentPack, EverySoundIsAudiblePcmWithHeadroom) {
  const pack::Tagged dat = pack::ReadTagged("Data\\game.dat");
  ASSERT_EQ(dat.sound.size(), 10u);
  for (const auto& [role, name] : dat.sound) {
    const auto path = pack::Resolve(name);
    ASSERT_TRUE(path) << role;
    const std::vector<uint8_t> bytes = pack::ReadBytes(*path);
    WaveData w;
    ASSERT_EQ(ReadWaveBytes(bytes.data(), bytes.size(), w), 0) << role;
    EXPECT_EQ(std::tie(w.format.format_tag, w.format.channels, w.format.bits_per_sample),
              std::tuple(1, 1, 16))
        << role;
    double sum = 0, peak = 0;  // of full scale
    for (size_t i = 0; i + 1 < w.samples.size(); i += 2) {
      const double v = static_cast<int16_t>(w.samples[i] | w.samples[i + 1] << 8) / 32768.0;
      sum += v * v;
      peak = std::max(peak, std::abs(v));
    }
    const double seconds = w.samples.size() / 2.0 / w.format.samples_per_sec;
    EXPECT_GT(std::sqrt(sum / (w.samples.size() / 2)), 0.02) << role << " is (nearly) silent";
    EXPECT_LE(20 * std::log10(peak), role == "crash_char:" ? -12.0 : -6.0) << role;
    EXPECT_TRUE(seconds > 0.02 && seconds < (role == "crash_char:" ? 0.12 : 1.0))
        << role << " lasts " << seconds << " s";
  }
}

}  // namespace
