#include "game/defeat.h"
#include "game/game_fixture.h"
#include "library/system/el_system.h"

namespace {

// The defeat, explosion and revival part of a play frame, at clock t.
void StepAt(platform::HeadlessPlatform& hp, uint32_t t) {
  hp.now = t;
  DefeatAndExplode();
  if (g_system.CheckWait(1) == 1) RevivalStep();
}

TEST_F(DefeatTest, ExplosionShowsEachFrameFor120MsAndScoresAtItsEnd) {
  Character& e = AddEnemy(100.0f, 100.0f);
  e.bom_last_img = 4;
  e.score = 50;
  e.hp = 0;
  StepAt(hp, 1000);
  EXPECT_EQ(e.state, STATE_EXPLODING);
  EXPECT_EQ(g_system.Deadline(6), 1120u);  // the second character of the turn: slot 6
  std::vector<int> frames;
  uint32_t gone_at = 0;
  for (uint32_t t = 1001; t < 2000 && gone_at == 0; ++t) {
    StepAt(hp, t);
    if (frames.empty() || frames.back() != e.bom_img) frames.push_back(e.bom_img);
    if (e.state == STATE_GONE) gone_at = t;
    if (e.state == STATE_EXPLODING) {
      ASSERT_EQ(g_game.score, 0) << t;
    }
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(gone_at, 1000u + 4 * 121);  // elapsed means strictly past the deadline
  EXPECT_EQ(g_game.score, 50);
  EXPECT_EQ(g_system.Deadline(6), elSystem::kDisarmed);
}

class DefeatRevival : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_param.RIVIVAL_TIME = 1000;
    g_param.SPECIAL_TIME = 2000;
    g_game.stock = 2;
    Player().bom_last_img = 1;
    Player().x = 100.0f;
    Player().vx = 70.0f;
    Player().hp = -3;
  }
  // Runs frames of 10 ms until the player reaches state, and returns the time.
  uint32_t RunUntil(int state, uint32_t from) {
    for (uint32_t t = from; t < from + 10000; t += 10) {
      StepAt(hp, t);
      if (Player().state == state) return t;
    }
    return 0;
  }
};

TEST_F(DefeatRevival, PlayerComesBackAtTheCentreInvisibleThenProtectedThenActive) {
  const uint32_t reviving = RunUntil(STATE_REVIVING, 0);
  EXPECT_EQ(reviving, 130u);
  EXPECT_FLOAT_EQ(Player().x, 320.0f);
  EXPECT_FLOAT_EQ(Player().y, 240.0f);
  EXPECT_FLOAT_EQ(Player().vx, 0.0f);
  EXPECT_EQ(Player().hp, 100);
  EXPECT_EQ(g_game.stock, 1);
  const uint32_t protected_at = RunUntil(STATE_PROTECTED, reviving);
  EXPECT_EQ(protected_at, reviving + 1010);
  const uint32_t active_at = RunUntil(STATE_ACTIVE, protected_at);
  EXPECT_EQ(active_at, protected_at + 2010);
  EXPECT_EQ(g_system.Deadline(1), elSystem::kDisarmed);
}

TEST_F(DefeatRevival, ProtectionHoldsWhileAnEnemySitsOnTheRevivalPoint) {
  Character& e = AddEnemy(330.0f, 250.0f);
  const uint32_t protected_at = RunUntil(STATE_PROTECTED, 0);
  for (uint32_t t = protected_at; t < protected_at + 5000; t += 10) StepAt(hp, t);
  EXPECT_EQ(Player().state, STATE_PROTECTED);
  e.x = 349.0f;  // 320 + 32 - 3: touching no more
  StepAt(hp, protected_at + 5010);
  EXPECT_EQ(Player().state, STATE_ACTIVE);
}

TEST_F(DefeatRevival, WithoutStockThePlayersExplosionEndsTheGameAtOnce) {
  g_game.stock = 0;
  Player().score = 40;  // a stage file may give the player a score: it never counts
  AddEnemy(100.0f, 100.0f);
  const uint32_t gone = RunUntil(STATE_GONE, 0);
  EXPECT_NE(gone, 0u);
  EXPECT_EQ(g_game.score, 0);
  EXPECT_EQ(TurnCheck(), 0);
}

class TurnTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_stage.MAX_TURN = 3;
    first_ = &AddEnemy(100.0f, 100.0f);
    second_ = &AddEnemy(200.0f, 100.0f);
    second_->turn = 1;
    second_->state = STATE_WAITING;
    third_ = &AddEnemy(300.0f, 100.0f);
    third_->turn = 2;
    third_->state = STATE_WAITING;
  }
  Character* first_;
  Character* second_;
  Character* third_;
};

TEST_F(TurnTest, TurnGoesOnOnlyWhenEveryEnemyOfItIsGoneAndTheLastClearsTheStage) {
  EXPECT_EQ(TurnCheck(), 1);
  first_->state = STATE_EXPLODING;
  EXPECT_EQ(TurnCheck(), 1);
  EXPECT_EQ(g_game.turn, 0);
  first_->state = STATE_GONE;
  EXPECT_EQ(TurnCheck(), 1);
  EXPECT_EQ(g_game.turn, 1);
  EXPECT_EQ(second_->state, STATE_ACTIVE);
  EXPECT_EQ(third_->state, STATE_WAITING);
  EXPECT_EQ(Player().turn, 1);
  second_->state = STATE_GONE;
  EXPECT_EQ(TurnCheck(), 1);
  third_->state = STATE_GONE;
  EXPECT_EQ(TurnCheck(), 2);
  EXPECT_EQ(TurnCheck(), 2);
  EXPECT_EQ(g_game.turn, 4);
}

TEST_F(TurnTest, TimeOutAndTheGonePlayerComeFirst) {
  first_->state = STATE_GONE;
  g_stage.MAX_TURN = 1;
  g_stage.INIT_TIME = 0;
  EXPECT_EQ(TurnCheck(), 0);
  g_stage.INIT_TIME = 5;
  Player().state = STATE_GONE;
  EXPECT_EQ(TurnCheck(), 0);
  Player().state = STATE_ACTIVE;
  EXPECT_EQ(TurnCheck(), 2);
}

}  // namespace
