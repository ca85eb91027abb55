// Overflow-free arithmetic for values that come from content files.
#pragma once

#include <climits>
#include <cstdint>

// Toward zero, clamped to the int range; NaN gives 0.
int Trunc(double v);
// Clamps to the int range.
int Saturate(int64_t v);
inline int AbsSat(int v) { return v == INT_MIN ? INT_MAX : (v < 0 ? -v : v); }
inline void AddSat(int& target, int64_t amount) { target = Saturate(int64_t{target} + amount); }
