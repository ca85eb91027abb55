#include "game/sound_pan.h"

#include <algorithm>

#include "content/game_params.h"
#include "game/game_math.h"

namespace {

constexpr double kMiddle = 320.0, kHalfField = 288.0;  // the play-field runs from 32 to 608
// At a side wall the far speaker still sounds: a hard pan sounds like a fault.
constexpr double kWallPan = 70.0;

}  // namespace

int PanAt(double x) {
  if (g_param.PAN_EFFECTS == 0) return 0;
  return std::clamp(Trunc((x - kMiddle) / kHalfField * kWallPan), -100, 100);
}

int PanOf(const Character& c) { return PanAt(double{c.x} + c.size_x / 2.0); }
