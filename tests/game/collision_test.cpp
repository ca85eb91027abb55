#include "game/collision.h"
#include "game/game_fixture.h"

namespace {

TEST_F(CollisionTest, LeftWallBouncesByStageHardnessAndCosts) {
  g_stage.STAGE_HARD = 0.5f;
  Player().x = 20.0f;
  Player().vx = -200.0f;
  Collisions();
  EXPECT_FLOAT_EQ(Player().x, 32.0f);
  EXPECT_FLOAT_EQ(Player().vx, 100.0f);
  EXPECT_EQ(Player().hp, 94);
}

TEST_F(CollisionTest, PairSharesSpeedAndBothLoseByTheMean) {
  Character& j = AddEnemy(340.0f, 240.0f);
  Player().vx = 100.0f;
  j.vx = -60.0f;
  Collisions();
  EXPECT_EQ(Player().hp, 95);
  EXPECT_EQ(j.hp, 95);
  EXPECT_FLOAT_EQ(Player().vx, -80.0f);
  EXPECT_FLOAT_EQ(j.vx, 80.0f);
  EXPECT_FLOAT_EQ(Player().vy, 0.0f);
  EXPECT_FLOAT_EQ(j.vy, 0.0f);
}

TEST_F(CollisionTest, EachSideSuffersTheOthersHardness) {
  Character& e = AddEnemy(330.0f, 250.0f);  // right of and below the player
  e.hard = 3.0f;
  Player().hard = 0.5f;
  Player().vx = 100.0f;
  e.vx = -220.0f;  // mean 160 on x, 0 on y
  Collisions();
  EXPECT_EQ(Player().hp, 70);
  EXPECT_EQ(e.hp, 95);
  e.hp = Player().hp = 100;
  Player().vx = Player().vy = 160.0f;  // the speeds meet on both axes
  e.vx = e.vy = -160.0f;
  Collisions();
  EXPECT_EQ(Player().hp, 40);
}

TEST_F(CollisionTest, EachPairCollidesOncePerFrame) {
  Character& a = AddEnemy(330.0f, 240.0f);
  Character& b = AddEnemy(335.0f, 245.0f);
  Player().vx = 320.0f;
  Collisions();
  // In entry order: player-a (mean 160), player-b (the player now at -160,
  // mean 80), a-b (160 and 80, mean 120); no pair twice.
  EXPECT_EQ(Player().hp, 100 - 10 - 5);
  EXPECT_EQ(a.hp, 100 - 10 - 7);
  EXPECT_EQ(b.hp, 100 - 5 - 7);
}

TEST_F(CollisionTest, ProtectedPlayerPassesThroughEnemiesButNotWalls) {
  Player().state = STATE_PROTECTED;
  Character& e = AddEnemy(330.0f, 240.0f);
  e.vx = -100.0f;
  Collisions();
  EXPECT_FLOAT_EQ(e.vx, -100.0f);
  EXPECT_EQ(Player().hp, 100);
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
    StageObject& o = g_objects[0];
    o.x = 300;
    o.y = 200;
    o.size_x = o.size_y = 40;
    o.hard = 2.0f;
    o.present = 1;
  }
};

TEST_F(ObjectCollision, SendsTheCharacterAwayAtItsOwnSpeed) {
  Player().x = 320.7f;  // right of and below the object's corner
  Player().y = 220.0f;
  Player().vx = -100.9f;
  Player().vy = -60.0f;
  Collisions();
  EXPECT_FLOAT_EQ(Player().vx, 100.0f);
  EXPECT_FLOAT_EQ(Player().vy, 60.0f);
  EXPECT_EQ(Player().hp, 100 - 2 * ((160 >> 1) >> 4));
}

TEST_F(ObjectCollision, OnlyTheObjectsSizeCountsOnBothSides) {
  Player().x = 263.5f;  // trunc 263 > 300 - 40 + 3 = 263? no
  Player().y = 220.0f;
  Player().vx = 50.0f;
  Collisions();
  EXPECT_FLOAT_EQ(Player().vx, 50.0f);
  Player().x = 264.0f;
  Collisions();
  EXPECT_FLOAT_EQ(Player().vx, -50.0f);
  EXPECT_EQ(Player().hp, 100 - 2 * ((50 >> 1) >> 4));
}

TEST_F(ObjectCollision, PassableAndAbsentObjectsAreNeverHit) {
  Player().x = 310.0f;
  Player().y = 210.0f;
  Player().vx = 80.0f;
  g_objects[0].on = 1;
  Collisions();
  g_objects[0].on = 0;
  g_objects[0].present = 0;
  Collisions();
  EXPECT_FLOAT_EQ(Player().vx, 80.0f);
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
