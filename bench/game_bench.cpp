// A full stage through the game scene's play frame: 64 chasing, animated
// characters, 64 stage objects, a 64-segment shot in flight, the heads-up
// display and the frame-rate overlay, drawn and updated on the headless backend.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "content/game_params.h"
#include "content/stage_data.h"
#include "game/game_scene.h"
#include "game/game_state.h"
#include "library/draw/el_draw.h"
#include "library/ui/start.h"
#include "platform/headless/headless_platform.h"
#include "scene/scene_state.h"
#include "shell/program_reset.h"
#include "support/test_bytes.h"

namespace {

// A 24-bit BMP with a checker of two colours, so that keyed drawing has holes.
int Picture(const std::string& name, int w, int h) {
  test_bytes::WriteFile("img/" + name, test_bytes::Bmp24(w, h, [](int x, int y) {
                          return ((x / 4 + y / 4) % 2) != 0 ? 0x3080C0u : 0u;
                        }));
  return g_draw.LoadObject("img\\" + name, elDraw::kOrdinary);
}

void SetUpStage() {
  g_stage.ENEMY_NUMBER = MAX_CHARACTERS;
  g_stage.OBJECT_NUMBER = MAX_OBJECTS;
  g_stage.MAX_TURN = 1;
  g_stage.STAGE_HARD = 0.8f;
  g_stage.INIT_TIME = 999;
  g_stage.BG = Picture("bg.bmp", 640, 480);
  g_stage.FONT = Picture("font.bmp", 91, 20);
  g_stage.GAGE = Picture("gage.bmp", 200, 19);
  g_stage.GAGE_BASE = Picture("base.bmp", 640, 32);
  g_param.STOCK_IMG = Picture("stock.bmp", 15, 15);
  g_param.SHOT_IMG = Picture("shot.bmp", 16, 16);
  g_param.SHOT_SIZE_X = g_param.SHOT_SIZE_Y = 16;
  g_param.SHOT_SHADOW = 64;
  const int sheet = Picture("chara.bmp", 256, 64);
  const int object = Picture("object.bmp", 64, 32);
  for (int i = 0; i < MAX_CHARACTERS; ++i) {
    Character& c = g_chars[i];
    c.x = static_cast<float>(40 + (i % 8) * 70);
    c.y = static_cast<float>(40 + (i / 8) * 50);
    c.size_x = c.size_y = 32;
    c.ax = c.ay = 200;
    c.max = 300;
    c.hp = c.init_hp = 1000000000;
    c.hard = 1.0f;
    c.state = STATE_ACTIVE;
    c.ai = i == 0 ? 0 : 1;
    c.img = sheet;
    c.animation = 1;
    c.bom_last_img = 4;
  }
  for (int k = 0; k < MAX_OBJECTS; ++k) {
    StageObject& o = g_objects[k];
    o = {40 + (k % 8) * 72, 60 + (k / 8) * 48, 1.0f, k % 2, object, 32, 32, 1, 1};
  }
  g_game.stock = 5;
  g_game.score = 12345;
  g_state.fps_display = 1;
  g_state.play_running = 1;
  g_state.game_in_progress = 1;
  g_state.scene_entry = 0;
  g_state.frame_delta = 1.0f / 60;
}

// The shot hangs in the middle of the field with its whole trail drawn out.
void KeepShotFlying() {
  Shot& s = g_game.shot;
  s.state = SHOT_FLYING;
  s.direction = 1;
  for (int i = 0; i < MAX_SHADOW; ++i) {
    s.x[i] = 600.0f - 8.0f * static_cast<float>(i);
    s.y[i] = 460.0f;
    s.moving[i] = 0;
  }
}

void BM_GameFrame(benchmark::State& state) {
  platform::HeadlessPlatform hp;
  platform::Set(&hp);
  char dir[] = "/tmp/ld-bench-XXXXXX";
  if (mkdtemp(dir) == nullptr || chdir(dir) != 0) {
    state.SkipWithError("no temporary folder");
    return;
  }
  ResetProgramState();
  StartLibrary(640, 480, 1);
  SetUpStage();
  // One iteration is one frame: the time per iteration is the time per frame.
  for (auto _ : state) {
    KeepShotFlying();
    SceneGame();
    hp.now += 16;
  }
  benchmark::DoNotOptimize(hp.frame.data());
  std::filesystem::remove_all(dir);
  platform::Set(nullptr);
}
BENCHMARK(BM_GameFrame)->Iterations(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
