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
  e.bom_last_img = 4, e.score = 50, e.hp = 0;
  std::vector<int> frames;
  uint32_t gone_at = 0;
  for (uint32_t t = 1000; t < 2000 && gone_at == 0; ++t) {
    StepAt(hp, t);
    if (frames.empty() || frames.back() != e.bom_img) frames.push_back(e.bom_img);
    if (e.state == STATE_GONE) gone_at = t;
    ASSERT_TRUE(e.state == STATE_GONE || g_game.score == 0) << t;
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 4}));
  // Elapsed means strictly past the deadline.
  EXPECT_EQ(gone_at, 1000u + 4 * 121);
  EXPECT_EQ(g_game.score, 50);
}

TEST_F(DefeatTest, ProtectionHoldsWhileAnEnemySitsOnTheRevivalPoint) {
  g_param.RIVIVAL_TIME = 1000, g_param.SPECIAL_TIME = 2000, g_game.stock = 2;
  Player().bom_last_img = 1, Player().x = 100.0f, Player().vx = 70.0f, Player().hp = -3;
  Character& e = AddEnemy(330.0f, 250.0f);
  uint32_t t = 0;
  while (Player().state != STATE_PROTECTED && t < 10000) StepAt(hp, t += 10);
  for (const uint32_t end = t + 5000; t < end;) StepAt(hp, t += 10);
  EXPECT_EQ(Player().state, STATE_PROTECTED);
  e.x = 349.0f;  // 320 + 32 - 3: touching no more
  StepAt(hp, t + 10);
  EXPECT_EQ(Player().state, STATE_ACTIVE);
}

// The last life: the player explodes and stays gone.
TEST_F(DefeatTest, WithNoStockLeftThePlayerStaysGone) {
  g_game.stock = 0;
  Player().bom_last_img = 1, Player().hp = 0;
  for (uint32_t t = 10; t < 3000; t += 10) StepAt(hp, t);
  EXPECT_EQ(Player().state, STATE_GONE);
}

class TurnTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_stage.MAX_TURN = 3;
    for (int turn = 0; turn < 3; ++turn) {
      Character& e = AddEnemy(100.0f, 100.0f + 50.0f * static_cast<float>(turn));
      e.turn = turn;
      e.state = turn == 0 ? STATE_ACTIVE : STATE_WAITING;
    }
  }
  static Character& Of(int turn) { return g_chars[static_cast<size_t>(turn) + 1]; }
};

TEST_F(TurnTest, TurnGoesOnOnlyWhenEveryEnemyOfItIsGoneAndTheLastClearsTheStage) {
  Of(0).state = STATE_EXPLODING;
  EXPECT_EQ(TurnCheck(), 1);
  EXPECT_EQ(g_game.turn, 0);
  Of(0).state = STATE_GONE;
  EXPECT_EQ(TurnCheck(), 1);
  EXPECT_EQ(g_game.turn, 1);
  EXPECT_EQ(Of(1).state, STATE_ACTIVE);
  EXPECT_EQ(Of(2).state, STATE_WAITING);
  Of(1).state = STATE_GONE;
  EXPECT_EQ(TurnCheck(), 1);
  Of(2).state = STATE_GONE;
  EXPECT_EQ(TurnCheck(), 2);
  // The gone player and the time-out come before the clear.
  Player().state = STATE_GONE;
  EXPECT_EQ(TurnCheck(), 0);
  Player().state = STATE_ACTIVE;
  g_stage.INIT_TIME = 0;
  EXPECT_EQ(TurnCheck(), 0);
}

}  // namespace
