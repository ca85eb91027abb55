// The shot's trail of the default pack shows in every stage at the frame rates players meet.
#include <string>

#include "contentpack/pack_files.h"
#include "game/game_fixture.h"
#include "game/shot.h"
#include "scene/scene_state.h"

namespace {

using PackTrail = GameTest;

// A segment sets off once the one ahead is SHOT_INTERVAL away; a head that steps that far in one
// frame takes every segment along on top of it. At 60 and 30 frames a second, and at 36 ms
// frames (30 with late ones), the first copy stands half a shot clear of the head.
TEST_F(PackTrail, StandsClearOfTheHeadInEveryStage) {
  const pack::Tagged dat = pack::ReadTagged("Data\\game.dat");
  const int first = pack::Int(dat.directives, "INIT_STAGE:");
  const int end = pack::Int(dat.directives, "MAX_STAGE:");
  for (int stage = first; stage < end; ++stage) {
    const pack::Keys d = pack::ReadTagged("data\\data" + std::to_string(stage) + ".dat").directives;
    const pack::Keys& shot = d.count("SHOT_SPEED:") ? d : dat.directives;
    g_param.SHOT_SPEED = pack::Int(shot, "SHOT_SPEED:");
    g_param.SHOT_INTERVAL = pack::Int(shot, "SHOT_INTERVAL:");
    g_param.SHOT_SHADOW = pack::Int(shot, "SHOT_SHADOW:");
    g_param.SHOT_SIZE_X = g_param.SHOT_SIZE_Y = pack::Int(dat.directives, "SHOT_SIZE_X:");
    for (const float frame : {1.0f / 60, 1.0f / 30, 0.036f}) {
      g_state.frame_delta = frame;
      Player().facing = 1;
      LaunchShot();
      const Shot& s = g_game.shot;
      const float launched = s.x[0];
      while (s.x[0] < launched + 200.0f) MoveTrail();
      EXPECT_GE(s.x[0] - s.x[1], g_param.SHOT_SIZE_X / 2)
          << "stage " << stage << " at " << frame * 1000 << " ms a frame";
    }
  }
}

}  // namespace
