// The default pack is never won by standing still: the low end of the difficulty curve that
// bench/difficulty_curve prints in full, at 30 frames a second (whole_run_test the high end).
#include <gtest/gtest.h>

#include "contentpack/pack_files.h"
#include "players/scripted_player.h"

namespace {

constexpr uint32_t kFrameMs = 33;

struct Stages {
  pack::Tagged dat = pack::ReadTagged("Data\\game.dat");
  int first = pack::Int(dat.directives, "INIT_STAGE:");
  int end = pack::Int(dat.directives, "MAX_STAGE:");
};

TEST(Playthrough, StandingStillClearsNoStageAndLosesLivesInTheFirst) {
  const Stages stages;
  ASSERT_LT(stages.first, stages.end);
  for (int stage = stages.first; stage < stages.end; ++stage) {
    const StageResult r =
        PlayStage(LD_GAME_DIR, stage, kIdle, kFrameMs, static_cast<uint32_t>(stage));
    EXPECT_FALSE(r.cleared) << "standing still clears stage " << stage;
    if (stage == stages.first) {
      EXPECT_GT(r.lives_lost, 0) << "standing still costs no life";
    }
  }
}

}  // namespace
