#include "shell/config.h"

#include <sstream>
#include <string>

#include "support/headless_test.h"
#include "support/test_bytes.h"

namespace {

using ConfigTest = HeadlessTest;

constexpr const char* kOldDefaultText =
    "; 設定ファイル\n\n; ウィンドウモード設定\n; ０:ウィンドウモード  "
    "０以外:フルスクリーンモード\n"
    "FULL_SCREEN=1\n\n; FPS表示\n; ０:表示なし  ０以外:表示する\nFPS=0\n\n";

// The old ten lines come first; after them an old reader, which skips ';' lines
// and knows only its three keys in lines of up to 254 bytes, finds nothing it knows.
TEST_F(ConfigTest, MissingFileIsWrittenInUtf8WithLfAndReadAsWritten) {
  MakeTempDir();
  const Config config = LoadConfig("config.ini");
  EXPECT_EQ(config.full_screen, 1);
  EXPECT_EQ(config.fps, 0);
  EXPECT_EQ(config.topmost, 0);
  const std::string text = test_bytes::ReadFile("config.ini");
  ASSERT_TRUE(text.starts_with(kOldDefaultText)) << text;
  std::istringstream ours(text.substr(std::string(kOldDefaultText).size()));
  for (std::string line; std::getline(ours, line);) {
    EXPECT_LT(line.size(), 254u) << line;
    for (const char* old_key : {"FULL_SCREEN=", "GRAPHIC_MODE=", "FPS="})
      EXPECT_FALSE(line.starts_with(old_key)) << line;
  }
}

TEST_F(ConfigTest, WindowKeys) {
  using enum platform::ScaleMode;
  struct Case {
    const char* text;
    int topmost;
    platform::ScaleMode scale;
  } cases[] = {
      {"FULL_SCREEN=0\n", 1, kWhole},  // without the key: the old program's topmost window
      {"TOPMOST=0\n", 0, kWhole},
      {"topmost=0\r\n", 0, kWhole},
      {"TOPMOST=0\nTOPMOST=2\n", 1, kWhole},
      {"; TOPMOST=0\n", 1, kWhole},
      {"SCALE=fit\n", 1, kFit},
      {"scale= FIT \r\n", 1, kFit},
      {"SCALE=fit\nSCALE=stretch\n", 1, kWhole},
      {"SCALE=fitted\n", 1, kWhole},
  };
  for (const Case& c : cases) {
    const Config got = ReadConfig(c.text);
    EXPECT_EQ(got.topmost, c.topmost) << c.text;
    EXPECT_EQ(got.scale, c.scale) << c.text;
  }
}

TEST_F(ConfigTest, KeysAndValues) {
  struct Case {
    const char* text;
    int full_screen, fps, music = 100, sound = 100;
  } cases[] = {
      // The same edited settings, as this build writes them and as older builds did
      // (Shift-JIS comments, CR LF), and behind a byte order mark.
      {"; 設定ファイル\n\n; ０:ウィンドウモード  ０以外:フルスクリーンモード\n"
       "FULL_SCREEN=0\n\n; FPS表示\nFPS=1\nMUSIC_VOLUME=40\nSOUND_VOLUME=7\n",
       0, 1, 40, 7},
      {"; \x90\xDD\x92\xE8\x83t\x83@\x83"
       "C\x83\x8B\r\n\r\n"
       "; \x82O:\x83"
       "E\x83"
       "B\x83\x93\x83h\x83"
       "E\x83\x82\x81[\x83h  "
       "\x82O\x88\xC8\x8AO:\x83t\x83\x8B\x83X\x83N\x83\x8A\x81[\x83\x93\x83\x82\x81[\x83h\r\n"
       "FULL_SCREEN=0\r\n\r\n; "
       "FPS\x95\x5C\x8E\xA6\r\nFPS=1\r\nMUSIC_VOLUME=40\r\nSOUND_VOLUME=7\r\n",
       0, 1, 40, 7},
      {"\xEF\xBB\xBF"
       "FULL_SCREEN=0\nFPS=1\r\nMUSIC_VOLUME=40\nSOUND_VOLUME=7",
       0, 1, 40, 7},
      {"full_screen=0\n", 0, 0},
      {"FULL_SCREEN = 0\n", 1, 0},
      {"FULL_SCREEN=\n", 0, 0},
      {"FULL_SCREEN=0\nFULL_SCREEN=1\n", 0, 0},
      {"  FPS=1\n", 1, 0},
      {"FPS= 7 frames\n", 1, 1},
      // Only a line end is taken off: a last line without one keeps its value.
      {"FPS=1", 1, 1},
      // The volumes, clamped to 0..100; the old reader ignored them.
      {"music_volume=40\r\nSOUND_VOLUME=7\r\nFULL_SCREEN=0\r\n", 0, 0, 40, 7},
      {"MUSIC_VOLUME=101\nSOUND_VOLUME=-1\nFPS=1\n", 1, 1, 100, 0},
      {"; MUSIC_VOLUME=0\nSOUND_VOLUME=\n", 1, 0, 100, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Config got = ReadConfig(c.text);
    EXPECT_EQ(got.full_screen, c.full_screen);
    EXPECT_EQ(got.fps, c.fps);
    EXPECT_EQ(got.music_volume, c.music);
    EXPECT_EQ(got.sound_volume, c.sound);
  }
}

}  // namespace
