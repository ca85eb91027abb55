// The pack's sounds are audible PCM waves with headroom.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "contentpack/pack_files.h"

namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b.at(at + i);
  return v;
}

struct Wave {
  bool pcm16_mono = false;
  double rms = 0, peak = 0;  // of full scale
  double seconds = 0;
};

Wave ReadWave(const std::vector<uint8_t>& b) {
  Wave w;
  double rate = 0;
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
    return w;
  for (size_t at = 12; at + 8 <= b.size(); at += 8 + ((Le(b, at + 4, 4) + 1) & ~1u)) {
    const std::string id(b.begin() + at, b.begin() + at + 4);
    const uint32_t size = Le(b, at + 4, 4);
    if (id == "fmt ") {
      w.pcm16_mono = Le(b, at + 8, 2) == 1 && Le(b, at + 10, 2) == 1 && Le(b, at + 22, 2) == 16;
      rate = Le(b, at + 12, 4);
    }
    if (id != "data" || at + 8 + size > b.size()) continue;
    double sum = 0;
    for (uint32_t i = 0; i + 1 < size; i += 2) {
      const double v = static_cast<int16_t>(Le(b, at + 8 + i, 2)) / 32768.0;
      sum += v * v;
      w.peak = std::max(w.peak, std::abs(v));
    }
    w.rms = size >= 2 ? std::sqrt(sum / (size / 2)) : 0;
    w.seconds = rate > 0 ? size / 2 / rate : 0;
  }
  return w;
}

// Effects peak at -6 dBFS at most, so a few at once leave headroom; the contact crash, played on
// every frame two characters touch, is short and soft enough to read as rubbing.
TEST(ContentPack, EverySoundIsAudiblePcmWithHeadroom) {
  const pack::Tagged dat = pack::ReadTagged("Data\\game.dat");
  ASSERT_EQ(dat.sound.size(), 10u);
  for (const auto& [role, name] : dat.sound) {
    const auto path = pack::Resolve(name);
    ASSERT_TRUE(path) << role;
    const Wave w = ReadWave(pack::ReadBytes(*path));
    EXPECT_TRUE(w.pcm16_mono) << role;
    EXPECT_GT(w.rms, 0.02) << role << " is (nearly) silent";
    EXPECT_LE(20 * std::log10(w.peak), -6.0) << role;
    EXPECT_TRUE(w.seconds > 0.02 && w.seconds < 1.0) << role << " lasts " << w.seconds << " s";
    if (role == "crash_char:") {
      EXPECT_LT(w.seconds, 0.12) << role;
      EXPECT_LE(20 * std::log10(w.peak), -12.0) << role;
    }
  }
}

}  // namespace
