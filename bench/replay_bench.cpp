// Headless replay speed: a minute of scripted play on the default content,
// recorded once, then replayed with no window and no sound.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/frame_checksum.h"
#include "platform/headless/headless_platform.h"
#include "platform/record/record_platforms.h"
#include "scene/scene_state.h"
#include "shell/main_loop.h"
#include "shell/program_reset.h"

namespace {

using namespace platform;

// A scratch folder with the default content that becomes the current one.
void EnterScratchFolder() {
  const std::string dir =
      std::filesystem::temp_directory_path() / ("ld-replay-bench-" + std::to_string(getpid()));
  const bool made = std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  if (!made) return;
  std::filesystem::create_symlink(LD_GAME_DIR "/data", "data");
  std::ofstream("config.ini") << "FULL_SCREEN=0\r\n";
}

// A minute of scripted play on the headless platform, written to run.rec when
// record is set; the frames presented.
int PlayScriptedMinute(bool record) {
  HeadlessPlatform hp;
  hp.program_path = LD_GAME_DIR "/lantern-drift";
  RecordWriter writer;
  std::string why;
  if (record) writer.Open("run.rec", {"bench", 1, "FULL_SCREEN=0\r\n", std::nullopt}, why);
  RecordingPlatform recording(hp, writer);
  Set(record ? static_cast<Platform*>(&recording) : &hp);
  ResetProgramState();
  uint32_t last_press = 0;
  int step = 0;
  hp.on_frame = [&] {
    if (g_state.scene == SCENE_GAME) {
      hp.HoldKey(hp.now, (++step / 40) % 2 ? VK_LEFT : VK_RIGHT, 20);
      hp.HoldKey(hp.now, VK_SPACE, 20);
    } else if (hp.now - last_press > 300) {
      hp.PressKey(hp.now, VK_RETURN, 30);
      last_press = hp.now;
    }
  };
  hp.stop_at = 60 * 1000;
  std::filesystem::remove("save.dat");
  RunGame();
  if (record) recording.Finish();
  Set(nullptr);
  return hp.frames_presented;
}

// Records the game in the scratch folder; the record's bytes.
std::string RecordGame() {
  EnterScratchFolder();
  PlayScriptedMinute(true);
  std::ifstream in("run.rec", std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The same minute played, and played while recorded: the difference per frame,
// times the frames of a second, is what recording costs a player.
void BM_ScriptedMinute(benchmark::State& state) {
  EnterScratchFolder();
  int frames = 0;
  for (auto _ : state) frames = PlayScriptedMinute(state.range(0) != 0);
  state.counters["frames"] = frames;
  state.SetLabel(state.range(0) != 0 ? "recorded" : "played");
}
BENCHMARK(BM_ScriptedMinute)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_HeadlessReplay(benchmark::State& state) {
  const Record record = ParseRecord(RecordGame());
  int frames = 0;
  for (auto _ : state) {
    std::filesystem::remove("save.dat");
    HeadlessPlatform output;
    output.answer_boxes = false;
    output.program_path = LD_GAME_DIR "/lantern-drift";
    ReplayingPlatform replaying(output, record);
    Set(&replaying);
    ResetProgramState();
    RunGame();
    replaying.Finish();
    Set(nullptr);
    if (!replaying.stopped().empty()) state.SkipWithError(replaying.stopped().c_str());
    frames = replaying.frames();
  }
  state.counters["recorded_frames"] = frames;
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(frames) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  std::filesystem::remove_all(std::filesystem::current_path());
}
BENCHMARK(BM_HeadlessReplay)->Unit(benchmark::kMillisecond);

// The checksum of one 640x480 frame, against the floor: one copy of it.
void BM_FrameChecksum(benchmark::State& state) {
  std::vector<uint16_t> frame(640 * 480);
  for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint16_t>(i * 2654435761u >> 16);
  for (auto _ : state) benchmark::DoNotOptimize(FrameChecksum(frame.data(), 640, 480, 640));
}
BENCHMARK(BM_FrameChecksum)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
