// Effects panned by where they happen, when game.dat's PAN_EFFECTS asks for it.
#include <vector>

#include "game/collision.h"
#include "game/game_fixture.h"
#include "game/shot.h"

namespace {

using SoundPanTest = GameTest;

// Launch from the left wall, a miss past the right one, a hit right of the middle.
TEST_F(SoundPanTest, EffectsSoundWhereTheyHappenOnlyWithTheKey) {
  if (!LoadSoundRoles()) GTEST_SKIP() << "needs the sound library";
  g_param.SHOT_SIZE_X = g_param.SHOT_SIZE_Y = 8;
  struct Case {
    int pan_effects;
    std::vector<int> pans;
  } cases[] = {{0, {0, 0, 0, 0}}, {1, {-66, 81, -66, 23}}};
  for (const Case& c : cases) {
    g_param.PAN_EFFECTS = c.pan_effects;
    hp.pan_log.clear();
    g_stage.ENEMY_NUMBER = 1;
    Player().x = 32.0f, Player().y = 240.0f, Player().facing = 1;
    LaunchShot();
    g_game.shot.x[0] = 650.0f;
    CheckShotLeaving();
    AddEnemy(400.0f, 240.0f);
    LaunchShot();
    g_game.shot.x[0] = 400.0f, g_game.shot.y[0] = 240.0f;
    CheckShotHits();
    EXPECT_EQ(hp.pan_log, c.pans) << "PAN_EFFECTS:" << c.pan_effects;
  }
}

}  // namespace
