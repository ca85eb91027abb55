// Whole games of the pack as shipped, as bench/whole_run prints them: the steady
// player reaches the ending in at most three continues, the expert in at most
// one, and the novice clears at least three stages.
#include <gtest/gtest.h>

#include <string>

#include "players/scripted_player.h"

namespace {

constexpr uint32_t kFrameMs = 33;

struct Target {
  const Skill* skill;
  int most_continues;  // to the ending; -1: the ending is not asked for
  int least_stages;
};

TEST(WholeRun, EveryPlayerGetsAsFarAsTheTargetsSay) {
  const PackCopy pack(LD_GAME_DIR, {});  // its save files stay out of the build
  const Target targets[] = {{&kSteady, 3, 0}, {&kExpert, 1, 0}, {&kNovice, -1, 3}};
  for (const Target& t : targets) {
    const RunResult r = PlayRun(pack.Dir(), *t.skill, kFrameMs, 1);
    SCOPED_TRACE(std::string(t.skill->name) + ": " + std::to_string(r.stages_cleared) +
                 " stages, " + std::to_string(r.continues_used) + " continues");
    EXPECT_GE(r.stages_cleared, t.least_stages);
    if (t.most_continues < 0) continue;
    EXPECT_TRUE(r.ending);
    EXPECT_LE(r.continues_used, t.most_continues);
  }
}

}  // namespace
