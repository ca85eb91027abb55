// game.dat's reader on arbitrary bytes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "content/game_dat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const GameDat dat = ReadGameDat({reinterpret_cast<const char*>(data), size}, "game.dat");
  // Reading goes on after a refused line: each error names its own line, in file order.
  for (size_t i = 0; i < dat.errors.size(); ++i)
    if (dat.errors[i].line < 1 || (i > 0 && dat.errors[i].line < dat.errors[i - 1].line))
      std::abort();
  // The shot's trail has 64 segments; nothing else may be stored.
  for (const GameDat::Line& l : dat.lines) {
    const auto* v = std::get_if<ParamValue>(&l.effect);
    if (v != nullptr && v->field == &GameParams::SHOT_SHADOW && (v->value < 1 || v->value > 64))
      std::abort();
  }
  return 0;
}
