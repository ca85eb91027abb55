#include "game/game_fixture.h"
#include "game/game_scene.h"
#include "library/draw/el_draw.h"
#include "scene/scene_state.h"

namespace {

class GameSceneTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_param.MAX_STAGE = 5;
    g_param.PLAYER_STOCK = 2;
    g_param.INIT_STAGE = 1;
    NewGameSetup();
    g_state.scene = SCENE_GAME;
    g_state.scene_entry = 1;
  }
  // The entry frame, reading the stage file written from the tables.
  void Enter(const std::vector<std::string>& extra_lines = {}) {
    WriteStageFile(g_game.stage, extra_lines);
    Frame();
  }
};

TEST_F(GameSceneTest, StageClearBonusIsAddedOnceAndTheBannerHoldsPlay) {
  g_game.stage = 2;
  g_param.CLEAR_BONUS = 1000;
  g_param.TIME_BONUS = 10;
  g_stage.INIT_TIME = 45;
  g_stage.MAX_TURN = 1;  // a stage without enemies is cleared at once
  Enter();
  EXPECT_EQ(g_game.score, 3 * 1000 + 10 * 45);
  EXPECT_EQ(g_game.clear_phase, 1);
  Player().vx = 100.0f;
  g_state.frame_delta = 0.1f;
  const int frames = hp.frames_presented;
  for (int i = 0; i < 100; ++i) Frame();
  EXPECT_EQ(hp.frames_presented, frames + 100);  // one present a frame
  EXPECT_EQ(g_game.score, 3450);
  EXPECT_FLOAT_EQ(Player().x, 320.0f);
  EXPECT_EQ(g_stage.INIT_TIME, 45);
  EXPECT_EQ(g_state.scene, SCENE_GAME);
}

TEST_F(GameSceneTest, MenuFreezesPlayAndTime) {
  AddEnemy(100.0f, 100.0f);
  Enter();
  g_state.play_running = 0;  // Escape
  Player().vx = 100.0f;
  g_state.frame_delta = 0.1f;
  while (hp.now < 5000) Frame();
  EXPECT_FLOAT_EQ(Player().x, 320.0f);
  EXPECT_EQ(g_stage.INIT_TIME, 100);
  g_state.select = 1;  // resume
  Frame();
  EXPECT_EQ(g_state.play_running, 1);
  Frame();
  EXPECT_EQ(g_stage.INIT_TIME, 99);  // the deadline that passed fires once
  EXPECT_GT(Player().x, 320.0f);
}

// Every way out releases the stage's pictures and the two menu pictures once.
class GameWayOutTest : public GameSceneTest, public ::testing::WithParamInterface<int> {};

TEST_P(GameWayOutTest, ReleasesEveryPictureExactlyOnce) {
  for (const char* name : {"c0.bmp", "c1.bmp", "o0.bmp", "bg.bmp", "font.bmp", "gage.bmp",
                           "gage_base.bmp", "clear.bmp", "menu.bmp", "cursor2.bmp"})
    test_bytes::WriteFile(std::string("img/") + name, test_bytes::Bmp24(8, 8, 0xFFFFFF));
  // The enemy waits for turn 1, so with one turn the stage is cleared at once.
  Character& e = AddEnemy(100.0f, 100.0f);
  e.turn = 1;
  e.state = STATE_WAITING;
  g_stage.MAX_TURN = GetParam() == SCENE_TITLE ? 2 : 1;
  g_stage.OBJECT_NUMBER = 1;
  g_stage.INIT_TIME = GetParam() == SCENE_GAME_OVER ? 0 : 100;
  g_param.MAX_STAGE = GetParam() == SCENE_ENDING ? 2 : 5;
  Enter({"#BG:img\\bg.bmp", "#FONT:img\\font.bmp", "#GAGE:img\\gage.bmp",
         "#GAGE_BASE:img\\gage_base.bmp", "#STAGE_CLEAR:img\\clear.bmp", "#OBJECT:0",
         "img:img\\o0.bmp", "xy:500,400", "size_x:8", "size_y:8"});
  EXPECT_EQ(g_draw.LoadedCount(), GetParam() == SCENE_GAME_OVER ? 0 : 10);
  if (GetParam() == SCENE_TITLE) g_state.play_running = 0;
  g_state.up = g_state.select = 1;
  for (int i = 0; i < 3 && g_state.scene == SCENE_GAME; ++i) Frame();
  EXPECT_EQ(g_state.scene, GetParam());
  EXPECT_EQ(g_draw.LoadedCount(), 0);
  // A later clean-up (the keyboard's way back to the title) must free nothing more.
  LoadPicture("after.bmp", 8, 8, 0xFFFFFF);
  StageCleanup();
  EXPECT_EQ(g_draw.LoadedCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Ways, GameWayOutTest,
                         ::testing::Values(SCENE_GAME_OVER, SCENE_STAGE_INTRO, SCENE_ENDING,
                                           SCENE_TITLE));

}  // namespace
