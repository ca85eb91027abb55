// Records one stage as the expert plays it on the headless backend, at 33 ms a
// frame (34 now and then, by the seed): from the title through the stage's card
// to its clear, then by the menu of the next stage back to the title, or on
// through the whole ending when it was the last, and out by the title's last
// entry. The work folder's data/ names the stage a new game starts at;
// pictures, sounds and music come from the pack. `lantern-drift --replay RECORD
// --headless`, run in the work folder, replays it exactly.
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

// Enter through every scene but play and the ending, which plays out. Once the
// stage is cleared, the next stage's menu goes back to the title; once the game
// has ended, Up to the title's last entry and Enter, which saves and quits.
struct Driver {
  HeadlessPlatform& hp;
  std::function<void()> player;
  int stage = 0;
  int stock_left = -1;  // lives left at the clear; -1 while not cleared
  bool over = false;
  uint32_t last_press = 0;

  void Frame() {
    if (g_state.scene == SCENE_ENDING || g_state.scene == SCENE_GAME_OVER) over = true;
    if (g_state.scene == SCENE_GAME) {
      if (g_game.result == 2 && g_game.stage == stage) stock_left = g_game.stock;
      if (g_state.play_running == 1 && g_game.stage > stage && !over)
        LeaveByMenu();
      else if (g_state.play_running == 1)
        player();
    } else if (g_state.scene == SCENE_TITLE && over) {
      if (g_state.scene_entry == 1) {
        hp.PressKey(hp.now + 300, VK_UP);
        hp.PressKey(hp.now + 600, VK_RETURN);
      }
    } else if (g_state.scene != SCENE_ENDING && hp.now - last_press >= 250) {
      hp.PressKey(hp.now, VK_RETURN, 30);
      last_press = hp.now;
    }
  }

  void LeaveByMenu() {
    hp.PressKey(hp.now, VK_ESCAPE);
    hp.PressKey(hp.now + 300, VK_UP);
    hp.PressKey(hp.now + 600, VK_RETURN);
    over = true;
  }
};

std::string Hex(const std::string& bytes) {
  std::string hex;
  for (unsigned char c : bytes)
    hex += "0123456789abcdef"[c >> 4], hex += "0123456789abcdef"[c & 15];
  return hex;
}

}  // namespace

int main(int argc, char** argv) {
  const long stage = argc == 6 ? std::strtol(argv[3], nullptr, 10) : 0;
  if (stage < 1 || stage > 999) {
    std::fprintf(
        stderr,
        "usage: golden_play GAME_DIR WORK_DIR STAGE RECORD SEED\n"
        "  records the expert playing STAGE (1 to 999), where WORK_DIR/data/game.dat\n"
        "  starts a new game, with the pictures, sounds and music of the pack in GAME_DIR\n");
    return 2;
  }
  const std::string game = std::filesystem::absolute(argv[1]).string() + "/";
  const std::string work = std::filesystem::absolute(argv[2]).string() + "/";
  const auto seed = static_cast<uint32_t>(std::strtoul(argv[5], nullptr, 10));
  Options options;
  options.record = std::filesystem::absolute(argv[4]).string();  // the run moves to the game folder
  std::string temp = (std::filesystem::temp_directory_path() / "ld-golden-XXXXXX").string();
  if (mkdtemp(temp.data()) == nullptr) {
    std::perror(
        "golden_play: cannot make a folder under $TMPDIR; set TMPDIR to one that may be written");
    return 1;
  }
  std::ofstream(temp + "/config.ini", std::ios::binary) << "FULL_SCREEN=0\r\n";
  const Folders folders{game,
                        work,
                        temp + "/config.ini",
                        temp + "/save.dat",
                        temp + "/save.dat",
                        temp + "/DEBUG.TXT"};

  HeadlessPlatform hp;
  hp.program_path = game + "lantern-drift";
  hp.stop_at = kLimitMs;
  std::mt19937 jitter(seed);
  Driver driver{hp, MakePlayer(hp, kExpert, seed), static_cast<int>(stage)};
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
  std::printf("save %s\n", Hex(save).c_str());
  if (driver.stock_left < 0)
    std::printf("lost stage %ld with seed %u\n", stage, seed);
  else
    std::printf("cleared stage %ld, lives left %d, seed %u\n", stage, driver.stock_left, seed);
  return 0;
}
