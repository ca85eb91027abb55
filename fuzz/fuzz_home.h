// What the picture and wave fuzz targets share: a folder of their own with a picture and
// a sound that the fuzzed names may find, a headless platform, and the
// program's start state again for every input.
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

  platform::HeadlessPlatform hp;

 private:
  std::string dir_;
};
