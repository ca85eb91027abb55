#include "game/collision.h"

#include "game/game_fixture.h"

namespace {

// The right and bottom walls put a character back by its own width and height.
TEST_F(CollisionTest, FarWallsKeepTheWholeCharacterInside) {
  Player().size_x = 20, Player().size_y = 40, Player().x = Player().y = 600.0f;
  Collisions();
  EXPECT_EQ(Player().x, 588.0f);
  EXPECT_EQ(Player().y, 408.0f);
}

TEST_F(CollisionTest, EachSideSuffersTheOthersHardness) {
  Character& e = AddEnemy(330.0f, 250.0f);  // right of and below the player
  e.hard = 3.0f, Player().hard = 0.5f;
  Player().vx = 100.0f, e.vx = -220.0f;  // mean 160 on x, 0 on y
  Collisions();
  EXPECT_EQ(Player().hp, 70);
  EXPECT_EQ(e.hp, 95);
}

TEST_F(CollisionTest, EachPairCollidesOncePerFrame) {
  Character& a = AddEnemy(330.0f, 240.0f);
  Character& b = AddEnemy(335.0f, 245.0f);
  Player().vx = 320.0f;
  Collisions();
  // In entry order: player-a (mean 160), player-b (the player now at -160,
  // mean 80), a-b (160 and 80, mean 120); no pair twice.
  EXPECT_EQ(Player().hp, 100 - 10 - 5);
  EXPECT_EQ(b.hp, 100 - 5 - 7);
  EXPECT_EQ(a.hp, 100 - 10 - 7);
}

TEST_F(CollisionTest, ProtectedPlayerPassesThroughEnemiesButNotWalls) {
  Player().state = STATE_PROTECTED;
  Character& e = AddEnemy(330.0f, 240.0f);
  e.vx = -100.0f;
  Collisions();
  EXPECT_EQ(e.vx, -100.0f);
  Player().x = 0.0f;
  Player().vx = -50.0f;
  Collisions();
  EXPECT_FLOAT_EQ(Player().vx, 50.0f);
}

class ObjectCollision : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_stage.OBJECT_NUMBER = 1;
    g_objects[0] =
        StageObject{.x = 300, .y = 200, .hard = 2.0f, .size_x = 40, .size_y = 40, .present = 1};
  }
};

// The character is sent away at its own (truncated) speed; only the object's
// size counts on both sides (trunc x > 300 - 40 + 3 misses); passable and
// absent objects are never hit.
TEST_F(ObjectCollision, BounceEdgesAndPassableObjects) {
  struct Case {
    float x, y, vx, vy;
    int on, present;
    float want_vx, want_vy;
    int want_hp;
  };
  const Case cases[] = {{320.7f, 220.0f, -100.9f, -60.0f, 0, 1, 100.0f, 60.0f, 100 - 2 * 5},
                        {263.5f, 220.0f, 50.0f, 0.0f, 0, 1, 50.0f, 0.0f, 100},
                        {264.0f, 220.0f, 50.0f, 0.0f, 0, 1, -50.0f, 0.0f, 100 - 2 * 1},
                        {310.0f, 210.0f, 80.0f, 0.0f, 1, 1, 80.0f, 0.0f, 100},
                        {310.0f, 210.0f, 80.0f, 0.0f, 0, 0, 80.0f, 0.0f, 100}};
  for (const Case& c : cases) {
    Player().x = c.x, Player().y = c.y, Player().vx = c.vx, Player().vy = c.vy, Player().hp = 100;
    g_objects[0].on = c.on, g_objects[0].present = c.present;
    Collisions();
    EXPECT_EQ(Player().vx, c.want_vx) << c.x;
    EXPECT_EQ(Player().vy, c.want_vy) << c.x;
    EXPECT_EQ(Player().hp, c.want_hp) << c.x;
  }
}

// Far down the table, past rows of characters that meet no one: a pair eight
// places apart meets, and the object's far edges hit only from inside
// (trunc x < 300 + 40 - 3).
TEST_F(ObjectCollision, FarDownTheTableAndAtTheObjectsFarEdges) {
  Player().x = 560.0f, Player().y = 300.0f;
  const float rows[] = {400.0f, 60.0f, 110.0f};
  for (int i = 1; i < 23; ++i) AddEnemy(static_cast<float>(40 + (i % 8) * 64), rows[i / 8]);
  auto& c = g_chars;
  c[7].x = 100.0f, c[7].y = 300.0f, c[7].vx = 100.0f;  // meets 16 at mean 50
  c[16].x = 110.0f, c[16].y = 305.0f;
  AddEnemy(336.9f, 170.0f).vx = -50.0f;  // on the right edge
  AddEnemy(337.0f, 230.0f).vx = -50.0f;  // just past it
  AddEnemy(270.0f, 236.5f).vy = -50.0f;  // on the bottom edge
  Collisions();
  EXPECT_EQ(c[16].hp, 97) << "met 7, far down the table";
  EXPECT_EQ(c[23].hp, 98) << "on the right edge";
  EXPECT_EQ(c[24].hp, 100) << "past the right edge";
  EXPECT_EQ(c[25].hp, 98) << "on the bottom edge";
}

TEST_F(ObjectCollision, SoundsOfWallsPairsAndObjects) {
  if (!LoadSoundRoles()) GTEST_SKIP() << "needs the sound library";
  Player().x = 300.0f;  // motionless on the object: a crash every frame
  Player().y = 200.0f;
  AddEnemy(10.0f, 100.0f);  // past the left wall, then on the next enemy
  AddEnemy(40.0f, 100.0f);
  Collisions();
  Collisions();
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"crash_wall", "crash_char", "crash_obj",
                                                "crash_char", "crash_obj"}));
}

}  // namespace
