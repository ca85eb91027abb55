// Sound on the SDL backend through SDL's disk audio driver, which writes the
// mixed output to a raw file (signed 16-bit stereo at 44100 Hz) in real time
// and needs no sound card.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
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
  explicit FolderPlatform(std::string dir) : dir_(std::move(dir)) {}
  std::string ProgramPath() override { return dir_ + "lantern-drift"; }

 private:
  std::string dir_;
};

// Format 0, 480 ticks a quarter at 120 bpm: two short square-lead notes at
// 0 and 0.25 s, then silence to the end of the track at tick 960 (1.0 s).
std::vector<uint8_t> LoopMidi() {
  const std::vector<uint8_t> track = {
      0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // tempo 500000 us a quarter
      0x00, 0xC0, 80,                            // program: square lead
      0x00, 0x90, 0x48, 100,  0x78, 0x80, 0x48, 64,   0x78, 0x90, 0x4C,
      100,  0x78, 0x80, 0x4C, 64,   0x84, 0x49, 0xFF, 0x2F, 0x00,  // end of track after 585 more
                                                                   // ticks
  };
  std::vector<uint8_t> file = {
      'M', 'T',  'h',  'd', 0,   0,   0,   6, 0, 0, 0,
      1,   0x01, 0xE0, 'M', 'T', 'r', 'k', 0, 0, 0, static_cast<uint8_t>(track.size())};
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

// The left channel of the raw output.
std::vector<int16_t> ReadOutput(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>()};
  std::vector<int16_t> left;
  for (size_t i = 0; i + 3 < bytes.size(); i += 4)
    left.push_back(static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                        static_cast<uint8_t>(bytes[i + 1]) << 8));
  return left;
}

int Peak(const std::vector<int16_t>& s, size_t from, size_t to) {
  int peak = 0;
  for (size_t i = from; i < to && i < s.size(); ++i) peak = std::max(peak, std::abs(int{s[i]}));
  return peak;
}

// Sample positions where the level rises above threshold after at least
// quiet_ms below it.
std::vector<size_t> Onsets(const std::vector<int16_t>& s, int threshold, double quiet_ms) {
  std::vector<size_t> onsets;
  size_t last_loud = 0;
  bool heard = false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (std::abs(int{s[i]}) <= threshold) continue;
    if (!heard || (i - last_loud) / kRate * 1000 >= quiet_ms) onsets.push_back(i);
    heard = true;
    last_loud = i;
  }
  return onsets;
}

class SdlSound : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = (std::filesystem::temp_directory_path() /
            ("ld-sdl-sound-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name()))
               .string() +
           "/";
    std::filesystem::create_directories(dir_ + "Music");
    output_ = dir_ + "out.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    platform::Set(&idle_);
    ResetAll();
  }
  void TearDown() override {
    platform::Set(&idle_);
    ResetAll();
    platform::Set(nullptr);
    std::filesystem::remove_all(dir_);
  }

  // Runs the message loop's music path for ms of real time, or until the
  // given number of music notifications has come.
  void Pump(uint32_t ms, size_t notifies = SIZE_MAX) {
    const uint32_t start = SDL_GetTicks();
    while (SDL_GetTicks() - start < ms && notifies_.size() < notifies) {
      platform::Message m;
      if (platform::Get().PeekMessage(m)) {
        WindowProc(m);
        if (m.kind == platform::MsgKind::kMusicNotify) notifies_.push_back(m.wparam);
      } else {
        SDL_Delay(1);
      }
    }
  }

  platform::HeadlessPlatform idle_;  // stands in while no SDL platform exists
  std::string dir_, output_;
  std::vector<uint32_t> notifies_;
};

TEST_F(SdlSound, WaveIsConvertedOnceAndPlaysAtItsPitch) {
  std::vector<int16_t> tone;
  for (int i = 0; i < 22050 * 3 / 10; ++i)
    tone.push_back(
        static_cast<int16_t>(16000 * std::sin(2 * std::numbers::pi * 440 * i / 22050.0)));
  wave_bytes::Write(dir_ + "tone.wav", wave_bytes::Pcm16(tone, 22050));
  {
    FolderPlatform sdl(dir_);
    platform::Set(&sdl);
    ASSERT_EQ(g_sound.InitSound(), 1);
    g_sound.ResetTable();
    ASSERT_EQ(g_sound.LoadObject("TONE.WAV", 3), 0);
    g_sound.PlayObject(0, -1);
    Pump(500);
    g_sound.ReleaseSound();
    platform::Set(nullptr);
  }
  const std::vector<int16_t> out = ReadOutput(output_);
  const std::vector<size_t> onsets = Onsets(out, 2000, 100);
  ASSERT_EQ(onsets.size(), 1u);
  const size_t start = onsets[0];
  size_t end = start, crossings = 0;
  for (size_t i = start + 1; i < out.size(); ++i) {
    if (std::abs(int{out[i]}) > 2000) end = i;
    if (i < start + 44100 / 4 && (out[i - 1] < 0) != (out[i] < 0)) ++crossings;
  }
  const double seconds = (end - start) / kRate;
  const double pitch = crossings / 2.0 / 0.25;
  std::printf("wave: peak %d, sounding %.3f s, pitch %.1f Hz\n", Peak(out, 0, out.size()), seconds,
              pitch);
  EXPECT_GT(Peak(out, 0, out.size()), 14000);
  EXPECT_NEAR(seconds, 0.3, 0.01);
  EXPECT_NEAR(pitch, 440, 10);
}

