#include "game/game_fixture.h"
#include "game/steering.h"
#include "platform/platform.h"
#include "scene/scene_state.h"

namespace {

constexpr uint32_t kHeld = 1000;

TEST_F(SteerTest, KeysSetFlagsAndFacingWithUpOverDownAndLeftOverRight) {
  hp.HoldKey(0, platform::VK_UP, kHeld);
  hp.HoldKey(0, platform::VK_DOWN, kHeld);
  hp.HoldKey(0, platform::VK_LEFT, kHeld);
  hp.HoldKey(0, platform::VK_RIGHT, kHeld);
  Steering();
  EXPECT_EQ(Player().move_up, 1);
  EXPECT_EQ(Player().move_down, 0);
  EXPECT_EQ(Player().move_left, 1);
  EXPECT_EQ(Player().move_right, 0);
  EXPECT_EQ(Player().facing, 3);  // a diagonal keeps the horizontal facing
}

TEST_F(SteerTest, ChaserBelowThePlayerPushesOnlyUpAndFacesUp) {
  Character& e = AddEnemy(320.0f, 400.0f);
  e.ai = 1;
  e.facing = 1;
  Steering();
  EXPECT_EQ(e.move_up, 1);
  EXPECT_EQ(e.move_left + e.move_right + e.move_down, 0);
  EXPECT_EQ(e.facing, 2);
}

TEST_F(SteerTest, FleerStaysInsideItsBox) {
  Character& right = AddEnemy(540.0f, 380.0f);  // right of and below the player, on the box edge
  right.ai = 2;
  Character& left = AddEnemy(100.0f, 100.0f);
  left.ai = 2;
  Character& inside = AddEnemy(400.0f, 200.0f);
  inside.ai = 2;
  Steering();
  EXPECT_EQ(right.move_right + right.move_down, 0);
  EXPECT_EQ(left.move_left + left.move_up, 0);
  EXPECT_EQ(inside.move_right, 1);
  EXPECT_EQ(inside.move_up, 1);
  EXPECT_EQ(inside.facing, 1);
}

TEST_F(SteerTest, ThrustUsesTheFrameDeltaAndClearsTheFlags) {
  Player().ax = 300;
  Player().ay = 200;
  Player().move_up = Player().move_right = 1;
  g_state.frame_delta = 0.25f;
  Thrust();
  EXPECT_FLOAT_EQ(Player().vy, -50.0f);
  EXPECT_FLOAT_EQ(Player().vx, 75.0f);
  EXPECT_EQ(Player().move_up + Player().move_right, 0);
}

TEST_F(SteerTest, SpeedLimitCapsOnlyRightAndDown) {
  Player().max = 150;
  Player().vx = 400.0f;
  Player().vy = -400.0f;
  Character& e = AddEnemy(100.0f, 100.0f);
  e.max = 150;
  e.vx = -900.0f;
  e.vy = 151.0f;
  LimitSpeed();
  EXPECT_FLOAT_EQ(Player().vx, 150.0f);
  EXPECT_FLOAT_EQ(Player().vy, -400.0f);
  EXPECT_FLOAT_EQ(e.vx, -900.0f);
  EXPECT_FLOAT_EQ(e.vy, 150.0f);
}

TEST_F(SteerTest, PushingLeftKeepsGainingSpeedPushingRightStopsAtMax) {
  Player().ax = 1000;
  Player().max = 100;
  g_state.frame_delta = 0.1f;
  hp.HoldKey(0, platform::VK_LEFT, kHeld);
  for (int frame = 0; frame < 5; ++frame) {
    Steering();
    Thrust();
    LimitSpeed();
  }
  EXPECT_FLOAT_EQ(Player().vx, -500.0f);
  hp.now = 2000;
  hp.HoldKey(2000, platform::VK_RIGHT, kHeld);
  for (int frame = 0; frame < 20; ++frame) {
    Steering();
    Thrust();
    LimitSpeed();
  }
  EXPECT_FLOAT_EQ(Player().vx, 100.0f);
}

}  // namespace
