// config.ini from arbitrary bytes.
#include <cstdlib>

#include "fuzz_home.h"
#include "shell/config.h"
#include "scene/scene_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzHome home;
  home.Begin("config.ini", data, size);
  ReadConfig("config.ini");
  if ((g_config_full_screen | g_state.fps_display) & ~1) std::abort();
  return 0;
}
