// What every content fuzz target shares: a folder of its own with a picture and
// a sound that the fuzzed names may find, and a fresh headless platform and
// fresh globals for every input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/headless/headless_platform.h"

class FuzzHome {
 public:
  FuzzHome();
  // Writes the input to name (relative, '/' between folders) and starts from
  // the program's start state, with the display and the sound set up.
  void Begin(const std::string& name, const uint8_t* data, size_t size);

 private:
  std::string dir_;
  platform::HeadlessPlatform* hp_ = nullptr;
};
