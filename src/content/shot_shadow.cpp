#include "content/shot_shadow.h"

#include <string>

#include "library/system/text_values.h"

namespace {
constexpr int kMaxShadow = 64;  // trail segments the shot can hold
}  // namespace

std::optional<ContentError> ReadShotShadow(const TaggedText& text, ParamValue& out) {
  const int value = ToInt(text.Value());
  if (value < 1 || value > kMaxShadow)
    return text.Error("SHOT_SHADOW " + std::to_string(value) +
                      " is outside 1..64; give a trail of 1 to 64 segments");
  out = {&GameParams::SHOT_SHADOW, value};
  return std::nullopt;
}
