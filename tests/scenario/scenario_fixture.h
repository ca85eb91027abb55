// The real shell and scenes on the default content pack, headless, with a
// scripted player that looks at the scene every frame and presses keys.
#pragma once

#include <functional>
#include <string>

#include "support/headless_test.h"

class ScenarioTest : public HeadlessTest {
 protected:
  void SetUp() override;
  // Starts the program and runs it until it ends or the virtual time limit passes.
  int Run(const std::function<void()>& player, uint32_t limit_ms);
  // Presses a key now.
  void Press(int vk);
  // Presses a key at most once every interval milliseconds; true when it did.
  bool PressEvery(int vk, uint32_t interval_ms);
  // Starts the program again in the same folder, on a fresh platform.
  void Restart();

  std::string dir;

 private:
  uint32_t last_press_ = 0;
};
