// Deliberately damaged copies of the content pack, checked and played: the
// errors lantern-drift --check reports are exactly the boxes and messages the
// game shows on a road through every file it reads, by file and line, and
// nothing crashes, blocks or reads outside a table.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <regex>
#include <set>
#include <sstream>

#include "content/stage_data.h"
#include "game/game_state.h"
#include "scenario/scenario_fixture.h"
#include "scene/scene_state.h"
#include "shell/content_check.h"
#include "support/test_bytes.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;
using Locations = std::set<std::string>;  // "data/data1.dat:214", relative to the pack

// Adds lines at the end of a data file; gives "name:N" for each added line.
std::vector<std::string> Append(const std::string& dir, const std::string& name,
                                const std::vector<std::string>& lines) {
  std::string bytes = test_bytes::ReadFile(dir + name);
  if (!bytes.empty() && bytes.back() != '\n') bytes += '\n';
  int n = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
  std::vector<std::string> at;
  for (const std::string& line : lines) {
    bytes += line + '\n';
    at.push_back(name + ":" + std::to_string(++n));
  }
  test_bytes::WriteFile(dir + name, bytes);
  return at;
}

struct Damaged {
  const char* name;
  // Damages the pack in dir; gives the locations the checker must name.
  std::function<std::vector<std::string>(const std::string& dir)> damage;
  bool ending = true;  // a game can reach the ending
};

const Damaged kDamages[] = {
    {"EmptyAndBinaryDataFiles",
     [](const std::string& dir) -> std::vector<std::string> {
       test_bytes::WriteFile(dir + "data/demo_op.dat", "");
       test_bytes::WriteFile(dir + "data/demo1.dat",
                             std::string("\x00\xFF#SCENE:\x1A\x80\r\r\n#MAX_SCENE:\xFF", 22));
       std::string garbage;
       for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
       test_bytes::WriteFile(dir + "data/demo_end.dat", garbage);
       return {};
     }},
    // A new game plays INIT_STAGE whatever MAX_STAGE says; its faults count.
    {"FirstStageIsAlsoTheLast",
     [](const std::string& dir) {
       Append(dir, "data/game.dat", {"#INIT_STAGE:2", "#MAX_STAGE:2"});
       std::vector<std::string> at =
           Append(dir, "data/data2.dat",
                  {"#BG:img\\nothing.bmp", "#SOUND:", "bomb:sound\\none.wav", "#ENEMY:-1"});
       at.erase(at.begin() + 1);
       const std::vector<std::string> intro =
           Append(dir, "data/demo2.dat", {"#SCENE:0", "img:img\\gone.bmp", "bgm:sound\\ok.wav"});
       at.insert(at.end(), intro.begin() + 1, intro.end());
       return at;
     }},
    // The lines after a refused one are read as if it were absent: INIT_STAGE still counts.
    {"GameDatLineRefusedBeforeInitStage",
     [](const std::string& dir) -> std::vector<std::string> {
       test_bytes::WriteFile(dir + "data/game.dat",
                             "#SHOT_SHADOW:0\n" + test_bytes::ReadFile(dir + "data/game.dat"));
       return {"data/game.dat:1"};
     }},
    // The files the program names itself are read too.
    {"TitlePictureAndMusicBroken",
     [](const std::string& dir) -> std::vector<std::string> {
       test_bytes::WriteFile(dir + "img/title.bmp", test_bytes::Bmp({.width = 2,
                                                                     .height = 1,
                                                                     .bpp = 8,
                                                                     .palette = {0, 0xFFFFFF},
                                                                     .data = {5, 1, 0, 0}}));
       fs::remove(dir + "Music/title.mid");
       fs::create_directory(dir + "Music/title.mid");
       return {"img/title.bmp:0", "Music/title.mid:0"};
     }},
    // A folder or a FIFO where a file belongs is read as nothing, never waited on.
    {"FoldersAndFifoWhereFilesBelong",
     [](const std::string& dir) -> std::vector<std::string> {
       fs::remove(dir + "data/data2.dat");
       EXPECT_EQ(mkfifo((dir + "data/data2.dat").c_str(), 0600), 0);
       fs::remove(dir + "sound/bomb.wav");
       fs::create_directory(dir + "sound/bomb.wav");
       fs::remove(dir + "img/ranking.bmp");
       fs::create_directory(dir + "img/ranking.bmp");
       // FIFOs that a loader would wait on forever if it opened them blindly.
       for (const char* name : {"img/shot.bmp", "sound/ok.wav", "Music/title.mid"}) {
         fs::remove(dir + name);
         EXPECT_EQ(mkfifo((dir + name).c_str(), 0600), 0);
       }
       return {"data/data2.dat:0", "data/game.dat:21", "img/ranking.bmp:0",
               "data/game.dat:23", "data/game.dat:12", "Music/title.mid:0"};
     },
     false},
    // The stages end where a stage file is missing, as the game's would.
    {"MaxStageFarBeyondTheStages",
     [](const std::string& dir) -> std::vector<std::string> {
       Append(dir, "data/game.dat", {"#MAX_STAGE:2000000000"});
       return {"data/data11.dat:0"};
     },
     false},
};

