// docs/content.md, followed as written: its worked example, from a copy of the
// pack to a checked and played stage; and its key tables against the readers'.
#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

#include "content/game_dat.h"
#include "content/scene_script.h"
#include "content/stage_data.h"
#include "content/stage_file.h"
#include "game/game_state.h"
#include "library/draw/el_draw.h"
#include "scenario/scenario_fixture.h"
#include "scene/scene_state.h"
#include "shell/content_check.h"
#include "support/test_bytes.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;
using Lines = std::vector<std::string>;

std::string Doc() { return test_bytes::ReadFile(std::string(LD_SOURCE_DIR) + "/docs/content.md"); }

// The part of the reference from the heading that starts with title to the next heading.
std::string Section(const std::string& doc, const std::string& title) {
  const size_t start = doc.find("\n" + title);
  if (start == std::string::npos) return "";
  const size_t end = doc.find("\n#", start + 1);
  return doc.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// A key added to a reader's table without its line in the reference fails here.
TEST(ContentDocTest, ListsEveryKeyOfTheReaders) {
  const std::string doc = Doc();
  for (const std::vector<KnownKeys>& reader : {GameDatKeys(), StageFileKeys(), SceneScriptKeys()}) {
    for (const KnownKeys& place : reader) {
      const std::string section = Section(doc, "### " + place.where);
      ASSERT_FALSE(section.empty())
          << "docs/content.md has no heading \"### " << place.where << "\"";
      for (const std::string& key : place.keys)
        EXPECT_NE(section.find("`" + key + "`"), std::string::npos)
            << "docs/content.md does not list `" << key << "` under \"" << place.where << "\"";
    }
  }
}

// The indented code blocks of the worked example, in order.
std::vector<Lines> ExampleBlocks() {
  std::istringstream in(Section(Doc(), "## 8."));
  std::vector<Lines> blocks;
  bool in_block = false;
  for (std::string line; std::getline(in, line);) {
    const bool code = line.rfind("    ", 0) == 0;
    if (code && !in_block) blocks.emplace_back();
    if (code) blocks.back().push_back(line.substr(4));
    in_block = code || (in_block && line.empty());
  }
  return blocks;
}

Lines LinesOf(const std::string& path) {
  std::istringstream in(test_bytes::ReadFile(path));
  Lines lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void Write(const std::string& path, const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  test_bytes::WriteFile(path, text);
}

std::string KeyOf(const std::string& line) { return line.substr(0, line.find(':') + 1); }

// Step 2: the top's lines replace those of the same key, the comment the first;
// the enemy blocks other than the player's give way to the example's.
Lines StageFromExample(Lines stage, const Lines& top, const Lines& enemies) {
  for (const std::string& line : top) {
    const std::string key = line[0] == ';' ? "; Stage" : KeyOf(line);
    auto at = std::find_if(stage.begin(), stage.end(),
                           [&](const std::string& l) { return l.rfind(key, 0) == 0; });
    EXPECT_NE(at, stage.end()) << key;
    if (at != stage.end()) *at = line;
  }
  Lines out;
  bool in_enemy = false, placed = false;
  for (const std::string& line : stage) {
    if (line.rfind("#", 0) == 0) in_enemy = line.rfind("#ENEMY:", 0) == 0 && line != "#ENEMY:0";
    if (in_enemy && !placed) out.insert(out.end(), enemies.begin(), enemies.end());
    placed = placed || in_enemy;
    if (!in_enemy) out.push_back(line);
  }
  return out;
}

class WorkedExampleTest : public ScenarioTest {};

TEST_F(WorkedExampleTest, AddsAStageThatChecksAndPlays) {
  const std::vector<Lines> blocks = ExampleBlocks();
  ASSERT_EQ(blocks.size(), 4u);
  const Lines &top = blocks[1], &enemies = blocks[2];
  fs::remove(dir + "data");
  for (const char* sub : {"data", "img", "sound", "Music"})
    fs::copy(fs::path(LD_GAME_DIR) / sub, dir + sub, fs::copy_options::recursive);
  hp.program_path = dir + "lantern-drift";

  // 1. The sheet: four facings over four explosion frames, 32 × 32 each.
  test_bytes::WriteFile(dir + "img/chr_bellmoth.bmp", test_bytes::Bmp24(256, 64, [](int x, int y) {
                          return (x % 32 > 8 && y % 32 > 8) ? 0xC0A040u : 0u;
                        }));
  // 2. and 3.
  Write(dir + "data/data11.dat", StageFromExample(LinesOf(dir + "data/data10.dat"), top, enemies));
  std::string dat = test_bytes::ReadFile(dir + "data/game.dat");
  dat.replace(dat.find("#MAX_STAGE:11"), 13, "#MAX_STAGE:12");
  test_bytes::WriteFile(dir + "data/game.dat", dat);

  // 4.
  for (const std::optional<int> stage : {std::optional<int>(11), std::optional<int>()}) {
    std::ostringstream out;
    EXPECT_EQ(CheckContent(dir, out, true, stage), 0) << out.str();
    EXPECT_NE(out.str().find(": no problems found\n"), std::string::npos) << out.str();
  }
  std::string stage = test_bytes::ReadFile(dir + "data/data11.dat");
  const std::string good = stage;
  const size_t typo = stage.find("hp:900");
  stage.replace(typo, 6, "hpp:900");
  test_bytes::WriteFile(dir + "data/data11.dat", stage);
  const int line = static_cast<int>(std::count(stage.begin(), stage.begin() + typo, '\n')) + 1;
  std::ostringstream out;
  CheckContent(dir, out, false, 11);
  std::smatch said;  // the doc's "./FILE:LINE: REST", its line number the typo's
  ASSERT_TRUE(std::regex_match(blocks[3].at(0), said, std::regex("\\./([^:]*):\\d+(:.*)")));
  const std::string shown = dir + said[1].str() + ":" + std::to_string(line) + said[2].str();
  EXPECT_NE(out.str().find(shown + "\n"), std::string::npos) << shown << "\n" << out.str();
  test_bytes::WriteFile(dir + "data/data11.dat", good);

  // 5. Played from the title's first entry, up to its clear and the ending.
  dat.replace(dat.find("#INIT_STAGE:1"), 13, "#INIT_STAGE:11");
  test_bytes::WriteFile(dir + "data/game.dat", dat);
  bool played = false, moth_moved = false;
  uint32_t play_start = 0;
  size_t boxes_at_ending = 1;
  Run(
      [&] {
        if (g_state.scene == SCENE_TITLE && g_state.scene_entry == 1) {
          if (boxes_at_ending == 0) hp.PressKey(hp.now, VK_UP, 30);  // then quit
          hp.PressKey(hp.now + 400u, VK_RETURN, 30);
        } else if (g_state.scene == SCENE_GAME && g_state.play_running == 1) {
          if (play_start == 0) play_start = hp.now;
          played = played || (g_game.stage == 11 && g_stage.ENEMY_NUMBER == 3 &&
                              g_draw.Slot(g_chars[1].img).width == 256);
          moth_moved = moth_moved || g_chars[1].x != 120.0f;
          if (hp.now - play_start > 3000u)
            for (size_t i = 1; i < 3; ++i) g_chars[i].state = STATE_GONE;
          if (g_game.clear_phase == 1) PressEvery(VK_RETURN, 250);
        } else if (g_state.scene == SCENE_ENDING) {
          boxes_at_ending = hp.boxes.size();
          PressEvery(VK_RETURN, 250);
        } else if (g_state.scene != SCENE_TITLE) {
          PressEvery(VK_RETURN, 250);
        }
      },
      3u * 60u * 1000u);
  EXPECT_TRUE(played);
  EXPECT_TRUE(moth_moved);
  EXPECT_EQ(boxes_at_ending, 0u) << "no ending, or a box on the way";
  EXPECT_EQ(g_state.shutdown_state, 2);
}

}  // namespace
