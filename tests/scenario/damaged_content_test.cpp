// The whole road on deliberately damaged copies of the content pack: each
// damage gives its clear report, and nothing crashes or reads outside a table.
#include <sys/stat.h>

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

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// Rewrites every file of the folder; n counts the files.
void Damage(const std::string& folder, const std::function<void(std::string&, int)>& f) {
  int n = 0;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    if (!e.is_regular_file()) continue;
    std::string bytes = Read(e.path());
    f(bytes, n++);
    Write(e.path(), bytes);
  }
}

void Put32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

const char* kNoBmp = "elDraw::LoadObject : BMPファイルを読み込めません";

struct Damaged {
  const char* name;
  std::function<void(const std::string& dir)> damage;
  std::vector<const char*> checked;  // what lantern-drift --check names, after the folder
  std::set<std::string> boxes;       // every box the road shows
  bool reaches_play = true;
  std::vector<const char*> said;  // on standard error
};

// A FIFO or a folder in the place of a file.
void Fifo(const std::string& path) {
  fs::remove(path);
  ASSERT_EQ(mkfifo(path.c_str(), 0666), 0) << path;
}
void Folder(const std::string& path) {
  fs::remove(path);
  fs::create_directory(path);
}

const Damaged kDamages[] = {
    {"PicturesClaimingAbsurdSizes",
     [](const std::string& dir) {
       Damage(dir + "img", [](std::string& b, int n) {
         Put32(b, 18, n % 2 ? 100000u : 0x7FFFFFFFu);  // width
         Put32(b, 22, n % 3 ? 0x80000001u : 100000u);  // height, top-down or not
       });
     },
     {R"(data/game\.dat:19: picture "IMG\\SHOT\.BMP" is not a BMP)", R"(data/data1\.dat:\d+: picture "[^"]+" is not a BMP)"},
     {kNoBmp}},
    {"WavesWithLyingChunkSizes",
     [](const std::string& dir) {
       Damage(dir + "sound", [](std::string& b, int n) {
         const size_t at[] = {4, 16, 40};  // the RIFF, "fmt " and "data" sizes
         if (n % 4 == 3) b.resize(30);
         else Put32(b, at[n % 4], 0xFFFFFFF0u);
       });
     },
     {R"(data/game\.dat:\d+: wave "sound\\[a-z_]+\.wav" is not a PCM wave)"},
     {"elSound::LoadObject : WAVEリソースが見つかりません"}},
    {"EmptyAndBinaryDataFiles",
     [](const std::string& dir) {
       Write(dir + "data/demo_op.dat", "");
       Write(dir + "data/demo1.dat", std::string("\x00\xFF#SCENE:\x1A\x80\r\r\n#MAX_SCENE:\xFF", 22));
       std::string garbage;
       for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
       Write(dir + "data/demo_end.dat", garbage);
     },
     {},
     {}},
    {"MissingPicturesAndSounds",
     [](const std::string& dir) {
       for (const char* sub : {"img", "sound", "Music"}) fs::remove_all(dir + sub);
     },
     {R"(data/game\.dat:19: picture "IMG\\SHOT\.BMP": no file)", R"(data/game\.dat:9: wave "sound\\ok\.wav": no file)",
      R"(data/data1\.dat:\d+: music "[^"]+": no file)", R"(data/demo1\.dat:8: picture "img\\intro1\.bmp": no file)"},
     {kNoBmp, "elSound::LoadObject : WAVEリソースが見つかりません"}},
    {"StageWithEntryOutsideTheTable",
     [](const std::string& dir) { Write(dir + "data/data1.dat", Read(dir + "data/data1.dat") + "\n#ENEMY:64\nhp:5\n"); },
     {R"(data/data1\.dat:214: ENEMY: 64 is outside 0\.\.63)"},
     {"データが読み込めませんでした。\r\n"},
     false},
    {"FoldersAndFifosWhereFilesBelong",
     [](const std::string& dir) {
       Fifo(dir + "config.ini");
       Folder(dir + "save.dat");
       Fifo(dir + "img/shot.bmp");
       Folder(dir + "img/title.bmp");
       Fifo(dir + "sound/ok.wav");
       Folder(dir + "sound/cancel.wav");
       Fifo(dir + "Music/title.mid");
       Folder(dir + "data/demo_op.dat");
     },
     {R"(data/game\.dat:19: picture "IMG\\SHOT\.BMP")", R"(data/game\.dat:9: wave "sound\\ok\.wav")",
      R"(data/game\.dat:10: wave "sound\\cancel\.wav")"},
     {kNoBmp, "elSound::LoadObject : WAVEリソースが見つかりません"},
     true,
     {"config.ini (not a regular file)", "save.dat (a folder, not a file); it is left as it is",
      "IMG/SHOT.BMP: not a regular file", "img/title.bmp: a folder, not a file",
      "sound/ok.wav: not a regular file", "sound/cancel.wav: a folder, not a file"}},
};

class DamagedContentTest : public ScenarioTest, public testing::WithParamInterface<Damaged> {};

TEST_P(DamagedContentTest, IsReportedAndPlayedThrough) {
  fs::remove(dir + "data");
  for (const char* sub : {"data", "img", "sound", "Music"})
    fs::copy(fs::path(LD_GAME_DIR) / sub, dir + sub, fs::copy_options::recursive);
  hp.program_path = dir + "lantern-drift";
  GetParam().damage(dir);
  std::ostringstream out;
  EXPECT_EQ(CheckContent(dir, out), GetParam().checked.empty() ? 0 : 1);
  for (const char* pattern : GetParam().checked)
    EXPECT_TRUE(std::regex_search(out.str(), std::regex(dir + pattern))) << pattern << "\n" << out.str();

  // Opening, title, a few seconds of the first stage, back to the title, quit.
  testing::internal::CaptureStderr();
  int titles = 0;
  uint32_t game_started = 0;
  Run(
      [&] {
        if (g_state.scene == SCENE_TITLE && g_state.scene_entry == 1) {
          if (++titles > 1) Press(VK_UP);
          hp.PressKey(hp.now + 200, VK_RETURN);
        } else if (g_state.scene == SCENE_GAME && g_state.play_running == 0) {
          if (PressEvery(VK_UP, 400)) hp.PressKey(hp.now + 50, VK_RETURN);  // the menu: to the title
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
  const std::string said = testing::internal::GetCapturedStderr();
  for (const char* line : GetParam().said)
    EXPECT_NE(said.find(line), std::string::npos) << line << "\n" << said;
  EXPECT_EQ(g_state.shutdown_state, 2) << "the road did not end with a quit";
  EXPECT_EQ(game_started != 0, GetParam().reaches_play);
  EXPECT_FALSE(hp.stalled);
  std::set<std::string> boxes;
  for (const auto& b : hp.boxes) boxes.insert(b.text);
  EXPECT_EQ(boxes, GetParam().boxes);
}

INSTANTIATE_TEST_SUITE_P(Pack, DamagedContentTest, testing::ValuesIn(kDamages),
                         [](const testing::TestParamInfo<Damaged>& p) { return std::string(p.param.name); });

}  // namespace
