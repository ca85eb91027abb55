// Bounds of the character, stage object and trail tables as the data gives them.
#pragma once

#include <algorithm>

#include "content/game_params.h"
#include "content/stage_data.h"
#include "game/game_state.h"

inline int CharCount() { return std::clamp(g_stage.ENEMY_NUMBER, 0, MAX_CHARACTERS); }
inline int ObjectCount() { return std::clamp(g_stage.OBJECT_NUMBER, 0, MAX_OBJECTS); }
// The head always exists, and the trail never runs past its table.
inline int ShadowCount() { return std::clamp(g_param.SHOT_SHADOW, 1, MAX_SHADOW); }
inline bool InPlay(const Character& c) {
  return c.state == STATE_ACTIVE || c.state == STATE_PROTECTED;
}