TEST_F(SdlSound, EffectsAreSilentWhileInactive) {
  std::vector<int16_t> tone(4410, 12000);
  for (size_t i = 0; i < tone.size(); ++i)
    if (i / 50 % 2 == 1) tone[i] = -12000;
  wave_bytes::Write(dir_ + "se.wav", wave_bytes::Pcm16(tone, 44100));
  WaveData wave;
  ASSERT_EQ(ReadWaveFile(dir_ + "se.wav", wave), 0);
  ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
  {
    platform::SdlAudio audio;
    ASSERT_TRUE(audio.Open());
    const int buffer = audio.CreateBuffer(wave.format, wave.samples.data(), wave.samples.size());
    ASSERT_GE(buffer, 0);
    audio.SetFocus(false);
    audio.Play(buffer);
    SDL_Delay(400);
    audio.SetFocus(true);
    audio.Play(buffer);
    SDL_Delay(300);
  }
  SDL_Quit();
  const std::vector<int16_t> out = ReadOutput(output_);
  const std::vector<size_t> onsets = Onsets(out, 1000, 100);
  ASSERT_EQ(onsets.size(), 1u);
  EXPECT_GT(onsets[0] / kRate, 0.3);
}

TEST_F(SdlSound, MidiLoopsThroughTheNotifyPathWithoutAGap) {
  const std::vector<uint8_t> midi = LoopMidi();
  std::ofstream(dir_ + "Music/Loop.mid", std::ios::binary)
      .write(reinterpret_cast<const char*>(midi.data()), static_cast<std::streamsize>(midi.size()));
  {
    FolderPlatform sdl(dir_);
    platform::Set(&sdl);
    ASSERT_EQ(g_sound.InitSound(), 1);
    MusicReset();
    PlayMusic("music\\LOOP.MID", 1);
    std::string status;
    EXPECT_EQ(sdl.SendMusicCommand("status midi mode", &status), 0);
    EXPECT_EQ(status, "playing");
    Pump(5000, 2);
    Pump(300);
    StopMusic();
    Pump(50);
    g_sound.ReleaseSound();
    platform::Set(nullptr);
  }
  // Two real ends; the stop's own notification says aborted.
  EXPECT_EQ(notifies_,
            (std::vector<uint32_t>{platform::MCI_NOTIFY_SUCCESSFUL, platform::MCI_NOTIFY_SUCCESSFUL,
                                   platform::MCI_NOTIFY_ABORTED}));
  const std::vector<int16_t> out = ReadOutput(output_);
  const std::vector<size_t> onsets = Onsets(out, 300, 300);
  ASSERT_EQ(onsets.size(), 3u);
  for (size_t i = 1; i < onsets.size(); ++i) {
    const double gap_ms = (onsets[i] - onsets[i - 1]) / kRate * 1000 - 1000;
    std::printf("midi: restart %zu comes %.1f ms after the end of the track\n", i, gap_ms);
    EXPECT_GT(gap_ms, -5);
    EXPECT_LT(gap_ms, 100);
  }
  std::printf("midi: peak %d\n", Peak(out, 0, out.size()));
  EXPECT_GT(Peak(out, onsets[0], onsets[0] + 4410), 1000);
}

TEST_F(SdlSound, MissingPieceSaysSoOnceAndNeverNotifies) {
  FolderPlatform sdl(dir_);
  platform::Set(&sdl);
  ASSERT_EQ(g_sound.InitSound(), 1);
  MusicReset();
  ::testing::internal::CaptureStderr();
  PlayMusic("Music\\none.mid", 1);
  PlayMusic("Music\\none.mid", 1);
  Pump(100);
  const std::string said = ::testing::internal::GetCapturedStderr();
  StopMusic();
  g_sound.ReleaseSound();
  platform::Set(nullptr);
  EXPECT_EQ(said,
            "lantern-drift: no MIDI file " + dir_ + "Music/none.mid; playing without music\n");
  EXPECT_TRUE(notifies_.empty());
}

TEST_F(SdlSound, NoDeviceMeansSilenceWithoutAWord) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  FolderPlatform sdl(dir_);
  platform::Set(&sdl);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(g_sound.InitSound(), 0);
  EXPECT_EQ(g_sound.LoadObject("none.wav", 3), 0);
  PlayMusic("Music\\none.mid", 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  platform::Set(nullptr);
}

}  // namespace
