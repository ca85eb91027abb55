// save.dat from arbitrary bytes: a ranking, or nothing, never more than five scores.
#include <cstdlib>
#include <string_view>

#include "frontend/save_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Scores base{1, 2, 3, 4, 5};
  const std::optional<Scores> scores = ScoresIn(bytes, base);
  // A file cut short leaves the scores it does not hold as they were.
  if (scores && size < 27 && (*scores)[4] != base[4]) std::abort();
  return 0;
}
