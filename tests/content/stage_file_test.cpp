#include "content/stage_file.h"

#include <optional>

#include "content/content_test.h"
#include "content/game_dat.h"
#include "content/game_params.h"
#include "content/stage_data.h"
#include "library/draw/el_draw.h"
#include "scene/scene_state.h"

namespace {

class StageFileTest : public ContentTest {
 protected:
  std::optional<ContentError> Read(const std::string& text) {
    return ApplyStageFile(ReadStageFile(text, "data\\data1.dat"));
  }
  // Reads a file that must be refused; gives its error.
  std::string ReadRefused(const std::string& text) {
    const std::optional<ContentError> refusal = Read(text);
    EXPECT_EQ(g_stage.ENEMY_NUMBER, 0) << text;
    return refusal ? refusal->Text() : "";
  }
};

// A field as read and the value it must hold; exact in a double for ints and floats alike.
struct Field {
  template <typename Got, typename Want>
  Field(const char* n, Got g, Want w)
      : name(n), got(static_cast<double>(g)), want(static_cast<double>(w)) {}
  const char* name;
  double got, want;
};

TEST_F(StageFileTest, EnemyKeysFillTheCharacterAfterItsReset) {
  Character& c = g_chars[3];
  c.vx = c.vy = 5;
  c.facing = c.move_down = c.move_right = c.move_up = c.move_left = c.bom_img = 1;
  Read(
      "#ENEMY:3\nhp:45\nxy:100.5,200\naxy:,5,7\nmax:300\nattack:9\nhard:1.5\nsize_x:32\n"
      "size_y:24\nai:2\nscore:500\nbom_last_img:67\nANIMATION:\nturn:0\n");
  // The comma search of "axy:" starts at the value's second byte: ax 0, ay 7.
  const Field read[] = {{"init_hp", c.init_hp, 45},
                        {"animation", c.animation, 1},
                        {"state", c.state, 1},
                        {"bom_img", c.bom_img, 1},
                        {"ax", c.ax, 0},
                        {"ay", c.ay, 7},
                        {"vx", c.vx, 0},
                        {"vy", c.vy, 0}};
  for (const Field& f : read) EXPECT_EQ(f.got, f.want) << f.name;
  EXPECT_EQ(c.facing + c.move_down + c.move_right + c.move_up + c.move_left, 0);

  Read("#ENEMY:3\nturn:3\nxy:,5\n");
  // "xy:" searches its comma from the first byte: x 0, y 5.
  const Field again[] = {{"turn", c.turn, 3}, {"state", c.state, 2}, {"animation", c.animation, 0},
                         {"hp", c.hp, 45},    {"x", c.x, 0},         {"y", c.y, 5}};
  for (const Field& f : again) EXPECT_EQ(f.got, f.want) << f.name;
}

TEST_F(StageFileTest, ObjectKeysReadIntegersAndResetFlags) {
  StageObject& o = g_objects[63];
  o.animation = o.on = 1;
  o.hard = 9;
  Read(
      "#OBJECT_NUMBER:64\n#OBJECT:63\nxy:100.5,200\nsize_x:40\nsize_y:30\n"
      "#OBJECT:0\nhard:2.5\nanimation:\non:\nxy:,5,7\n");
  const StageObject& first = g_objects[0];
  const Field read[] = {{"63 x", o.x, 100},
                        {"63 y", o.y, 200},
                        {"63 size_x", o.size_x, 40},
                        {"63 size_y", o.size_y, 30},
                        {"63 animation", o.animation, 0},
                        {"63 on", o.on, 0},
                        {"63 present", o.present, 1},
                        {"63 hard", o.hard, 1},
                        {"0 x", first.x, 0},
                        {"0 y", first.y, 7},
                        {"0 animation", first.animation, 1},
                        {"0 on", first.on, 1},
                        {"0 hard", first.hard, 2.5},
                        {"player animation", g_chars[0].animation, 0},
                        {"OBJECT_NUMBER", g_stage.OBJECT_NUMBER, 64}};
  for (const Field& f : read) EXPECT_EQ(f.got, f.want) << f.name;
}

TEST_F(StageFileTest, BlocksCloseOnlyOnTheirOwnDirectives) {
  Read("#ENEMY:1\nhp:10\n#MAX_STAGE:9\nhp:20\n#SHOT_IMG:\nhp:30\n#ENEMY:2\n#STAGE_NAME:a\nhp:40\n");
  // "MAX_STAGE:" is no stage key: the block stays open.
  EXPECT_EQ(g_chars[1].hp, 20);
  EXPECT_EQ(g_param.MAX_STAGE, 0);
  EXPECT_EQ(g_chars[2].hp, 0) << "\"STAGE_NAME:\" closes the block";
}

// Card lines are ours: spelled as written, and, as in readers that do not know
// them, the open block stays open.
TEST_F(StageFileTest, CardLinesKeepTheirSpellingAndTheOpenBlock) {
  const StageFile file = ReadStageFile("#ENEMY:1\n#CARD_TITLE:Misty Harbour\nhp:10\n", "d");
  ApplyStageFile(file);
  EXPECT_EQ(g_chars[1].hp, 10);
  const auto* card = std::get_if<StageCard>(&file.lines[1].effect);
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(card->text, "Misty Harbour");
}

// A picture or wave that cannot be loaded is named as its line spells it.
TEST_F(StageFileTest, MissingFilesAreNamedAsWritten) {
  g_draw.Screen(640, 480, 1);
  testing::internal::CaptureStderr();
  Read("#BG:img\\Bg_Mod.bmp\n#SOUND:\nok:Sound\\OK_Mod.wav\n");
  const std::string said = testing::internal::GetCapturedStderr();
  for (const char* detail : {"data\\data1.dat:1: img/Bg_Mod.bmp: no such file",
                             "data\\data1.dat:3: Sound/OK_Mod.wav: no such file"})
    EXPECT_NE(said.find(detail), std::string::npos) << said;
}

TEST_F(StageFileTest, KeptFieldsAndOverwrittenParametersOutliveTheStage) {
  Read(
      "#MAX_TURN:3\n#STAGE_HARD:0.75\n#INIT_TIME:90\n#BGM:Music\\Stage1.mid\r\n#ENEMY_NUMBER:4\n"
      "#OBJECT_NUMBER:2\n#CLEAR_BONUS:5000\n#SHOT_SPEED:9\n#SHOT_SHADOW:12\n#BLINK_TIME:250\n");
  EXPECT_EQ(g_stage.clear_bonus_flag, 1);
  Read("#STAGE_NAME:second\n");
  const Field after[] = {{"enemies", g_stage.ENEMY_NUMBER, 1},
                         {"objects", g_stage.OBJECT_NUMBER, 0},
                         {"bonus flag", g_stage.clear_bonus_flag, 0},
                         {"bonus", g_stage.CLEAR_BONUS, 5000},
                         {"turns", g_stage.MAX_TURN, 3},
                         {"time", g_stage.INIT_TIME, 90},
                         {"hard", g_stage.STAGE_HARD, 0.75},
                         {"speed", g_param.SHOT_SPEED, 9},
                         {"shadow", g_param.SHOT_SHADOW, 12},
                         {"blink", g_param.BLINK_TIME, 250}};
  for (const Field& f : after) EXPECT_EQ(f.got, f.want) << f.name;
  EXPECT_STREQ(g_stage.BGM, "MUSIC\\STAGE1.MID");
}

TEST_F(StageFileTest, DataOutsideTheTablesIsRefusedWithItsLine) {
  // Each range at its last valid value and its first invalid one.
  for (const char* line : {"#ENEMY:64\n", "#ENEMY:-1\n", "#OBJECT:64\n", "#OBJECT:-1\n",
                           "#ENEMY_NUMBER:65\n", "#ENEMY_NUMBER:-1\n", "#OBJECT_NUMBER:65\n",
                           "#OBJECT_NUMBER:-1\n", "#SHOT_SHADOW:0\n", "#SHOT_SHADOW:65\n"}) {
    const std::string complaint =
        ReadRefused("#STAGE_NAME:x\n" + std::string(line) + "#ENEMY_NUMBER:3\n");
    EXPECT_EQ(complaint.rfind("data\\data1.dat:2: ", 0), 0u) << complaint;
  }
  std::string spread;  // 63 enemies, five to a turn
  for (int e = 1; e < 64; ++e)
    spread += "#ENEMY:" + std::to_string(e) + "\nturn:" + std::to_string(e / 5) + "\n";
  for (const char* line : {"#ENEMY:63\n", "#ENEMY:0\n", "#OBJECT:63\n", "#OBJECT:0\n",
                           "#ENEMY_NUMBER:64\n", "#ENEMY_NUMBER:0\n", "#OBJECT_NUMBER:64\n",
                           "#OBJECT_NUMBER:0\n", "#SHOT_SHADOW:1\n", "#SHOT_SHADOW:64\n"})
    EXPECT_FALSE(Read("#STAGE_NAME:x\n" + std::string(line) + spread)) << line;
  const StageFile missing = ReadStageFileAt("data\\data7.dat");
  EXPECT_EQ(ApplyStageFile(missing)->Text().rfind("data/data7.dat:0: ", 0), 0u);
  EXPECT_EQ(g_stage.ENEMY_NUMBER, 1);
}

TEST_F(StageFileTest, ATurnHoldsAtMostSixCharactersWithThePlayer) {
  std::string stage = "#ENEMY_NUMBER:11\n#ENEMY:0\n";
  for (int e = 1; e <= 10; ++e)
    stage += "#ENEMY:" + std::to_string(e) + "\nturn:" + std::to_string(e <= 5 ? 0 : 1) + "\n";
  EXPECT_FALSE(Read(stage + "#ENEMY:11\nturn:1\n"));  // entries beyond ENEMY_NUMBER do not count
  EXPECT_EQ(g_stage.ENEMY_NUMBER, 11);
  // A sixth enemy in turn 1, whose "ENEMY:" stands on line 24.
  const std::string complaint = ReadRefused(stage + "#ENEMY_NUMBER:12\n#ENEMY:11\nturn:1\n");
  EXPECT_NE(complaint.find("data1.dat:24: "), std::string::npos) << complaint;
}

TEST_F(StageFileTest, ReplacedSoundsAreReleasedOnceNoRoleHoldsThem) {
  WriteWav("se.wav");
  ApplyGameDat(ReadGameDat("#SOUND:\nok:se.wav\n", "game.dat"));
  Read("#SOUND:\nok:se.wav\n");
  EXPECT_EQ(g_sound_role.ok, 1);
  EXPECT_TRUE(g_sound.Used(0)) << "the nine other roles play object 0";
  std::string all_ten = "#SOUND:\n";
  for (const char* role : {"ok", "cancel", "select", "crash_wall", "crash_char", "crash_obj",
                           "shot", "shot_miss", "shot_hit", "bomb"})
    all_ten += std::string(role) + ":se.wav\n";
  for (int stage = 0; stage < 30; ++stage) Read(all_ten);
  EXPECT_EQ(g_sound.UsedCount(), 10);
}

TEST_F(StageFileTest, BossKeyMarksTheEnemyAndEachEnemyBlockClearsIt) {
  struct Case {
    const char* text;
    int boss;
  };
  const Case cases[] = {{"#ENEMY:2\nboss:1\n", 1},
                        {"#ENEMY:2\nboss:0\n", 0},
                        {"#ENEMY:2\nhp:5\n", 0},
                        {"#ENEMY:2\nboss:1\n#SHOT_IMG:\nboss:0\n", 1}};
  for (const Case& c : cases) {
    g_chars[2].boss = 1;
    Read(c.text);
    EXPECT_EQ(g_chars[2].boss, c.boss) << c.text;
  }
}

}  // namespace
