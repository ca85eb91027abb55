#include "content/boot_scene.h"
#include "content/content_test.h"
#include "content/game_dat.h"
#include "content/game_params.h"
#include "library/draw/el_draw.h"
#include "shell/shell_state.h"

namespace {

class GameDatTest : public ContentTest {
 protected:
  void Read(const std::string& text) {
    Write("Data/game.dat", text);
    ReadGameParams("Data\\game.dat");
  }
  // The box and the shutdown of an unreadable game.dat.
  void ExpectRefused() {
    ASSERT_EQ(hp.boxes.size(), 1u);
    EXPECT_EQ(hp.boxes[0].text, "game.datが読み込めませんでした。\r\n");
    EXPECT_EQ(hp.boxes[0].caption, "メッセージ");
    EXPECT_EQ(g_shell.shutdown_state, 2);
    EXPECT_EQ(g_shell.game_in_progress, 0);
  }
};

TEST_F(GameDatTest, TwentyKeysTakeTheirValuesFromAfterTheColon) {
  g_shell.game_in_progress = 1;
  Read("#MAX_STAGE:89\n#player_stock: 3 lives\n#SHOT_DAMAGE:-4\n#SHOT_SPEED:400\n"
       "#SHOT_REACTION:150\n#SHOT_SHADOW:64\n#SHOT_SIZE_X:16\n#SHOT_SIZE_Y:17\n#SHOT_SCORE:2\n"
       "#SHOT_INTERVAL:6\n#SHOT_TIMER:300\n#INIT_STAGE:1\n#RIVIVAL_TIME:2000\n"
       "#REVIVAL_TIME:1\n#SPECIAL_TIME:1500\n#CLEAR_BONUS:1000\n#TIME_BONUS:10\n"
       "#BLINK_TIME:250\n#MAX_STAGE\n");
  const GameParams& p = g_param;
  EXPECT_EQ(p.MAX_STAGE, 89);
  EXPECT_EQ(p.PLAYER_STOCK, 3);
  EXPECT_EQ(p.SHOT_DAMAGE, -4);
  EXPECT_EQ(p.SHOT_SPEED, 400);
  EXPECT_EQ(p.SHOT_REACTION, 150);
  EXPECT_EQ(p.SHOT_SHADOW, 64);
  EXPECT_EQ(p.SHOT_SIZE_X, 16);
  EXPECT_EQ(p.SHOT_SIZE_Y, 17);
  EXPECT_EQ(p.SHOT_SCORE, 2);
  EXPECT_EQ(p.SHOT_INTERVAL, 6);
  EXPECT_EQ(p.SHOT_TIMER, 300);
  EXPECT_EQ(p.INIT_STAGE, 1);
  EXPECT_EQ(p.RIVIVAL_TIME, 2000);
  EXPECT_EQ(p.SPECIAL_TIME, 1500);
  EXPECT_EQ(p.CLEAR_BONUS, 1000);
  EXPECT_EQ(p.TIME_BONUS, 10);
  EXPECT_EQ(p.BLINK_TIME, 250);
  EXPECT_TRUE(hp.boxes.empty());
  EXPECT_EQ(g_shell.game_in_progress, 0);
}

TEST_F(GameDatTest, PicturesReachTheLoaderInCapitals) {
  g_draw.Screen(640, 480, 1);
  WriteBmp("img/shot.bmp", 4, 4, 0xFFFFFF);
  WriteBmp("img/stock.bmp", 8, 8, 0xFFFFFF);
  Read("#shot_img:img\\shot.bmp\n#STOCK_IMG:Img\\Stock.bmp\n");
  ASSERT_GE(g_param.SHOT_IMG, 2);
  ASSERT_GE(g_param.STOCK_IMG, 2);
  EXPECT_EQ(g_draw.Slot(g_param.SHOT_IMG).name, "IMG\\SHOT.BMP");
  EXPECT_EQ(g_draw.Slot(g_param.STOCK_IMG).name, "IMG\\STOCK.BMP");
}

TEST_F(GameDatTest, SoundBlockOpensClosesAndSurvivesUnknownDirectives) {
  WriteWav("sound/ok.wav");
  WriteWav("sound/cancel.wav");
  WriteWav("sound/bomb.wav");
  // "select:" names the program's own folder, which is no wave.
  Read("#SOUND:\nOK:sound\\OK.wav\n#NO_SUCH_KEY:1\ncancel:sound\\cancel.wav\nselect:\n"
       "#MAX_STAGE:2\nbomb:sound\\bomb.wav\n");
  EXPECT_EQ(g_sound.UsedCount(), 2);
  EXPECT_EQ(hp.sound_buffers.size(), 6u);  // mix 3 each
  EXPECT_EQ(g_sound_role.ok, 0);
  EXPECT_EQ(g_sound_role.cancel, 1);
  EXPECT_EQ(g_sound_role.bomb, 0);
  ASSERT_EQ(hp.boxes.size(), 1u);
  EXPECT_NE(hp.boxes[0].text.find("elSound::LoadObject"), std::string::npos);
  EXPECT_EQ(g_param.MAX_STAGE, 2);
  EXPECT_EQ(g_param.BLINK_TIME, 500);
}

TEST_F(GameDatTest, MissingFileAndBadShotShadowAreRefused) {
  g_shell.game_in_progress = 1;
  ReadGameParams("Data\\game.dat");
  ExpectRefused();
  for (const char* shadow : {"0", "65", "-1"}) {
    ResetAll();
    hp.boxes.clear();
    g_shell.game_in_progress = 1;
    Read(std::string("#MAX_STAGE:3\n#SHOT_SHADOW:") + shadow + "\n#MAX_STAGE:4\n");
    ExpectRefused();
    EXPECT_EQ(g_param.MAX_STAGE, 3) << "reading stops at the refused line";
    EXPECT_EQ(g_param.SHOT_SHADOW, 0);
  }
}

TEST_F(GameDatTest, BootReadsGameDatAndLeavesForTheOpening) {
  Write("data/GAME.DAT", "#MAX_STAGE:5");
  g_shell.scene = SCENE_BOOT;
  SceneBoot();
  EXPECT_EQ(g_param.MAX_STAGE, 5);
  EXPECT_EQ(g_shell.scene, SCENE_OPENING);
  EXPECT_EQ(g_shell.prev_scene, 0);
}

}  // namespace
