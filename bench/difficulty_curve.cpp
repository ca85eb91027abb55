// The difficulty curve of the default pack: scripted players of graded skill play
// every stage from its start, headless, at 60, 30 and 20 frames a second, several
// times each with different frame-time jitter and player errors. Prints, per stage
// and player, the clear rate at each frame rate, the seconds used of the stage
// time, the lives lost and how many runs ran out of time.
//
//   difficulty_curve [RUNS [FIRST_STAGE [LAST_STAGE]]]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/stage_data.h"
#include "players/scripted_player.h"

namespace {

constexpr uint32_t kFrameMs[] = {16, 33, 50};  // 60, 30 and 20 frames a second
constexpr const Skill* kSkills[] = {&kIdle, &kNovice, &kSteady, &kExpert};

struct Row {
  int clears[3] = {};
  int timeouts = 0, runs = 0, stage_seconds = 0;
  double seconds = 0, lives = 0;
};

Row Measure(int stage, const Skill& skill, int runs) {
  Row row;
  for (int rate = 0; rate < 3; ++rate) {
    for (int run = 0; run < runs; ++run) {
      const uint32_t seed = static_cast<uint32_t>(stage * 7919 + run * 104729 + rate);
      const StageResult r = PlayStage(LD_GAME_DIR, stage, skill, kFrameMs[rate], seed);
      row.clears[rate] += r.cleared ? 1 : 0;
      row.timeouts += r.timed_out ? 1 : 0;
      row.seconds += r.seconds_used;
      row.lives += r.lives_lost;
      row.stage_seconds = r.stage_seconds;
      ++row.runs;
    }
  }
  return row;
}

int Percent(int part, int whole) { return whole == 0 ? 0 : (100 * part + whole / 2) / whole; }

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 4;
  const int first = argc > 2 ? std::atoi(argv[2]) : 1;
  const int last = argc > 3 ? std::atoi(argv[3]) : 10;
  if (runs < 1 || first < 1 || last < first) {
    std::fprintf(stderr,
                 "usage: difficulty_curve [RUNS [FIRST_STAGE [LAST_STAGE]]], all at least 1\n");
    return 2;
  }
  std::printf("%d runs per stage, player and frame rate\n", runs);
  std::printf("stage player  clear%%@60 @30 @20  all  time used/of s  lives lost  timeouts%%\n");
  for (int stage = first; stage <= last; ++stage) {
    for (const Skill* skill : kSkills) {
      const Row row = Measure(stage, *skill, runs);
      const int all = row.clears[0] + row.clears[1] + row.clears[2];
      std::printf("%5d %-7s %9d %4d %4d %4d %9.0f/%-4d %11.2f %10d\n", stage, skill->name,
                  Percent(row.clears[0], runs), Percent(row.clears[1], runs),
                  Percent(row.clears[2], runs), Percent(all, row.runs), row.seconds / row.runs,
                  row.stage_seconds, row.lives / row.runs, Percent(row.timeouts, row.runs));
      std::fflush(stdout);
    }
  }
  return 0;
}
