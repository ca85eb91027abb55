#include <cstring>

#include "content/content_test.h"
#include "content/game_dat.h"
#include "content/game_params.h"
#include "content/stage_data.h"
#include "content/stage_file.h"
#include "library/draw/el_draw.h"
#include "shell/shell_state.h"

namespace {

class StageFileTest : public ContentTest {
 protected:
  void Read(const std::string& text, int stage = 1) {
    const std::string name = "data/data" + std::to_string(stage) + ".dat";
    Write(name, text);
    ReadStageFile("data\\data" + std::to_string(stage) + ".dat");
  }
  // Reads a file that must be refused; gives what went to standard error.
  std::string ReadRefused(const std::string& text) {
    hp.boxes.clear();
    g_shell.shutdown_state = 0;
    testing::internal::CaptureStderr();
    Read(text);
    const std::string complaint = testing::internal::GetCapturedStderr();
    EXPECT_EQ(hp.boxes.size(), 1u) << text;
    EXPECT_EQ(hp.boxes.empty() ? "" : hp.boxes[0].text, "データが読み込めませんでした。\r\n");
    EXPECT_EQ(g_shell.shutdown_state, 2) << text;
    EXPECT_EQ(g_stage.ENEMY_NUMBER, 0) << text;
    return complaint;
  }
};

TEST_F(StageFileTest, EnemyKeysFillTheCharacterAfterItsReset) {
  Character& c = g_chars[3];
  c.vx = c.vy = 5;
  c.facing = 2;
  c.move_down = c.move_right = c.move_up = c.move_left = 1;
  c.state = STATE_GONE;
  c.bom_img = 7;
  Read("#ENEMY:3\n"
       "hp:45\nxy:100.5,200\naxy:,5,7\nmax:300\nattack:9\nhard:1.5\nsize_x:32\nsize_y:24\n"
       "ai:2\nscore:500\nbom_last_img:67\nANIMATION:\nturn:0\n");
  EXPECT_EQ(c.hp, 45);
  EXPECT_EQ(c.init_hp, 45);
  EXPECT_FLOAT_EQ(c.x, 100.5f);
  EXPECT_FLOAT_EQ(c.y, 200.0f);
  EXPECT_EQ(c.ax, 0);  // the comma search of "axy:" starts at the value's second byte
  EXPECT_EQ(c.ay, 7);
  EXPECT_EQ(c.max, 300);
  EXPECT_EQ(c.attack, 9);
  EXPECT_FLOAT_EQ(c.hard, 1.5f);
  EXPECT_EQ(c.size_x, 32);
  EXPECT_EQ(c.size_y, 24);
  EXPECT_EQ(c.ai, 2);
  EXPECT_EQ(c.score, 500);
  EXPECT_EQ(c.bom_last_img, 67);
  EXPECT_EQ(c.animation, 1);
  EXPECT_EQ(c.state, STATE_ACTIVE);
  EXPECT_EQ(c.vx + c.vy, 0.0f);
  EXPECT_EQ(c.facing + c.move_down + c.move_right + c.move_up + c.move_left, 0);
  EXPECT_EQ(c.bom_img, 7);
  EXPECT_EQ(g_stage.ENEMY_NUMBER, 1);

  Read("#ENEMY:3\nturn:3\nxy:,5\n");
  EXPECT_EQ(c.turn, 3);
  EXPECT_EQ(c.state, STATE_WAITING);
  EXPECT_EQ(c.animation, 0);
  EXPECT_FLOAT_EQ(c.x, 0.0f);  // the comma search of a character's "xy:" starts at the first byte
  EXPECT_FLOAT_EQ(c.y, 5.0f);
  EXPECT_EQ(c.hp, 45);
}

TEST_F(StageFileTest, ObjectKeysReadIntegersAndResetFlags) {
  StageObject& o = g_objects[63];
  o.animation = o.on = 1;
  o.hard = 9;
  Read("#OBJECT_NUMBER:64\n#OBJECT:63\nxy:100.5,200\nsize_x:40\nsize_y:30\n#OBJECT:0\nhard:2.5\n"
       "animation:\non:\nxy:,5,7\n");
  EXPECT_EQ(o.x, 100);
  EXPECT_EQ(o.y, 200);
  EXPECT_EQ(o.size_x, 40);
  EXPECT_EQ(o.size_y, 30);
  EXPECT_EQ(o.animation + o.on, 0);
  EXPECT_FLOAT_EQ(o.hard, 1.0f);
  EXPECT_EQ(o.present, 1);
  const StageObject& first = g_objects[0];
  EXPECT_FLOAT_EQ(first.hard, 2.5f);
  EXPECT_EQ(first.animation, 1);
  EXPECT_EQ(first.on, 1);
  EXPECT_EQ(first.x, 0);
  EXPECT_EQ(first.y, 7);
  EXPECT_EQ(g_chars[0].animation, 0);
  EXPECT_EQ(g_stage.OBJECT_NUMBER, 64);
}

TEST_F(StageFileTest, BlocksCloseOnlyOnTheirOwnDirectives) {
  Read("#ENEMY:1\nhp:10\n#MAX_STAGE:9\nhp:20\n#SHOT_IMG:\nhp:30\n"
       "#ENEMY:2\n#STAGE_NAME:a\nhp:40\n");
  EXPECT_EQ(g_chars[1].hp, 20);  // "MAX_STAGE:" is no stage key: the block stays open
  EXPECT_EQ(g_param.MAX_STAGE, 0);
  EXPECT_EQ(g_chars[2].hp, 0);
}

TEST_F(StageFileTest, HeaderKeptFieldsAndOverwrittenParametersOutliveTheStage) {
  Read("#MAX_TURN:3\n#STAGE_HARD:0.75\n#INIT_TIME:90\n#BGM:Music\\Stage1.mid\r\n"
       "#ENEMY_NUMBER:4\n#OBJECT_NUMBER:2\n#CLEAR_BONUS:5000\n#SHOT_SPEED:9\n#SHOT_DAMAGE:3\n"
       "#SHOT_REACTION:4\n#SHOT_SHADOW:12\n#SHOT_SIZE_X:5\n#SHOT_SIZE_Y:6\n#SHOT_SCORE:7\n"
       "#SHOT_INTERVAL:8\n#SHOT_TIMER:11\n#BLINK_TIME:250\n#PLAYER_STOCK:9\n");
  EXPECT_EQ(g_stage.clear_bonus_flag, 1);
  EXPECT_EQ(g_stage.CLEAR_BONUS, 5000);
  EXPECT_EQ(g_param.PLAYER_STOCK, 0);
  Read("#STAGE_NAME:second\n", 2);
  EXPECT_EQ(g_stage.ENEMY_NUMBER, 1);
  EXPECT_EQ(g_stage.OBJECT_NUMBER, 0);
  EXPECT_EQ(g_stage.clear_bonus_flag, 0);
  EXPECT_EQ(g_stage.CLEAR_BONUS, 5000);
  EXPECT_EQ(g_stage.MAX_TURN, 3);
  EXPECT_FLOAT_EQ(g_stage.STAGE_HARD, 0.75f);
  EXPECT_EQ(g_stage.INIT_TIME, 90);
  EXPECT_STREQ(g_stage.BGM, "MUSIC\\STAGE1.MID");
  const GameParams& p = g_param;
  EXPECT_EQ(p.SHOT_SPEED, 9);
  EXPECT_EQ(p.SHOT_DAMAGE + p.SHOT_REACTION + p.SHOT_SHADOW + p.SHOT_SIZE_X + p.SHOT_SIZE_Y, 30);
  EXPECT_EQ(p.SHOT_SCORE + p.SHOT_INTERVAL + p.SHOT_TIMER, 26);
  EXPECT_EQ(p.BLINK_TIME, 250);
  EXPECT_TRUE(hp.boxes.empty());
}

TEST_F(StageFileTest, PicturesLoadLowerCasedFromBlocksAndCapitalisedFromDirectives) {
  g_draw.Screen(640, 480, 1);
  WriteBmp("img/enemy.bmp", 8, 8, 0xFF0000);
  WriteBmp("img/clear.bmp", 8, 8, 0xFF0000);
  Read("#ENEMY:0\nIMG:Img\\Enemy.BMP\n#OBJECT:0\nimg:img\\enemy.bmp\n#STAGE_CLEAR:img\\clear.bmp\n");
  ASSERT_GE(g_chars[0].img, 2);
  EXPECT_EQ(g_draw.Slot(g_chars[0].img).name, "img\\enemy.bmp");
  EXPECT_NE(g_objects[0].img, g_chars[0].img);
  ASSERT_GE(g_stage.STAGE_CLEAR, 2);
  EXPECT_EQ(g_draw.Slot(g_stage.STAGE_CLEAR).name, "IMG\\CLEAR.BMP");
  EXPECT_EQ(g_draw.LoadedCount(), 3);
}

TEST_F(StageFileTest, DataOutsideTheTablesIsRefusedWithItsLine) {
  const std::string bad[] = {"#ENEMY:64\n",         "#ENEMY:-1\n",         "#OBJECT:64\n",
                             "#ENEMY_NUMBER:65\n",  "#OBJECT_NUMBER:-1\n", "#SHOT_SHADOW:0\n",
                             "#SHOT_SHADOW:65\n"};
  for (const std::string& line : bad) {
    const std::string complaint = ReadRefused("#STAGE_NAME:x\n" + line + "#ENEMY_NUMBER:3\n");
    EXPECT_EQ(complaint.rfind("data\\data1.dat:2: ", 0), 0u) << complaint;
  }
}

TEST_F(StageFileTest, ATurnHoldsAtMostSixCharactersWithThePlayer) {
  std::string stage = "#ENEMY_NUMBER:11\n#ENEMY:0\n";
  for (int e = 1; e <= 10; ++e)
    stage += "#ENEMY:" + std::to_string(e) + "\nturn:" + std::to_string(e <= 5 ? 0 : 1) + "\n";
  Read(stage);
  EXPECT_TRUE(hp.boxes.empty());
  EXPECT_EQ(g_stage.ENEMY_NUMBER, 11);
  // A sixth enemy in turn 1; its "ENEMY:" stands on line 24.
  const std::string complaint = ReadRefused(stage + "#ENEMY_NUMBER:12\n#ENEMY:11\nturn:1\n");
  EXPECT_NE(complaint.find("data1.dat:24: "), std::string::npos) << complaint;
  // Entries beyond ENEMY_NUMBER do not count.
  hp.boxes.clear();
  Read(stage + "#ENEMY:11\nturn:1\n");
  EXPECT_TRUE(hp.boxes.empty());
}

TEST_F(StageFileTest, MissingFileIsRefused) {
  testing::internal::CaptureStderr();
  ReadStageFile("data\\data7.dat");
  EXPECT_NE(testing::internal::GetCapturedStderr().find("data\\data7.dat"), std::string::npos);
  ASSERT_EQ(hp.boxes.size(), 1u);
  EXPECT_EQ(hp.boxes[0].text, "データが読み込めませんでした。\r\n");
  EXPECT_EQ(g_shell.shutdown_state, 2);
}

TEST_F(StageFileTest, ReplacedSoundsAreReleasedOnceNoRoleHoldsThem) {
  WriteWav("se.wav");
  Write("Data/game.dat", "#SOUND:\nok:se.wav\n");
  ReadGameParams("Data\\game.dat");
  ASSERT_TRUE(g_sound.Used(0));
  Read("#SOUND:\nok:se.wav\n");
  EXPECT_EQ(g_sound_role.ok, 1);
  EXPECT_TRUE(g_sound.Used(0));  // the nine other roles still play object 0
  const std::string all_ten =
      "#SOUND:\nok:se.wav\ncancel:se.wav\nselect:se.wav\ncrash_wall:se.wav\ncrash_char:se.wav\n"
      "crash_obj:se.wav\nshot:se.wav\nshot_miss:se.wav\nshot_hit:se.wav\nbomb:se.wav\n";
  for (int stage = 0; stage < 30; ++stage) Read(all_ten);
  EXPECT_EQ(g_sound.UsedCount(), 10);
  EXPECT_TRUE(hp.boxes.empty());
}

}  // namespace
