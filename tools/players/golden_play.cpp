// Records a game as the expert plays it on the headless backend, at 33 ms a frame
// (34 now and then, by the seed): from the title through every stage it clears,
// each from its card to its clear, to the ending or the game-over scene, back to
// the title and out by its last entry. `lantern-drift --replay RECORD --headless`
// replays it exactly. The whole game has only the lives it starts with, so the
// run ends where the expert loses the last of them.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "game/game_state.h"
#include "platform/headless/headless_platform.h"
#include "players/scripted_player.h"
#include "scene/scene_state.h"
#include "shell/game_runs.h"

namespace {

using namespace platform;

constexpr uint32_t kFrameMs = 33;
constexpr uint32_t kLimitMs = 3600u * 1000u;  // far beyond a whole game: a stuck run ends here

// Enter through every scene but play. Once the game has ended, Up to the title's
// last entry and Enter, which saves and quits.
struct Driver {
  HeadlessPlatform& hp;
  std::function<void()> player;
  int cleared = 0;
  bool over = false;
  uint32_t last_press = 0;

  void Frame() {
    if (g_state.scene == SCENE_ENDING || g_state.scene == SCENE_GAME_OVER) over = true;
    if (g_state.scene == SCENE_GAME) {
      if (g_game.result == 2) cleared = g_game.stage;
      if (g_state.play_running == 1) player();
    } else if (g_state.scene == SCENE_TITLE && over) {
      if (g_state.scene_entry == 1) {
        hp.PressKey(hp.now + 300, VK_UP);
        hp.PressKey(hp.now + 600, VK_RETURN);
      }
    } else if (hp.now - last_press >= 250) {
      hp.PressKey(hp.now, VK_RETURN, 30);
      last_press = hp.now;
    }
  }
};

std::string Hex(const std::string& bytes) {
  std::string hex;
  for (unsigned char c : bytes) hex += "0123456789abcdef"[c >> 4], hex += "0123456789abcdef"[c & 15];
  return hex;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr,
                 "usage: golden_play GAME_DIR RECORD SEED\n"
                 "  records the expert playing the pack in GAME_DIR from the title to the end of its game\n");
    return 2;
  }
  const std::string game = std::filesystem::absolute(argv[1]).string() + "/";
  const auto seed = static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10));
  Options options;
  options.record = std::filesystem::absolute(argv[2]).string();  // the run moves to the game folder
  std::string temp = (std::filesystem::temp_directory_path() / "ld-golden-XXXXXX").string();
  if (mkdtemp(temp.data()) == nullptr) {
    std::perror("golden_play: cannot make a folder under $TMPDIR; set TMPDIR to one that may be written");
    return 1;
  }
  std::ofstream(temp + "/config.ini", std::ios::binary) << "FULL_SCREEN=0\r\n";
  const Folders folders{game, game, temp + "/config.ini", temp + "/save.dat", temp + "/save.dat",
                        temp + "/DEBUG.TXT"};

  HeadlessPlatform hp;
  hp.program_path = game + "lantern-drift";
  hp.stop_at = kLimitMs;
  std::mt19937 jitter(seed);
  Driver driver{hp, MakePlayer(hp, kExpert, seed)};
  hp.on_frame = [&] {
    hp.frame_ms = kFrameMs + (jitter() & 1u);
    driver.Frame();
  };
  const int code = RecordGame(options, folders, hp);
  std::ifstream saved(temp + "/save.dat", std::ios::binary);
  const std::string save{std::istreambuf_iterator<char>(saved), {}};
  std::filesystem::remove_all(temp);
  if (code != 0) return code;
  if (!driver.over || g_state.scene != SCENE_TITLE || hp.now >= kLimitMs) {
    std::fprintf(stderr, "golden_play: seed %u: the run stuck in scene %d at %u ms\n", seed,
                 g_state.scene, hp.now);
    return 1;
  }
  std::printf("save %s\ncleared %d stages with seed %u\n", Hex(save).c_str(), driver.cleared, seed);
  return 0;
}
