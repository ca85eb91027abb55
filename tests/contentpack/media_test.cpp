// The pack's sounds are audible PCM waves and its music loops as standard MIDI files.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "contentpack/pack_files.h"

namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b.at(at + i);
  return v;
}

uint32_t Be(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = v << 8 | b.at(at + i);
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

struct Song {
  bool valid = false;
  std::string fault;
  uint32_t ticks_per_bar = 0;
  std::vector<uint32_t> track_ends;
  int notes = 0;
};

// Walks one track's events; returns false on a malformed track.
bool ReadTrack(const std::vector<uint8_t>& b, size_t at, size_t end, Song& song, int division) {
  uint32_t tick = 0;
  uint8_t status = 0;
  int open_notes = 0;
  while (at < end) {
    uint32_t delta = 0;
    do delta = delta << 7 | (b.at(at) & 0x7F);
    while (b.at(at++) & 0x80);
    tick += delta;
    if (b.at(at) & 0x80) status = b.at(at++);
    if (status == 0xFF) {
      const uint8_t type = b.at(at);
      const uint32_t length = b.at(at + 1);
      if (type == 0x58) song.ticks_per_bar = b.at(at + 2) * division * 4 / (1u << b.at(at + 3));
      at += 2 + length;
      if (type == 0x2F) {
        song.track_ends.push_back(tick);
        return at == end && open_notes == 0;
      }
      continue;
    }
    const uint8_t kind = status & 0xF0;
    if (kind == 0x90 && b.at(at + 1) > 0) ++open_notes, ++song.notes;
    else if (kind == 0x80 || kind == 0x90) --open_notes;
    at += (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
  }
  return false;
}

Song ReadSong(const std::vector<uint8_t>& b) {
  Song song;
  if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || Be(b, 4, 4) != 6) return song;
  const uint32_t format = Be(b, 8, 2), tracks = Be(b, 10, 2), division = Be(b, 12, 2);
  if (format > 1 || division == 0 || division & 0x8000) return song;
  size_t at = 14;
  for (uint32_t t = 0; t < tracks; ++t) {
    if (at + 8 > b.size() || std::string(b.begin() + at, b.begin() + at + 4) != "MTrk") return song;
    const size_t end = at + 8 + Be(b, at + 4, 4);
    if (end > b.size() || !ReadTrack(b, at + 8, end, song, static_cast<int>(division))) return song;
    at = end;
  }
  song.valid = at == b.size();
  return song;
}

TEST(ContentPack, EveryPieceIsAStandardMidiFileThatLoopsOnABarLine) {
  const auto folder = pack::Resolve("Music");
  ASSERT_TRUE(folder);
  int pieces = 0;
  for (const auto& entry : std::filesystem::directory_iterator(*folder)) {
    const std::string name = entry.path().filename().string();
    const Song song = ReadSong(pack::ReadBytes(entry.path().string()));
    ASSERT_TRUE(song.valid) << name;
    ASSERT_GT(song.ticks_per_bar, 0u) << name << " has no time signature";
    EXPECT_GT(song.notes, 16) << name;
    const uint32_t end = song.track_ends.front();
    for (uint32_t track_end : song.track_ends) EXPECT_EQ(track_end, end) << name;
    EXPECT_EQ(end % song.ticks_per_bar, 0u) << name << " does not end on a bar line";
    ++pieces;
  }
  EXPECT_GE(pieces, 4);
  EXPECT_TRUE(pack::Resolve("Music\\title.mid"));
}

}  // namespace
