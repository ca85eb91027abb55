// The stage file's reader on arbitrary bytes: every entry and count it gives
// fits its table, and the turn check stays inside the character table.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "content/stage_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const StageFile stage = ReadStageFile({reinterpret_cast<const char*>(data), size}, "data1.dat");
  // Reading goes on after a refused line: each error names its own line, in file order.
  for (size_t i = 0; i < stage.errors.size(); ++i)
    if (stage.errors[i].line < 1 || (i > 0 && stage.errors[i].line < stage.errors[i - 1].line))
      std::abort();
  for (const StageFile::Line& l : stage.lines) {
    if (const auto* v = std::get_if<StageValue>(&l.effect)) {
      const bool count =
          v->field == &StageHeader::ENEMY_NUMBER || v->field == &StageHeader::OBJECT_NUMBER;
      if (count && (v->value < 0 || v->value > 64)) std::abort();
    }
    if (const auto* e = std::get_if<OpenEnemy>(&l.effect); e && (e->entry < 0 || e->entry >= 64))
      std::abort();
    if (const auto* o = std::get_if<OpenObject>(&l.effect); o && (o->entry < 0 || o->entry >= 64))
      std::abort();
  }
  std::array<int, MAX_CHARACTERS> turns{};
  CheckTurns(stage, turns);
  return 0;
}
