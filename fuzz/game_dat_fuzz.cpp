// game.dat from arbitrary bytes.
#include <cstdlib>

#include "content/game_dat.h"
#include "content/game_params.h"
#include "fuzz_home.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzHome home;
  home.Begin("Data/game.dat", data, size);
  ReadGameParams("Data\\game.dat");
  // The shot's trail has 64 segments; nothing else may be stored.
  if (g_param.SHOT_SHADOW < 0 || g_param.SHOT_SHADOW > 64) std::abort();
  return 0;
}
