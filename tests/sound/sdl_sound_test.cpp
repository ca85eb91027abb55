// Sound on the SDL backend through SDL's disk audio driver, which writes the
// mixed output (signed 16-bit stereo, 44100 Hz) to a file in real time and
// needs no sound card.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <vector>

#include "library/sound/el_sound.h"
#include "library/sound/music.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"
#include "shell/shell.h"
#include "support/headless_test.h"
#include "wave_bytes.h"

namespace {

constexpr double kRate = 44100.0;

class FolderPlatform : public platform::SdlPlatform {
 public:
  explicit FolderPlatform(std::string dir) : SdlPlatform(1), dir_(std::move(dir)) {}
  std::string ProgramPath() override { return dir_ + "lantern-drift"; }

 private:
  std::string dir_;
};

// Format 0, 480 ticks a quarter at 120 bpm: square-lead notes at 0 and
// 0.25 s, then silence to the end of the track at tick 960 (1.0 s).
const std::vector<uint8_t> kLoopMidi = {
    'M',  'T',  'h',  'd',  0,    0,    0,    6,    0,    0,    0,
    1,    0x01, 0xE0, 'M',  'T',  'r',  'k',  0,    0,    0,    31,
    0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xC0, 80,  // tempo, program
    0x00, 0x90, 0x48, 100,  0x78, 0x80, 0x48, 64,   0x78, 0x90, 0x4C,
    100,  0x78, 0x80, 0x4C, 64,   0x84, 0x49, 0xFF, 0x2F, 0x00};  // end of track 585 ticks after
                                                                  // the last note-off

std::vector<int16_t> ReadLeftChannel(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> b{std::istreambuf_iterator<char>(file), {}};
  std::vector<int16_t> left;
  for (size_t i = 0; i + 3 < b.size(); i += 4)
    left.push_back(static_cast<int16_t>(uint8_t(b[i]) | uint8_t(b[i + 1]) << 8));
  return left;
}

// Positions where the level rises above level after at least quiet_ms below it.
std::vector<size_t> Onsets(const std::vector<int16_t>& s, int level, double quiet_ms) {
  std::vector<size_t> onsets;
  for (size_t i = 0, last_loud = 0; i < s.size(); ++i) {
    if (std::abs(int{s[i]}) <= level) continue;
    if (onsets.empty() || (i - last_loud) / kRate * 1000 >= quiet_ms) onsets.push_back(i);
    last_loud = i;
  }
  return onsets;
}

class SdlSound : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    dir_ = (std::filesystem::temp_directory_path() / ("ld-sdl-" + std::to_string(getpid()) + name))
               .string() +
           "/";
    std::filesystem::create_directories(dir_ + "Music");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (dir_ + "out.raw").c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    platform::Set(&idle_);
    ResetProgramState();
  }
  void TearDown() override {
    platform::Set(&idle_);
    ResetProgramState();
    platform::Set(nullptr);
    std::filesystem::remove_all(dir_);
  }

  // Runs the message loop's music path for ms, or until count notifications came.
  void Pump(uint32_t ms, size_t count = SIZE_MAX) {
    for (const uint32_t start = SDL_GetTicks(); SDL_GetTicks() - start < ms;) {
      platform::Message m;
      if (!platform::Get().PeekMessage(m)) {
        SDL_Delay(1);
        continue;
      }
      WindowProc(m);
      if (m.kind == platform::MsgKind::kMusicNotify) notifies_.push_back(m.wparam);
      if (notifies_.size() >= count) return;
    }
  }

  platform::HeadlessPlatform idle_;  // stands in while no SDL platform exists
  std::string dir_;
  std::vector<uint32_t> notifies_;
};

