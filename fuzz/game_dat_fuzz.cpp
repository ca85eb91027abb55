// game.dat's reader on arbitrary bytes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "content/game_dat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const GameDat dat = ReadGameDat({reinterpret_cast<const char*>(data), size}, "game.dat");
  if (dat.errors.size() > 1) std::abort();  // reading stops at the refused line
  // The shot's trail has 64 segments; nothing else may be stored.
  for (const GameDat::Line& l : dat.lines) {
    const auto* v = std::get_if<ParamValue>(&l.effect);
    if (v != nullptr && v->field == &GameParams::SHOT_SHADOW && (v->value < 1 || v->value > 64))
      std::abort();
  }
  return 0;
}
