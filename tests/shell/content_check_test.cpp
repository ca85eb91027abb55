// What lantern-drift --check says of a pack's mistakes, of values the formats
// forbid but the game tolerates, and of what the formats allow.
#include "shell/content_check.h"

#include <filesystem>
#include <regex>
#include <sstream>

#include "library/system/el_system.h"
#include "library/system/file_lookup.h"
#include "support/headless_test.h"
#include "support/test_bytes.h"

namespace {

namespace fs = std::filesystem;

// Replaces the first `from` in a file of the pack.
void Replace(const std::string& path, const std::string& from, const std::string& to) {
  std::string bytes = test_bytes::ReadFile(path);
  const size_t at = bytes.find(from);
  ASSERT_NE(at, std::string::npos) << from << " in " << path;
  test_bytes::WriteFile(path, bytes.replace(at, from.size(), to));
}

class CheckTest : public HeadlessTest {
 protected:
  std::string CopyPack() {
    const std::string dir = MakeTempDir();
    for (const char* sub : {"data", "img", "sound", "Music"})
      fs::copy(fs::path(LD_GAME_DIR) / sub, dir + sub, fs::copy_options::recursive);
    return dir;
  }
  static bool Says(const std::string& report, const std::string& at, const std::string& said) {
    return std::regex_search(report, std::regex("^" + at + ": " + said, std::regex::multiline));
  }
};

// The typical mistakes of a stage's author and values the formats forbid but the
// game tolerates, each in its own copy of the pack: a warning at its file and line
// that says what the game does, failing only with --strict. Or silence, where the
// formats allow it.
struct Mistake {
  const char* name;
  const char* file;
  const char* from;  // replaced, its first occurrence
  const char* to;
  const char* at;    // the report's line: the first line holding this, after the change
  const char* said;  // after "file:line: "; nullptr: no finding at all
};

const Mistake kMistakes[] = {
    {"SceneNumberPastNine", "data/demo_go.dat", "#SCENE:1", "#SCENE:10", "#SCENE:10",
     R"(warning: SCENE: 10 is outside 0\.\.9)"},
    {"SceneCountPastTen", "data/demo_go.dat", "#MAX_SCENE:2", "#MAX_SCENE:11", "#MAX_SCENE:11",
     R"(warning: MAX_SCENE 11 is outside 0\.\.10; the game takes it as 10)"},
    {"FadeOfNoSteps", "data/demo_go.dat", "fade_interval:24", "fade_interval:0", "fade_interval:0",
     R"(warning: fade_interval 0 is below 1)"},
    {"NameFoundOnlyIgnoringCase", "data/game.dat", "img\\shot.bmp", "img\\Shot.bmp",
     "img\\Shot.bmp",
     R"(warning: "img\\Shot\.bmp" is found only by ignoring letter case, as img/shot\.bmp)"},
    {"FadeOfOneStep", "data/demo_go.dat", "fade_interval:24", "fade_interval:1", "", nullptr},
    {"BlockNameInCapitalsIsLowerCasedToTheFile", "data/data1.dat", "img:img\\chr_lumi.bmp",
     "img:IMG\\CHR_LUMI.BMP", "", nullptr},
    {"MistypedKey", "data/data1.dat", "hp:1000", "hpp:1000", "hpp:1000",
     R"(warning: hpp: is no key of an #ENEMY: block; the game ignores the line; did you mean hp:\?)"},
    {"WrongSeparator", "data/data1.dat", "xy:528,80", "xy:528;80", "xy:528;80",
     R"(warning: xy: "528;80" is not two numbers separated by a comma; the game reads 528,0)"},
    {"WordForANumber", "data/data1.dat", "max:120", "max:fast", "max:fast",
     R"(warning: max: "fast" is not a whole number; the game reads 0)"},
    {"EntryPastEnemyNumber", "data/data1.dat", "#ENEMY_NUMBER:11", "#ENEMY_NUMBER:10", "#ENEMY:10",
     R"(warning: #ENEMY: 10 is not in play: ENEMY_NUMBER is 10; the game leaves it out)"},
    {"EntryPastObjectNumber", "data/data1.dat", "#OBJECT_NUMBER:6", "#OBJECT_NUMBER:5", "#OBJECT:5",
     R"(warning: #OBJECT: 5 is not in play: OBJECT_NUMBER is 5)"},
    {"UnusedKey", "data/data1.dat", "", "", "attack:",
     R"(note: attack: \(on \d+ lines of this file\) is kept but no rule of the game uses it)"},
    {"MaxTurnBeforeTheLastTurn", "data/data1.dat", "#MAX_TURN:3", "#MAX_TURN:2", "turn:2",
     R"(warning: #ENEMY: \d+ waits for turn 2, which never comes: with MAX_TURN 2 the stage )"
     R"(ends after turn 1 and the game never brings it in; raise MAX_TURN to 3)"},
    {"TimeTooShortForItsTurns", "data/data1.dat", "#INIT_TIME:150", "#INIT_TIME:25",
     "#INIT_TIME:25",
     R"(warning: INIT_TIME 25 gives less than 10 seconds to each of the stage's 3 turns)"},
    {"LineOutsideAnyBlock", "data/data1.dat", "#SOUND:", "#SOUND_:", "crash_wall:",
     R"(warning: crash_wall: stands outside any block; the game ignores the line)"},
    {"FlagGivenAValue", "data/data1.dat", "animation:", "animation:0", "animation:0",
     R"(warning: animation: is a flag and takes no value: the game switches it on)"},
    {"MistypedSceneKey", "data/demo_go.dat", "wait:2500", "wiat:2500", "wiat:2500",
     R"(warning: wiat: is no key of a #SCENE: block; the game ignores the line; did you )"
     R"(mean wait:\?)"},
};

// The line of the file that first holds text, from 1.
int LineOf(const std::string& path, const std::string& text) {
  std::istringstream in(test_bytes::ReadFile(path));
  int n = 1;
  for (std::string line; std::getline(in, line); ++n)
    if (line.find(text) != std::string::npos) return n;
  return 0;
}

class MistakeTest : public CheckTest, public testing::WithParamInterface<Mistake> {};

TEST_P(MistakeTest, IsAWarningAtItsLineOrSilence) {
  const Mistake& m = GetParam();
  const std::string dir = CopyPack();
  if (*m.from != '\0') Replace(dir + m.file, m.from, m.to);
  std::ostringstream out, strict;
  EXPECT_EQ(CheckContent(dir, out), 0) << out.str();
  if (m.said == nullptr) {
    EXPECT_TRUE(Says(out.str(), dir, "no problems found\n")) << out.str();
    return;
  }
  const int line = LineOf(dir + m.file, m.at);
  ASSERT_GT(line, 0) << m.at;
  EXPECT_TRUE(Says(out.str(), dir + m.file + ":" + std::to_string(line), m.said)) << out.str();
  const bool warning = std::string(m.said).starts_with("warning: ");
  EXPECT_EQ(CheckContent(dir, strict, true), warning ? 1 : 0) << strict.str();
}

INSTANTIATE_TEST_SUITE_P(Pack, MistakeTest, testing::ValuesIn(kMistakes),
                         [](const testing::TestParamInfo<Mistake>& p) {
                           return std::string(p.param.name);
                         });

// A missing stage file ends a game there; the stage files after it are still read.
// --check --stage N reads game.dat and that stage, nothing else.
TEST_F(CheckTest, StagesAfterAMissingOneAreCheckedOrOneStageAlone) {
  const std::string dir = CopyPack();
  fs::remove(dir + "data/data3.dat");
  Replace(dir + "data/data4.dat", "hp:", "hpp:");
  const std::string typo =
      "data/data4.dat:" + std::to_string(LineOf(dir + "data/data4.dat", "hpp:"));
  std::ostringstream all;
  EXPECT_EQ(CheckContent(dir, all), 1);
  EXPECT_TRUE(Says(all.str(), dir + "data/data3.dat:0", "cannot open the file")) << all.str();
  EXPECT_TRUE(Says(all.str(), dir + typo, "warning: hpp:")) << all.str();
  std::ostringstream one;
  EXPECT_EQ(CheckContent(dir, one, false, 4), 0) << one.str();
  EXPECT_EQ(one.str().find("data3.dat"), std::string::npos) << one.str();
  EXPECT_TRUE(Says(one.str(), dir + typo, "warning: hpp:")) << one.str();
  EXPECT_TRUE(Says(one.str(), dir, "0 errors, 1 warning found")) << one.str();
}

// A script that is a folder plays nothing; a missing game-over script and a file
// the game never opens are no findings at all.
TEST_F(CheckTest, FilesTheGameCanDoWithout) {
  const std::string dir = CopyPack();
  fs::remove(dir + "data/demo_end.dat");
  fs::create_directory(dir + "data/demo_end.dat");
  fs::remove(dir + "data/demo_go.dat");
  test_bytes::WriteFile(dir + "img/unused.bmp", "BM");
  std::ostringstream out;
  EXPECT_EQ(CheckContent(dir, out), 0) << out.str();
  EXPECT_TRUE(Says(out.str(), dir + "data/demo_end.dat:0",
                   R"(warning: cannot be read \(a folder, not a file\); the game plays nothing)"))
      << out.str();
  EXPECT_TRUE(Says(out.str(), dir, "0 errors, 1 warning found")) << out.str();
}

// A mod folder holds data/ and what it changes; the rest comes from the pack,
// as in the game, and a name is said as its line spells it.
TEST_F(HeadlessTest, ModFolderTakesThePackForWhatItLacks) {
  const std::string dir = MakeTempDir();
  fs::copy(fs::path(LD_GAME_DIR) / "data", dir + "data", fs::copy_options::recursive);
  Replace(dir + "data/data1.dat", "#BG:img\\bg_stage1.bmp", "#BG:img\\Bg_Mod.bmp");
  fs::create_directory(dir + "img");
  test_bytes::WriteFile(dir + "img/Bg_Mod.bmp", test_bytes::Bmp24(8, 8, 0x20C040));
  UsePackDir(LD_GAME_DIR "/");
  std::ostringstream out;
  EXPECT_EQ(CheckContent(dir, out), 0) << out.str();
  EXPECT_NE(out.str().find(dir + ": no problems found\n"), std::string::npos) << out.str();
  fs::remove(dir + "img/Bg_Mod.bmp");
  std::ostringstream missing;
  EXPECT_EQ(CheckContent(dir, missing), 1);
  const std::string at = "data1.dat:" + std::to_string(LineOf(dir + "data/data1.dat", "Bg_Mod"));
  EXPECT_NE(missing.str().find(at + ": picture \"img\\Bg_Mod.bmp\": "), std::string::npos)
      << missing.str();
}

}  // namespace
