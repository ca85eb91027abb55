#include "game/shot.h"

#include "game/game_fixture.h"
#include "game/steering.h"
#include "platform/platform.h"
#include "scene/scene_state.h"

namespace {

class ShotFlight : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_param.SHOT_SHADOW = 4, g_param.SHOT_SIZE_X = g_param.SHOT_SIZE_Y = 8,
    g_param.SHOT_SPEED = 400;
    g_param.SHOT_INTERVAL = 10, g_param.SHOT_REACTION = 60, g_param.SHOT_DAMAGE = 7;
    g_param.SHOT_SCORE = 2, g_param.SHOT_TIMER = 500;
  }
  static void Fire(int facing) {
    Player().facing = facing;
    LaunchShot();
  }
  static const Shot& S() { return g_game.shot; }
};

// Every segment starts centred on the player (half size by a shift) and the
// player recoils; each sets off in the frame the one ahead is 10 px (or more) away.
TEST_F(ShotFlight, LaunchCentresTheSegmentsWhichSetOffOneIntervalApart) {
  Player().size_x = Player().size_y = 33;
  g_state.frame_delta = 1.0f / 64;
  // 4 px a frame: a segment sets off at 12 px and trails by 8; 5 px: at 10, by 5.
  for (const auto& [speed, xs] : {std::pair{256, std::vector{356.0f, 348.0f, 340.0f, 332.0f}},
                                  {320, std::vector{362.0f, 357.0f, 352.0f, 347.0f}}}) {
    g_param.SHOT_SPEED = speed;
    Player().vx = 0.0f;
    Fire(1);
    EXPECT_FLOAT_EQ(Player().vx, -60.0f);  // facing right pushes the player left
    for (int frame = 0; frame < 6; ++frame) MoveTrail();
    EXPECT_EQ(std::vector(S().x.begin(), S().x.begin() + 4), xs) << speed;
    EXPECT_EQ(std::vector(S().y.begin(), S().y.begin() + 4), std::vector(4, 16.0f + 240.0f - 4.0f));
  }
}

// The head's corner leaves past the side walls and the bottom one, but at the
// top only past the screen's edge.
TEST_F(ShotFlight, LeavesAtTheWallsAndTheTopOfTheScreen) {
  for (const auto& [x, y, leaves] : {std::tuple{31.0f, 200.0f, true},
                                     {32.0f, 200.0f, false},
                                     {608.0f, 200.0f, false},
                                     {609.0f, 200.0f, true},
                                     {300.0f, -1.0f, true},
                                     {300.0f, 0.0f, false},
                                     {300.0f, 448.0f, false},
                                     {300.0f, 449.0f, true}}) {
    Fire(1);
    g_game.shot.x[0] = x, g_game.shot.y[0] = y;
    CheckShotLeaving();
    EXPECT_EQ(S().state == SHOT_SPENT, leaves) << x << "," << y;
  }
}

// Every active enemy under the shot is hit and scores; a waiting one is not.
TEST_F(ShotFlight, HitStraightRightScoresByDistanceAndKnocksBack) {
  Player().x = 100.0f, Player().y = 110.0f;
  AddEnemy(215.0f, 200.0f);
  Character& b = AddEnemy(220.0f, 203.0f);
  Character& waiting = AddEnemy(217.0f, 200.0f);
  waiting.state = STATE_WAITING;
  Fire(1);
  // 150 px from the launch corner: 120 across, 90 down.
  g_game.shot.x[0] = 220.0f, g_game.shot.y[0] = 200.0f;
  CheckShotHits();
  EXPECT_EQ(g_game.score, 2 * 300);
  EXPECT_EQ(b.hp, 93) << "the second enemy under the head";
  EXPECT_EQ(b.vx, 60.0f);
  EXPECT_EQ(waiting.hp, 100);
  EXPECT_EQ(S().state, SHOT_SPENT);
}

TEST_F(ShotFlight, ProtectedPlayerCannotFireAndHeldSpaceRefiresAfterReload) {
  hp.HoldKey(0, platform::VK_SPACE, 100000);
  Player().state = STATE_PROTECTED;
  Steering();
  EXPECT_EQ(S().state, SHOT_READY);
  Player().state = STATE_ACTIVE;
  Steering();
  EXPECT_EQ(S().state, SHOT_FLYING);
  g_game.shot.x[0] = 700.0f;
  CheckShotLeaving();
  Steering();
  EXPECT_EQ(S().state, SHOT_SPENT);
  ResetShot();  // what the scene does once slot 2 has elapsed
  Steering();
  EXPECT_EQ(S().state, SHOT_FLYING);
}

}  // namespace
