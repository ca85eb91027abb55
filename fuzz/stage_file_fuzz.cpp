// A stage file from arbitrary bytes, read over the previous input's tables.
#include <cstdlib>

#include "content/game_params.h"
#include "content/stage_data.h"
#include "content/stage_file.h"
#include "fuzz_home.h"

namespace {

// The counts stay inside the tables, and an accepted stage fits the explosion slots.
void CheckTables() {
  if (g_stage.ENEMY_NUMBER < 0 || g_stage.ENEMY_NUMBER > MAX_CHARACTERS) std::abort();
  if (g_stage.OBJECT_NUMBER < 0 || g_stage.OBJECT_NUMBER > MAX_OBJECTS) std::abort();
  if (g_param.SHOT_SHADOW < 0 || g_param.SHOT_SHADOW > 64) std::abort();
  for (int i = 1; i < g_stage.ENEMY_NUMBER; ++i) {
    int held = 1;
    for (int j = 1; j < g_stage.ENEMY_NUMBER; ++j) held += g_chars[j].turn == g_chars[i].turn;
    if (held > 6) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzHome home;
  home.Begin("data/data1.dat", data, size);
  ReadStageFile("data\\data1.dat");
  CheckTables();
  return 0;
}
