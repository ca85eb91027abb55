// Sound on the SDL backend through SDL's disk audio driver, which writes the
// mixed output (32-bit float stereo, at the mix's rate) to a file in real time and
// needs no sound card.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>

#include "library/sound/el_sound.h"
#include "library/sound/music.h"
#include "library/sound/wave_file.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"
#include "shell/program_reset.h"
#include "shell/window_proc.h"
#include "support/headless_test.h"
#include "support/test_bytes.h"

namespace {

constexpr double kRate = platform::SdlAudio::kRate;

struct FolderPlatform : platform::SdlPlatform {
  explicit FolderPlatform(std::string d) : SdlPlatform(1), dir(std::move(d)) {}
  std::string ProgramPath() override { return dir + "lantern-drift"; }
  std::string dir;
};

// Format 0, 480 ticks a quarter at 120 bpm: square-lead notes at 0 and
// 0.25 s, then silence to the end of the track at tick 960 (1.0 s).
const test_bytes::Bytes kLoopMidi = test_bytes::Midi(
    480, {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xC0, 80,  // tempo, program
          0x00, 0x90, 0x48, 100,  0x78, 0x80, 0x48, 64,   0x78, 0x90, 0x4C,
          100,  0x78, 0x80, 0x4C, 64,   0x84, 0x49, 0xFF, 0x2F, 0x00});  // end of track 585 ticks
                                                                         // after the last note-off

std::vector<float> ReadSamples(const std::string& path) {
  const std::string b = test_bytes::ReadFile(path);
  std::vector<float> samples(b.size() / sizeof(float));
  std::memcpy(samples.data(), b.data(), samples.size() * sizeof(float));
  return samples;
}

// On the 16-bit scale that a device gets.
std::vector<int16_t> ReadLeftChannel(const std::string& path) {
  const std::vector<float> samples = ReadSamples(path);
  std::vector<int16_t> left;
  for (size_t i = 0; i + 1 < samples.size(); i += 2)
    left.push_back(static_cast<int16_t>(std::clamp(samples[i], -1.0f, 1.0f) * 32767));
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

  // Runs the message loop's music path until done says the output or the
  // notifications hold what the test checks. The disk driver writes in real
  // time, however busy the machine; the limit only ends a wait that never would.
  bool PumpUntil(const std::function<bool()>& done) {
    for (const uint32_t start = SDL_GetTicks(); !done();) {
      if (SDL_GetTicks() - start > 60000) return false;
      platform::Message m;
      while (platform::Get().PeekMessage(m)) {
        WindowProc(m);
        if (m.kind == platform::MsgKind::kMusicNotify) notifies_.push_back(m.wparam);
      }
      SDL_Delay(1);
    }
    return true;
  }
  // Whether the output holds count onsets (apart_ms of quiet before each) and
  // ends in tail_ms of quiet.
  bool OutputHolds(const std::string& file, size_t count, int level, double apart_ms,
                   double tail_ms) {
    const std::vector<int16_t> out = ReadLeftChannel(dir_ + file);
    size_t last_loud = 0;
    for (size_t i = 0; i < out.size(); ++i)
      if (std::abs(int{out[i]}) > level) last_loud = i;
    return Onsets(out, level, apart_ms).size() >= count &&
           (out.size() - last_loud) / kRate * 1000 >= tail_ms;
  }
  size_t OutputBytes(const std::string& file) {
    std::error_code error;
    return static_cast<size_t>(std::filesystem::file_size(dir_ + file, error));
  }

  platform::HeadlessPlatform idle_;  // stands in while no SDL platform exists
  std::string dir_;
  std::vector<uint32_t> notifies_;
};

// A square wave that changes sign every 10 samples at 8820 Hz (441 Hz), 0.1 s
// long, as PCM or ADPCM: the encodings whose format block we rebuild differently.
struct Encoding {
  uint16_t tag, channels, bits, align;
  test_bytes::Bytes extra;
};

test_bytes::Bytes SquareWave(const Encoding& e) {
  using test_bytes::Put16, test_bytes::Put32;
  constexpr int kSamples = 882;
  const auto high = [](int i) { return i / 10 % 2 == 0; };
  test_bytes::Bytes fmt, data;
  for (uint32_t v : {uint32_t{e.tag}, uint32_t{e.channels}}) Put16(fmt, v);
  for (uint32_t v : {8820u, 8820u * e.align}) Put32(fmt, v);
  for (uint32_t v : {uint32_t{e.align}, uint32_t{e.bits}, static_cast<uint32_t>(e.extra.size())})
    Put16(fmt, v);
  fmt.insert(fmt.end(), e.extra.begin(), e.extra.end());
  if (e.tag == 0x11 || e.tag == 2) {  // one ADPCM block: header, then 4-bit steps up or down
    const bool ima = e.tag == 0x11;
    data = ima ? test_bytes::Bytes{0, 0, 0, 0} : test_bytes::Bytes{0, 16, 0, 0, 0, 0, 0};
    const auto step = [&](int i) { return high(i) ? 7 : ima ? 15 : 9; };
    for (int i = ima ? 1 : 2; i + 1 < kSamples; i += 2)
      data.push_back(
          static_cast<uint8_t>(ima ? step(i) | step(i + 1) << 4 : step(i) << 4 | step(i + 1)));
  } else {
    for (int i = 0; i < kSamples; ++i)
      for (int c = 0; c < e.channels; ++c) {
        const uint32_t sample = (high(i) ? 0x40000000u : 0xC0000000u) >> (32 - e.bits);
        for (int b = 0; b < e.bits / 8; ++b)
          data.push_back(static_cast<uint8_t>(sample >> (8 * b)));
      }
  }
  return test_bytes::Riff({test_bytes::Chunk("fmt ", fmt), test_bytes::Chunk("data", data)});
}

TEST_F(SdlSound, EveryKindOfFormatBlockPlaysAtItsOwnRate) {
  const test_bytes::Bytes extensible = {16,   0, 3, 0,    0, 0,  // then the GUID of PCM
                                        1,    0, 0, 0,    0, 0,    0x10, 0,
                                        0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
  const std::vector<Encoding> encodings = {
      {0xFFFE, 2, 16, 4, extensible},  // 16-bit stereo PCM under the extensible header
      {1, 1, 24, 3, {}},
      {0x11, 1, 4, 444, {0x71, 3}},  // IMA ADPCM, 881 samples a block
      {2, 1, 4, 447, {0x72, 3, 7,    0, 0,    1,    0,    0,    0,    2,    0,
                      0xFF, 0, 0,    0, 0,    0xC0, 0,    0x40, 0,    0xF0, 0,
                      0,    0, 0xCC, 1, 0x30, 0xFF, 0x88, 1,    0x18, 0xFF}},  // MS ADPCM
  };
  ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
  {
    platform::SdlAudio audio;
    ASSERT_TRUE(audio.Open());
    for (size_t i = 0; i < encodings.size(); ++i) {
      const test_bytes::Bytes bytes = SquareWave(encodings[i]);
      WaveData wave;
      ASSERT_EQ(ReadWaveBytes(bytes.data(), bytes.size(), wave), 0) << i;
      const int buffer = audio.CreateBuffer(wave.format, wave.samples.data(), wave.samples.size());
      EXPECT_GE(buffer, 0) << "encoding " << i << ": " << SDL_GetError();
      audio.SetFocus(i != 0);  // an inactive window plays the first one silently, then all
      for (int turn = i == 0 ? 0 : 1; turn < 2; ++turn) {
        audio.Play(buffer, 0);
        while (Mix_Playing(buffer) != 0) SDL_Delay(5);
        audio.SetFocus(true);
        // The output holds this sound, then 0.15 s of silence before the next.
        ASSERT_TRUE(PumpUntil([&] { return OutputHolds("out.raw", i + turn, 2000, 100, 150); }))
            << i;
      }
    }
  }
  SDL_Quit();
  const std::vector<int16_t> out = ReadLeftChannel(dir_ + "out.raw");
  const std::vector<size_t> onsets = Onsets(out, 2000, 100);
  ASSERT_EQ(onsets.size(), encodings.size());
  for (size_t n = 0; n < onsets.size(); ++n) {
    size_t end = onsets[n], crossings = 0;
    // 0.2 s: the sound and part of the silence after it, never the next one.
    const size_t window = static_cast<size_t>(kRate / 5);
    for (size_t i = onsets[n] + 1; i < out.size() && i < onsets[n] + window; ++i) {
      if (std::abs(int{out[i]}) > 2000) end = i;
      if ((out[i - 1] < 0) != (out[i] < 0)) ++crossings;
    }
    const double seconds = (end - onsets[n]) / kRate;
    EXPECT_NEAR(seconds, 0.1, 0.005) << "encoding " << n;
    EXPECT_NEAR(crossings / seconds / 2, 441, 15) << "encoding " << n;
  }
}

// The far side fades by the pan, the near one keeps its level.
TEST_F(SdlSound, PannedEffectsSoundOnTheirSide) {
  const int pans[] = {0, 100, -50, 25};
  const double right_to_left[] = {1.0, 99.0, 0.5, 1 / 0.75};  // 99: the left is silent
  ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
  {
    platform::SdlAudio audio;
    ASSERT_TRUE(audio.Open());
    const test_bytes::Bytes bytes = SquareWave({1, 1, 16, 2, {}});
    WaveData wave;
    ASSERT_EQ(ReadWaveBytes(bytes.data(), bytes.size(), wave), 0);
    const int buffer = audio.CreateBuffer(wave.format, wave.samples.data(), wave.samples.size());
    for (size_t i = 0; i < std::size(pans); ++i) {
      audio.Play(buffer, pans[i]);
      while (Mix_Playing(buffer) != 0) SDL_Delay(5);
      ASSERT_TRUE(PumpUntil([&] { return OutputBytes("out.raw") > (i + 1) * kRate / 4 * 8; }));
    }
  }
  SDL_Quit();
  const std::vector<float> out = ReadSamples(dir_ + "out.raw");
  std::vector<std::pair<float, float>> peaks;  // left, right of each sound
  size_t last = 0;
  for (size_t i = 0; i + 1 < out.size(); i += 2) {
    const float l = std::fabs(out[i]), r = std::fabs(out[i + 1]);
    if (l < 0.01f && r < 0.01f) continue;
    if (peaks.empty() || i / 2 - last >= kRate / 20) peaks.emplace_back(0.0f, 0.0f);
    last = i / 2;
    peaks.back() = {std::max(peaks.back().first, l), std::max(peaks.back().second, r)};
  }
  ASSERT_EQ(peaks.size(), std::size(pans));
  for (size_t i = 0; i < peaks.size(); ++i) {
    const auto [l, r] = peaks[i];
    EXPECT_NEAR(l > 0 ? r / l : 99.0, right_to_left[i], 0.02) << "pan " << pans[i];
  }
}

TEST_F(SdlSound, MidiRestartsThroughTheNotifyPathWithoutAGapAndAMissingOneNever) {
  test_bytes::WriteFile(dir_ + "Music/Loop.mid", kLoopMidi);
  {
    FolderPlatform sdl(dir_);
    platform::Set(&sdl);
    ASSERT_EQ(g_sound.InitSound(), 1);
    ::testing::internal::CaptureStderr();
    PlayMusic("Music\\none.mid", 1);  // reported once, and never ends
    PlayMusic("Music\\none.mid", 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "lantern-drift: Music/none.mid: no such file; playing without music\n");
    PlayMusic("music\\LOOP.MID", 1);
    ASSERT_TRUE(PumpUntil([&] { return notifies_.size() >= 2; }));
    // The third start is in the output before the stop.
    ASSERT_TRUE(PumpUntil([&] { return OutputHolds("out.raw", 3, 300, 300, 0); }));
    StopMusic();
    ASSERT_TRUE(PumpUntil([&] { return notifies_.size() >= 3; }));
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
    EXPECT_GT(gap_ms, -5);
    EXPECT_LT(gap_ms, 100);
  }
}

// The default pack's loudest moment: every effect of stage 3 at once, five times
// a second, over its music. Each volume at 0 silences its own part.
TEST_F(SdlSound, LoudestMixStaysBelowFullScale) {
  const char* effects[] = {"ok",        "cancel", "select",    "crash_wall", "crash_char",
                           "crash_obj", "shot",   "shot_miss", "shot_hit",   "bomb"};
  for (const auto& [music, sound] : {std::pair{100, 100}, {0, 0}, {0, 100}, {100, 0}}) {
    setenv("SDL_DISKAUDIOFILE", (dir_ + "mix.raw").c_str(), 1);
    {
      FolderPlatform sdl(std::string(LD_GAME_DIR) + "/");
      platform::Set(&sdl);
      sdl.SetVolumes(music, sound);
      ASSERT_EQ(g_sound.InitSound(), 1);
      g_sound.ResetTable();
      std::vector<int> objects;
      for (const char* e : effects)
        objects.push_back(g_sound.LoadObject(std::string("sound\\") + e + ".wav", 3));
      PlayMusic("Music\\stage3.mid", 1);
      // 0.2 s of output a round, in stereo frames of two floats.
      for (int round = 0; round < 10; ++round) {
        for (int object : objects) g_sound.PlayObject(object, -1);
        const size_t until = OutputBytes("mix.raw") + platform::SdlAudio::kRate / 5 * 8;
        ASSERT_TRUE(PumpUntil([&] { return OutputBytes("mix.raw") >= until; }));
      }
      StopMusic();
      g_sound.ReleaseSound();
      platform::Set(&idle_);
    }
    const std::vector<float> out = ReadSamples(dir_ + "mix.raw");
    float peak = 0;
    for (float s : out) peak = std::max(peak, std::fabs(s));
    if (music == 0 && sound == 0) {
      EXPECT_EQ(peak, 0.0f);
    } else {
      EXPECT_GT(peak, 0.1f);
      EXPECT_LT(peak, 32767.0f / 32768.0f);
    }
  }
}

}  // namespace
