// config.ini from arbitrary bytes.
#include <cstdlib>
#include <string_view>

#include "shell/config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Config c = ReadConfig(std::string_view(reinterpret_cast<const char*>(data), size));
  if ((c.full_screen | c.fps) & ~1) std::abort();
  if (c.music_volume < 0 || c.music_volume > 100 || c.sound_volume < 0 || c.sound_volume > 100)
    std::abort();
  return 0;
}
