#include "game/steering.h"

#include "game/game_fixture.h"
#include "platform/platform.h"
#include "scene/scene_state.h"

namespace {

constexpr uint32_t kHeld = 1000;

// A chaser pushes towards the player and faces along the longer distance; a
// fleer stays inside its box.
TEST_F(SteerTest, ChaserAndFleers) {
  struct Chase {
    float x, y;
    int dx, dy, facing;  // pushed right (1) or left (-1), down (1) or up (-1)
  } chases[] = {
      {100, 250, 1, -1, 1}, {540, 230, -1, 1, 3}, {320, 400, 0, -1, 2}, {321, 40, -1, 1, 0}};
  for (const Chase& c : chases) {
    Character& e = AddEnemy(c.x, c.y);
    e.ai = 1;
    e.facing = (c.facing + 2) % 4;
  }
  Character& right = AddEnemy(540.0f, 380.0f);  // right of and below the player, on the box edge
  Character& left = AddEnemy(100.0f, 100.0f);
  Character& inside = AddEnemy(539.0f, 200.0f);  // just inside the right edge
  right.ai = left.ai = inside.ai = 2;
  Steering();
  for (const Chase& c : chases) {
    const Character& e = g_chars[1 + (&c - chases)];
    EXPECT_EQ(e.move_right - e.move_left, c.dx) << c.x << "," << c.y;
    EXPECT_EQ(e.move_down - e.move_up, c.dy) << c.x << "," << c.y;
    EXPECT_EQ(e.facing, c.facing) << c.x << "," << c.y;
  }
  EXPECT_EQ(right.move_right + right.move_down + left.move_left + left.move_up, 0);
  EXPECT_EQ(inside.move_right, 1);
  EXPECT_EQ(inside.move_up, 1);
  EXPECT_EQ(inside.facing, 1);
}

// Up and left keep gaining speed; right and down stop at max.
TEST_F(SteerTest, ThrustByTheFrameDeltaIsCappedOnlyRightAndDown) {
  Player().ax = Player().ay = 1000;
  Player().max = 100;
  g_state.frame_delta = 0.1f;
  const auto run = [](int frames) {
    for (int frame = 0; frame < frames; ++frame) {
      Steering();
      Thrust();
      LimitSpeed();
    }
  };
  for (int vk : {platform::VK_LEFT, platform::VK_UP}) hp.HoldKey(0, vk, kHeld);
  run(5);
  EXPECT_EQ(Player().vx, -500.0f);
  EXPECT_EQ(Player().vy, -500.0f);
  hp.now = 2000;
  for (int vk : {platform::VK_RIGHT, platform::VK_DOWN}) hp.HoldKey(2000, vk, kHeld);
  run(20);
  EXPECT_EQ(Player().vx, 100.0f);
  EXPECT_EQ(Player().vy, 100.0f);
}

}  // namespace
