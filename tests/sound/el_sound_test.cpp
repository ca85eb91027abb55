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

  // The last box's text, checked to be the only one since the previous call.
  std::string Box() {
    const std::string text =
        hp.boxes.size() == 1 ? hp.boxes[0].text : "boxes: " + std::to_string(hp.boxes.size());
    hp.boxes.clear();
    return text;
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
  EXPECT_EQ(hp.play_log, (std::vector<int>{0, 1, 2, 0, 2, 1}));
}

TEST_F(SoundTest, LoadFailuresReportAndUseNothing) {
  test_bytes::WriteFile(dir_ + "no_data.wav",
                    test_bytes::Riff({test_bytes::Chunk("fmt ", test_bytes::Fmt(1, 1, 8000, 8))}));
  const std::string long_name(27, 'a');  // 31 characters with ".wav"
  test_bytes::WriteFile(dir_ + long_name + ".wav", test_bytes::Pcm16({1}));
  EXPECT_EQ(g_sound.LoadObject("se.wav", 11), 0);
  EXPECT_EQ(Box(), "elSound::LoadObject : ミックス数が多過ぎます");
  EXPECT_EQ(g_sound.LoadObject("se.wav", -11), 0);
  EXPECT_EQ(Box(), "elSound::LoadObject : ミックス数が多過ぎます");
  EXPECT_EQ(g_sound.LoadObject("missing.wav", 3), 0);
  EXPECT_EQ(Box(), "elSound::LoadObject : WAVEリソースが見つかりません");
  EXPECT_EQ(g_sound.LoadObject("NO_DATA.WAV", 3), 0);
  EXPECT_EQ(Box(), "elSound::LoadObject : WAVEリソースが見つかりません");
  EXPECT_EQ(g_sound.LoadObject(long_name + ".wav", 3), 0);
  EXPECT_EQ(Box(), "elSound::LoadObject : ファイル名またはリソース名が長すぎます");
  EXPECT_EQ(g_sound.LoadObject("se.wav", -2147483647 - 1), 0);
  EXPECT_TRUE(hp.sound_buffers.empty());
  EXPECT_EQ(g_sound.UsedCount(), 0);
  EXPECT_EQ(g_sound.LoadObject("se.wav", -3), 0);
  EXPECT_EQ(hp.sound_buffers.size(), 3u);
}

TEST_F(SoundTest, SeventyFirstObjectIsRefusedAndAReleasedNumberIsReused) {
  for (int i = 0; i < elSound::kObjects; ++i) ASSERT_EQ(g_sound.LoadObject("se.wav", 1), i);
  EXPECT_EQ(g_sound.LoadObject("se.wav", 1), 0);
  EXPECT_EQ(Box(), "elSound::LoadObject : オブジェクト数が多過ぎます");
  g_sound.ReleaseObject(5);
  EXPECT_TRUE(hp.sound_buffers[5].released);
  EXPECT_EQ(hp.sound_buffers[5].stops, 1);
  EXPECT_EQ(g_sound.LoadObject("se.wav", 1), 5);
}

TEST_F(SoundTest, NumbersOutsideTheTableOrTheMixDoNothing) {
  const int object = g_sound.LoadObject("se.wav", 2);
  for (int bad : {-1, elSound::kObjects, 1, -2147483647 - 1}) {
    g_sound.PlayObject(bad, -1);
    g_sound.ReleaseObject(bad);
  }
  for (int bad : {2, -2, 2147483647}) g_sound.PlayObject(object, bad);
  EXPECT_TRUE(hp.play_log.empty());
  EXPECT_FALSE(hp.sound_buffers[0].released);
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
