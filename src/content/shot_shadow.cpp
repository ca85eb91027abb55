#include "content/shot_shadow.h"

#include <string>

#include "content/game_params.h"
#include "content/tagged_text.h"
#include "library/system/text_values.h"

namespace {
constexpr int kMaxShadow = 64;  // trail segments the shot can hold
}  // namespace

bool ReadShotShadow(const TaggedText& text) {
  const int value = ToInt(text.Value());
  if (value < 1 || value > kMaxShadow) {
    text.Complain("SHOT_SHADOW " + std::to_string(value) + " is outside 1..64");
    return false;
  }
  g_param.SHOT_SHADOW = value;
  return true;
}
