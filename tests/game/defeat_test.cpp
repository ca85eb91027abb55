#include "game/defeat.h"

#include <tuple>

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
  StepAt(hp, 1000);
  // The second character of the turn has wait slot 6.
  EXPECT_EQ(std::tuple(e.state, g_system.Deadline(6)), std::tuple(STATE_EXPLODING, 1120u));
  std::vector<int> frames;
  uint32_t gone_at = 0;
  for (uint32_t t = 1001; t < 2000 && gone_at == 0; ++t) {
    StepAt(hp, t);
    if (frames.empty() || frames.back() != e.bom_img) frames.push_back(e.bom_img);
    if (e.state == STATE_GONE) gone_at = t;
    ASSERT_TRUE(e.state != STATE_EXPLODING || g_game.score == 0) << t;
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 4}));
  // Elapsed means strictly past the deadline.
  EXPECT_EQ(std::tuple(gone_at, g_game.score, g_system.Deadline(6)),
            std::tuple(1000u + 4 * 121, 50, elSystem::kDisarmed));
}

class DefeatRevival : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_param.RIVIVAL_TIME = 1000, g_param.SPECIAL_TIME = 2000, g_game.stock = 2;
    Player().bom_last_img = 1, Player().x = 100.0f, Player().vx = 70.0f, Player().hp = -3;
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

TEST_F(DefeatRevival, ProtectionHoldsWhileAnEnemySitsOnTheRevivalPoint) {
  Character& e = AddEnemy(330.0f, 250.0f);
  const uint32_t protected_at = RunUntil(STATE_PROTECTED, 0);
  for (uint32_t t = protected_at; t < protected_at + 5000; t += 10) StepAt(hp, t);
  EXPECT_EQ(Player().state, STATE_PROTECTED);
  e.x = 349.0f;  // 320 + 32 - 3: touching no more
  StepAt(hp, protected_at + 5010);
  EXPECT_EQ(Player().state, STATE_ACTIVE);
  EXPECT_EQ(g_system.Deadline(1), elSystem::kDisarmed);
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
  EXPECT_EQ(TurnCheck(), 1);
  Of(0).state = STATE_EXPLODING;
  EXPECT_EQ(TurnCheck(), 1);
  EXPECT_EQ(g_game.turn, 0);
  Of(0).state = STATE_GONE;
  EXPECT_EQ(TurnCheck(), 1);
  EXPECT_EQ(std::tuple(g_game.turn, Of(1).state, Of(2).state, Player().turn),
            std::tuple(1, STATE_ACTIVE, STATE_WAITING, 1));
  Of(1).state = STATE_GONE;
  EXPECT_EQ(TurnCheck(), 1);
  Of(2).state = STATE_GONE;
  EXPECT_EQ(TurnCheck(), 2);
  EXPECT_EQ(TurnCheck(), 2);
  EXPECT_EQ(g_game.turn, 4);
  // The gone player and the time-out come before the clear.
  Player().state = STATE_GONE;
  EXPECT_EQ(TurnCheck(), 0);
  Player().state = STATE_ACTIVE;
  g_stage.INIT_TIME = 0;
  EXPECT_EQ(TurnCheck(), 0);
}

}  // namespace