// "file:line" of each error of text, from the lines that begin with `start`;
// a file the program names itself, said without a line, counts as line 0.
Locations Errors(const std::string& text, const std::string& start) {
  static const std::regex error("^([^: ]*/[^: ]*)(?::(\\d+))?: (?!warning: |note: )");
  Locations found;
  std::istringstream in(text);
  std::smatch m;
  for (std::string line; std::getline(in, line);)
    if (line.rfind(start, 0) == 0 &&
        (line.erase(0, start.size()), std::regex_search(line, m, error)))
      found.insert(m[1].str() + ":" + (m[2].matched ? m[2].str() : "0"));
  return found;
}

class DamagedContentTest : public ScenarioTest, public testing::WithParamInterface<Damaged> {
 protected:
  // One road through everything a game reads: the ranking, the how-to, a lost
  // game, a game whose stages are cleared at once up to the ending, and quit.
  void PlayRoad() {
    const int plan[] = {2, 1, 0, 0, 3};  // title entries, in turn
    int titles = 0;
    Run(
        [&] {
          entered.insert(g_state.scene);
          if (g_state.scene == SCENE_TITLE && g_state.scene_entry == 1) {
            const int entry = plan[std::min(titles++, 4)];
            for (int i = 0; i < (entry == 3 ? 1 : entry); ++i)
              hp.PressKey(hp.now + 200u * static_cast<uint32_t>(i), entry == 3 ? VK_UP : VK_DOWN,
                          30);
            hp.PressKey(hp.now + 200u * static_cast<uint32_t>(entry + 1), VK_RETURN, 30);
          } else if (g_state.scene == SCENE_GAME && g_state.play_running == 1) {
            if (titles == 3) g_stage.INIT_TIME = 0;  // lost at once
            for (int i = 1; i < g_stage.ENEMY_NUMBER && i < MAX_CHARACTERS; ++i)
              g_chars[static_cast<size_t>(i)].state = STATE_GONE;
            g_game.turn = std::max(g_stage.MAX_TURN - 1, 0);
            if (g_game.clear_phase == 1) PressEvery(VK_RETURN, 250);
          } else if (g_state.scene != SCENE_TITLE) {
            PressEvery(VK_RETURN, 250);
          }
        },
        20u * 60u * 1000u);
    EXPECT_EQ(g_state.shutdown_state, 2) << "the road did not end with a quit";
    EXPECT_FALSE(hp.stalled);
  }

  std::set<int> entered;  // every scene the roads went through
};

TEST_P(DamagedContentTest, CheckReportsExactlyWhatTheGameShows) {
  fs::remove(dir + "data");
  for (const char* sub : {"data", "img", "sound", "Music"})
    fs::copy(fs::path(LD_GAME_DIR) / sub, dir + sub, fs::copy_options::recursive);
  hp.program_path = dir + "lantern-drift";
  const std::vector<std::string> expected = GetParam().damage(dir);

  std::ostringstream out;
  const int status = CheckContent(dir, out);
  const Locations checked = Errors(out.str(), dir);
  EXPECT_EQ(status, checked.empty() ? 0 : 1) << out.str();
  const Locations want(expected.begin(), expected.end());
  EXPECT_EQ(checked, want) << out.str();

  // The game quits at a refused line: the next road runs as if it were absent.
  Locations shown;
  for (int road = 0; road < 4; ++road) {
    if (road > 0) Restart();
    testing::internal::CaptureStderr();
    PlayRoad();
    // Its refusals stand alone on their lines; what failed to load follows the program's name.
    const std::string said = testing::internal::GetCapturedStderr();
    const Locations refused = Errors(said, ""), loads = Errors(said, "lantern-drift: ");
    shown.insert(refused.begin(), refused.end());
    shown.insert(loads.begin(), loads.end());
    bool quit_on_line = false;
    for (const std::string& at : refused) {
      const size_t colon = at.rfind(':');
      const int line = std::stoi(at.substr(colon + 1));
      if (line > 0) {  // the line made a comment: the file as if it were absent
        std::istringstream in(test_bytes::ReadFile(dir + at.substr(0, colon)));
        std::string commented, text;
        for (int i = 1; std::getline(in, text); ++i)
          commented += (i == line ? ";" + text : text) + '\n';
        test_bytes::WriteFile(dir + at.substr(0, colon), commented);
      }
      quit_on_line = quit_on_line || line > 0;
    }
    if (!quit_on_line) break;
  }
  EXPECT_EQ(checked, shown) << out.str();
  const std::set<int> wanted = {SCENE_RANKING, SCENE_HOWTO, SCENE_GAME_OVER};
  EXPECT_TRUE(std::includes(entered.begin(), entered.end(), wanted.begin(), wanted.end()));
  EXPECT_EQ(entered.count(SCENE_ENDING), GetParam().ending ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Pack, DamagedContentTest, testing::ValuesIn(kDamages),
                         [](const testing::TestParamInfo<Damaged>& p) {
                           return std::string(p.param.name);
                         });

}  // namespace