TEST_F(SdlSound, WaveIsConvertedAtLoadAndSilentWhileInactive) {
  std::vector<int16_t> tone;
  for (int i = 0; i < 22050 * 3 / 10; ++i)
    tone.push_back(static_cast<int16_t>(16000 * std::sin(2 * std::numbers::pi * 440 * i / 22050)));
  const wave_bytes::Bytes bytes = wave_bytes::Pcm16(tone, 22050);
  WaveData wave;
  ASSERT_EQ(ReadWaveBytes(bytes.data(), bytes.size(), wave), 0);
  ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
  {
    platform::SdlAudio audio;
    ASSERT_TRUE(audio.Open());
    const int buffer = audio.CreateBuffer(wave.format, wave.samples.data(), wave.samples.size());
    audio.SetFocus(false);
    audio.Play(buffer);
    SDL_Delay(400);
    audio.SetFocus(true);
    audio.Play(buffer);
    SDL_Delay(400);
  }
  SDL_Quit();
  const std::vector<int16_t> out = ReadLeftChannel(dir_ + "out.raw");
  const std::vector<size_t> onsets = Onsets(out, 2000, 100);
  ASSERT_EQ(onsets.size(), 1u);
  size_t end = onsets[0], crossings = 0;
  for (size_t i = onsets[0] + 1; i < out.size(); ++i) {
    if (std::abs(int{out[i]}) > 2000) end = i;
    if (i < onsets[0] + 11025 && (out[i - 1] < 0) != (out[i] < 0)) ++crossings;
  }
  const double seconds = (end - onsets[0]) / kRate;
  std::printf("wave: starts %.3f s, sounds %.3f s at %.1f Hz\n", onsets[0] / kRate, seconds,
              crossings * 2.0);
  EXPECT_GT(onsets[0] / kRate, 0.3);
  EXPECT_NEAR(seconds, 0.3, 0.01);
  EXPECT_NEAR(crossings * 2.0, 440, 10);
}

TEST_F(SdlSound, MidiRestartsThroughTheNotifyPathWithoutAGap) {
  wave_bytes::Write(dir_ + "Music/Loop.mid", kLoopMidi);
  {
    FolderPlatform sdl(dir_);
    platform::Set(&sdl);
    ASSERT_EQ(g_sound.InitSound(), 1);
    PlayMusic("music\\LOOP.MID", 1);
    std::string status;
    sdl.SendMusicCommand("status midi mode", &status);
    EXPECT_EQ(status, "playing");
    Pump(5000, 2);
    Pump(300);
    StopMusic();
    Pump(50);
    g_sound.ReleaseSound();
    platform::Set(&idle_);
  }
  // Two real ends, then the stop's own notification.
  EXPECT_EQ(notifies_,
            (std::vector<uint32_t>{platform::MCI_NOTIFY_SUCCESSFUL, platform::MCI_NOTIFY_SUCCESSFUL,
                                   platform::MCI_NOTIFY_ABORTED}));
  const std::vector<int16_t> out = ReadLeftChannel(dir_ + "out.raw");
  const std::vector<size_t> onsets = Onsets(out, 300, 300);
  ASSERT_EQ(onsets.size(), 3u);
  for (size_t i = 1; i < onsets.size(); ++i) {
    const double gap_ms = (onsets[i] - onsets[i - 1]) / kRate * 1000 - 1000;
    std::printf("midi: restart %zu comes %.1f ms after the end of the track\n", i, gap_ms);
    EXPECT_GT(gap_ms, -5);
    EXPECT_LT(gap_ms, 100);
  }
}

TEST_F(SdlSound, MissingPieceIsReportedOnceAndNeverEnds) {
  FolderPlatform sdl(dir_);
  platform::Set(&sdl);
  ASSERT_EQ(g_sound.InitSound(), 1);
  ::testing::internal::CaptureStderr();
  PlayMusic("Music\\none.mid", 1);
  PlayMusic("Music\\none.mid", 1);
  Pump(100);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "lantern-drift: no MIDI file " + dir_ + "Music/none.mid; playing without music\n");
  EXPECT_TRUE(notifies_.empty());
  g_sound.ReleaseSound();
  platform::Set(&idle_);
}

}  // namespace
