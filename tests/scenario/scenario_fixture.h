// The real shell and scenes on the default content pack, headless, with a
// scripted player that looks at the scene every frame and presses keys.
#pragma once

#include <unistd.h>

#include <fstream>
#include <functional>
#include <string>

#include "shell/main_loop.h"
#include "shell/program_reset.h"
#include "support/headless_test.h"

class ScenarioTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    dir = MakeTempDir();
    ASSERT_EQ(symlink(LD_GAME_DIR "/data", (dir + "data").c_str()), 0);
    std::ofstream("config.ini", std::ios::binary) << "FULL_SCREEN=0\r\n";
    hp.program_path = LD_GAME_DIR "/lantern-drift";
  }
  // Starts the program and runs it until it ends or the virtual time limit passes.
  int Run(const std::function<void()>& player, uint32_t limit_ms) {
    hp.on_frame = player;
    hp.stop_at = hp.now + limit_ms;
    return RunGame();
  }
  void Press(int vk) {
    hp.PressKey(hp.now, vk, 30);
    last_press_ = hp.now;
  }
  // Presses a key at most once every interval milliseconds; true when it did.
  bool PressEvery(int vk, uint32_t interval_ms) {
    if (hp.now - last_press_ < interval_ms) return false;
    Press(vk);
    return true;
  }
  // Starts the program again in the same folder, on a fresh platform.
  void Restart() {
    const uint32_t now = hp.now;
    const std::string program = hp.program_path;
    ResetProgramState();
    hp = platform::HeadlessPlatform();
    hp.keep_frames = true;
    hp.now = now;
    hp.program_path = program;
    platform::Set(&hp);
    last_press_ = 0;
  }

  std::string dir;

 private:
  uint32_t last_press_ = 0;
};
