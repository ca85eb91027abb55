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
