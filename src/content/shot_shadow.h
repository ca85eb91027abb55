// "SHOT_SHADOW:", given by game.dat and by the stage files.
#pragma once

#include <optional>

#include "content/game_params.h"
#include "content/tagged_text.h"

// The directive's value for SHOT_SHADOW, or the error of a value outside 1..64
// (the shot's trail has 64 segments).
std::optional<ContentError> ReadShotShadow(const TaggedText& text, ParamValue& out);
