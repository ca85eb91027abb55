// Overflow-free arithmetic for values that come from content files.
#pragma once

#include <climits>
#include <cmath>
#include <cstdint>

// Toward zero, clamped to the int range; NaN gives 0. Inline: the play frame
// calls it for every character, shot segment and pair.
inline int Trunc(double v) {
  if (std::isnan(v)) return 0;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(v);
}
// Clamps to the int range.
int Saturate(int64_t v);
inline int AbsSat(int v) { return v == INT_MIN ? INT_MAX : (v < 0 ? -v : v); }
inline void AddSat(int& target, int64_t amount) { target = Saturate(int64_t{target} + amount); }
