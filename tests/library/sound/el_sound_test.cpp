#include "library/sound/el_sound.h"

#include <string>
#include <vector>

#include "support/headless_test.h"
#include "support/test_bytes.h"

namespace {

class SoundTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    dir_ = MakeTempDir();
    hp.program_path = dir_ + "lantern-drift";
    test_bytes::WriteFile(dir_ + "se.wav", test_bytes::Pcm16({100, -100, 200}));
    ASSERT_EQ(g_sound.InitSound(), 1);
    g_sound.ResetTable();
  }
  std::string dir_;
};

TEST_F(SoundTest, RoundRobinOverTheMixAndGivenBuffersLeaveTheTurnAlone) {
  const int object = g_sound.LoadObject("se.wav", 3);
  ASSERT_EQ(hp.sound_buffers.size(), 3u);
  EXPECT_EQ(hp.sound_buffers[2].data, (std::vector<uint8_t>{100, 0, 0x9C, 0xFF, 200, 0}));
  for (int i = 0; i < 4; ++i) g_sound.PlayObject(object, -1);
  g_sound.PlayObject(object, 2);
  g_sound.PlayObject(object, -1);
  for (int bad : {3, -2, 2147483647}) g_sound.PlayObject(object, bad);
  for (int bad : {-1, elSound::kObjects, 1, -2147483647 - 1}) {
    g_sound.PlayObject(bad, -1);
    g_sound.ReleaseObject(bad);
  }
  EXPECT_EQ(hp.play_log, (std::vector<int>{0, 1, 2, 0, 2, 1}));
  EXPECT_FALSE(hp.sound_buffers[0].released);
}

TEST_F(SoundTest, LoadFailuresReportAndUseNothing) {
  using namespace test_bytes;
  WriteFile(dir_ + "no_data.wav", Riff({Chunk("fmt ", Fmt(1, 1, 8000, 8))}));
  const std::string long_name(27, 'a');  // 31 characters with ".wav"
  WriteFile(dir_ + long_name + ".wav", Pcm16({1}));
  const std::pair<std::string, int> loads[] = {
      {"se.wav", 11},     {"se.wav", -11},         {"missing.wav", 3},
      {"NO_DATA.WAV", 3}, {long_name + ".wav", 3}, {"se.wav", -2147483647 - 1}};
  const std::string too_many = "elSound::LoadObject : ミックス数が多過ぎます";
  const std::string not_found = "elSound::LoadObject : WAVEリソースが見つかりません";
  const std::vector<std::string> boxes = {
      too_many,
      too_many,
      not_found,
      not_found,
      "elSound::LoadObject : ファイル名またはリソース名が長すぎます",
      too_many};
  for (const auto& [name, mix] : loads) EXPECT_EQ(g_sound.LoadObject(name, mix), 0) << name;
  std::vector<std::string> seen;
  for (const auto& box : hp.boxes) seen.push_back(box.text);
  EXPECT_EQ(seen, boxes);
  EXPECT_EQ(g_sound.UsedCount(), 0);
  EXPECT_TRUE(hp.sound_buffers.empty());
  EXPECT_EQ(g_sound.LoadObject("se.wav", -3), 0);
  EXPECT_EQ(hp.sound_buffers.size(), 3u);
}

TEST_F(SoundTest, SeventyFirstObjectIsRefusedAndAReleasedNumberIsReused) {
  for (int i = 0; i < elSound::kObjects; ++i) ASSERT_EQ(g_sound.LoadObject("se.wav", 1), i);
  EXPECT_EQ(g_sound.LoadObject("se.wav", 1), 0);
  ASSERT_EQ(hp.boxes.size(), 1u);
  EXPECT_EQ(hp.boxes[0].text, "elSound::LoadObject : オブジェクト数が多過ぎます");
  g_sound.ReleaseObject(5);
  EXPECT_TRUE(hp.sound_buffers[5].released);
  EXPECT_EQ(hp.sound_buffers[5].stops, 1);
  EXPECT_EQ(g_sound.LoadObject("se.wav", 1), 5);
}

TEST_F(SoundTest, WithoutADeviceEverythingIsSilent) {
  ResetSound();
  hp.sound_device = false;
  EXPECT_EQ(g_sound.InitSound(), 0);
  EXPECT_EQ(g_sound.LoadObject("se.wav", 3), 0);
  EXPECT_EQ(g_sound.LoadObject("missing.wav", 30), 0);
  g_sound.PlayObject(0, -1);
  EXPECT_TRUE(hp.boxes.empty());
  EXPECT_TRUE(hp.sound_buffers.empty());
}

}  // namespace
