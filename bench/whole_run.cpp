// Whole games of a pack as players meet it: scripted players of graded skill
// start a new game at the first stage with the stock the pack gives (its spare
// lives and continues when its keys give them), at 60 and 30 frames a second.
// Prints per player and frame rate the mean stages cleared, continues used,
// lives lost and minutes played, and how many runs reached the ending.
//
//   whole_run [RUNS [GAME.DAT LINE ...]]
// The lines ("#CONTINUES:0") are added to a copy of the default pack's game.dat.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "players/scripted_player.h"

namespace {

constexpr uint32_t kFrameMs[] = {16, 33};  // 60 and 30 frames a second
constexpr int kFps[] = {60, 30};
constexpr const Skill* kSkills[] = {&kNovice, &kSteady, &kExpert};

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 2;
  if (runs < 1) {
    std::fprintf(stderr, "usage: whole_run [RUNS [GAME.DAT LINE ...]], RUNS at least 1\n");
    return 2;
  }
  const std::vector<std::string> lines(argv + std::min(argc, 2), argv + argc);
  const PackCopy pack(LD_GAME_DIR, lines);
  std::printf("%d runs per player and frame rate; game.dat adds:", runs);
  for (const std::string& line : lines) std::printf(" %s", line.c_str());
  std::printf("\nplayer  fps  stages cleared  continues used  lives lost  minutes  endings\n");
  for (const Skill* skill : kSkills) {
    for (int rate = 0; rate < 2; ++rate) {
      RunResult sum;
      int endings = 0;
      for (int run = 0; run < runs; ++run) {
        const uint32_t seed = static_cast<uint32_t>(run * 104729 + rate * 7919 + 1);
        const RunResult r = PlayRun(pack.Dir(), *skill, kFrameMs[rate], seed);
        sum.stages_cleared += r.stages_cleared;
        sum.continues_used += r.continues_used;
        sum.lives_lost += r.lives_lost;
        sum.minutes += r.minutes;
        endings += r.ending ? 1 : 0;
      }
      const double n = runs;
      std::printf("%-7s %3d %15.1f %15.1f %11.1f %8.1f %5d/%d\n", skill->name, kFps[rate],
                  sum.stages_cleared / n, sum.continues_used / n, sum.lives_lost / n,
                  sum.minutes / n, endings, runs);
      std::fflush(stdout);
    }
  }
  return 0;
}
