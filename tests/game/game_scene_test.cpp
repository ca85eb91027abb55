#include "game/game_scene.h"

#include "game/game_fixture.h"
#include "scene/scene_state.h"

namespace {

using GameSceneTest = PlayTest;

TEST_F(GameSceneTest, MenuFreezesPlayAndTime) {
  AddEnemy(100.0f, 100.0f);
  Start();
  g_state.play_running = 0;  // Escape
  Player().vx = 100.0f;
  g_state.frame_delta = 0.1f;
  while (hp.now < 5000) Frame();
  EXPECT_EQ(Player().x, 320.0f);
  EXPECT_EQ(g_stage.INIT_TIME, 100);
  g_state.select = 1;  // resume
  Frame();
  EXPECT_EQ(g_state.play_running, 1);
  Frame();
  EXPECT_EQ(g_stage.INIT_TIME, 99);  // the deadline that passed fires once
  EXPECT_GT(Player().x, 320.0f);
}

}  // namespace
