// A scene script from arbitrary bytes, played for a while with Enter pressed now and then.
#include <cstdlib>

#include "content/scene_player.h"
#include "fuzz_home.h"
#include "library/draw/el_draw.h"
#include "scene/scene_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzHome home;
  home.Begin("data/demo_op.dat", data, size);
  g_state.fps_display = size % 2 == 0 ? 1 : 0;
  g_state.scene_entry = 1;
  // 40 ms frames: a second of play, long enough for a default fade.
  for (int frame = 0; frame < 25; ++frame) {
    g_state.select = frame % 2;
    if (PlaySceneScript("data\\demo_op.dat") == 0) break;
    g_state.scene_entry = 0;
  }
  AbandonSceneScript();
  // Every picture that the script loaded is released again.
  if (g_draw.LoadedCount() != 0) std::abort();
  return 0;
}
