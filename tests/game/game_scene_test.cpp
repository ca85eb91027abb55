#include "game/game_scene.h"

#include <tuple>

#include "game/game_fixture.h"
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
  // One frame of the game scene, as the main loop runs it.
  static void Frame() {
    SceneGame();
    g_state.scene_entry = 0;
  }
  // The entry frame; its stage file keeps the characters the tables hold.
  void Enter() {
    test_bytes::WriteFile("data/data" + std::to_string(g_game.stage) + ".dat",
                          "#ENEMY_NUMBER:" + std::to_string(g_stage.ENEMY_NUMBER) + "\n");
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
  EXPECT_EQ(std::tuple(g_game.score, g_game.clear_phase), std::tuple(3 * 1000 + 10 * 45, 1));
  Player().vx = 100.0f;
  g_state.frame_delta = 0.1f;
  const int frames = hp.frames_presented;
  for (int i = 0; i < 100; ++i) Frame();
  EXPECT_EQ(hp.frames_presented, frames + 100);  // one present a frame
  EXPECT_EQ(std::tuple(g_game.score, Player().x, g_stage.INIT_TIME, g_state.scene),
            std::tuple(3450, 320.0f, 45, SCENE_GAME));
}

TEST_F(GameSceneTest, MenuFreezesPlayAndTime) {
  AddEnemy(100.0f, 100.0f);
  Enter();
  g_state.play_running = 0;  // Escape
  Player().vx = 100.0f;
  g_state.frame_delta = 0.1f;
  while (hp.now < 5000) Frame();
  EXPECT_EQ(std::tuple(Player().x, g_stage.INIT_TIME), std::tuple(320.0f, 100));
  g_state.select = 1;  // resume
  Frame();
  EXPECT_EQ(g_state.play_running, 1);
  Frame();
  EXPECT_EQ(g_stage.INIT_TIME, 99);  // the deadline that passed fires once
  EXPECT_GT(Player().x, 320.0f);
}

}  // namespace
