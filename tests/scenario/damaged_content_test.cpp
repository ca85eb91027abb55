// The whole road on deliberately damaged copies of the content pack: each
// damage gives its clear report, and nothing crashes or reads outside a table.
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <sstream>

#include "scenario/scenario_fixture.h"
#include "scene/scene_state.h"
#include "shell/content_check.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;

void ForEachFile(const fs::path& dir, const std::string& ext, const std::function<void(const fs::path&)>& f) {
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file() && e.path().extension() == ext) f(e.path());
}

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

void Put32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

class DamagedContentTest : public ScenarioTest {
 protected:
  void SetUp() override {
    ScenarioTest::SetUp();
    fs::remove(dir + "data");
    for (const char* sub : {"data", "img", "sound", "Music"})
      fs::copy(fs::path(LD_GAME_DIR) / sub, dir + sub, fs::copy_options::recursive);
    hp.program_path = dir + "lantern-drift";
  }

  // Opening, title, a few seconds of the first stage, back to the title, quit.
  void PlayRoad(bool reaches_play = true) {
    int titles = 0;
    uint32_t game_started = 0;
    Run(
        [&] {
          if (g_state.scene == SCENE_TITLE && g_state.scene_entry == 1) {
            if (++titles == 1) {
              hp.PressKey(hp.now + 100, VK_RETURN);
            } else {
              Press(VK_UP);
              hp.PressKey(hp.now + 200, VK_RETURN);
            }
          } else if (g_state.scene == SCENE_GAME && g_state.play_running == 0) {
            // The in-game menu: back to the title.
            if (PressEvery(VK_UP, 400)) hp.PressKey(hp.now + 50, VK_RETURN);
          } else if (g_state.scene == SCENE_GAME) {
            if (game_started == 0) game_started = hp.now;
            hp.HoldKey(hp.now, (hp.now / 700) % 2 ? VK_LEFT : VK_UP, 20);
            hp.HoldKey(hp.now, VK_SPACE, 20);
            if (hp.now - game_started > 4000) PressEvery(VK_ESCAPE, 1000);
          } else if (g_state.scene != SCENE_TITLE) {
            PressEvery(VK_RETURN, 250);
          }
        },
        10u * 60u * 1000u);
    EXPECT_EQ(g_state.shutdown_state, 2) << "the road did not end with a quit";
    if (reaches_play) {
      EXPECT_NE(game_started, 0u) << "the first stage was not played";
    }
    EXPECT_FALSE(hp.stalled);
  }

  // lantern-drift --check names each pattern's damage with its file and line.
  void ExpectChecked(std::initializer_list<const char*> patterns) {
    std::ostringstream out;
    EXPECT_EQ(CheckContent(dir, out), 1);
    for (const char* pattern : patterns)
      EXPECT_TRUE(std::regex_search(out.str(), std::regex(dir + pattern))) << pattern << "\n" << out.str();
  }

  std::set<std::string> BoxTexts() const {
    std::set<std::string> texts;
    for (const auto& b : hp.boxes) texts.insert(b.text);
    return texts;
  }
};

TEST_F(DamagedContentTest, TruncatedPictures) {
  ForEachFile(dir + "img", ".bmp", [](const fs::path& p) {
    const std::string bytes = Read(p);
    Write(p, bytes.substr(0, bytes.size() / 3));
  });
  ExpectChecked({R"(data/game\.dat:19: picture "IMG\\SHOT\.BMP" is not a BMP)",
                 R"(data/demo1\.dat:8: picture "img\\intro1\.bmp" is not a BMP)"});
  PlayRoad();
  EXPECT_EQ(BoxTexts(), (std::set<std::string>{"elDraw::LoadObject : BMPファイルを読み込めません"}));
}

TEST_F(DamagedContentTest, PicturesClaimingAbsurdSizes) {
  int n = 0;
  ForEachFile(dir + "img", ".bmp", [&n](const fs::path& p) {
    std::string bytes = Read(p);
    Put32(bytes, 18, ++n % 2 ? 0x7FFFFFFFu : 100000u);  // width
    Put32(bytes, 22, n % 3 ? 0x80000001u : 100000u);    // height, top-down or not
    Write(p, bytes);
  });
  ExpectChecked({R"(data/data1\.dat:\d+: picture "[^"]+" is not a BMP)"});
  PlayRoad();
  EXPECT_EQ(BoxTexts(), (std::set<std::string>{"elDraw::LoadObject : BMPファイルを読み込めません"}));
}

TEST_F(DamagedContentTest, WavesWithLyingChunkSizes) {
  int n = 0;
  ForEachFile(dir + "sound", ".wav", [&n](const fs::path& p) {
    std::string bytes = Read(p);
    switch (n++ % 4) {
      case 0: Put32(bytes, 4, 0xFFFFFFF0u); break;  // RIFF size
      case 1: Put32(bytes, 16, 0x7FFFFFFFu); break;  // "fmt " size
      case 2: Put32(bytes, 40, 0xFFFFFFFFu); break;  // "data" size
      default: bytes = bytes.substr(0, 30); break;
    }
    Write(p, bytes);
  });
  ExpectChecked({R"(data/game\.dat:\d+: wave "sound\\[a-z_]+\.wav" is not a PCM wave)"});
  PlayRoad();
  for (const std::string& text : BoxTexts())
    EXPECT_EQ(text.rfind("elSound::LoadObject : ", 0), 0u) << text;
}

TEST_F(DamagedContentTest, EmptyAndBinaryDataFiles) {
  Write(dir + "data/demo_op.dat", "");
  Write(dir + "data/demo1.dat", std::string("\x00\xFF#SCENE:\x1A\x80\r\r\n#MAX_SCENE:\xFF", 22));
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  Write(dir + "data/demo_end.dat", garbage);
  PlayRoad();
  EXPECT_TRUE(hp.boxes.empty()) << hp.boxes.front().text;
}

TEST_F(DamagedContentTest, MissingPicturesAndSounds) {
  fs::remove_all(dir + "img");
  fs::remove_all(dir + "sound");
  fs::remove_all(dir + "Music");
  ExpectChecked({R"(data/game\.dat:19: picture "IMG\\SHOT\.BMP": no file)",
                 R"(data/game\.dat:9: wave "sound\\ok\.wav": no file)",
                 R"(data/data1\.dat:\d+: music "[^"]+": no file)",
                 R"(data/demo1\.dat:8: picture "img\\intro1\.bmp": no file)"});
  PlayRoad();
  EXPECT_EQ(BoxTexts(), (std::set<std::string>{"elDraw::LoadObject : BMPファイルを読み込めません",
                                                "elSound::LoadObject : WAVEリソースが見つかりません"}));
}

TEST_F(DamagedContentTest, StageWithEntryOutsideTheTable) {
  std::string stage = Read(dir + "data/data1.dat");
  stage += "\n#ENEMY:64\nhp:5\n";
  Write(dir + "data/data1.dat", stage);
  ExpectChecked({R"(data/data1\.dat:214: ENEMY: 64 is outside 0\.\.63)"});
  PlayRoad(false);
  EXPECT_EQ(BoxTexts().count("データが読み込めませんでした。\r\n"), 1u);
}

}  // namespace
