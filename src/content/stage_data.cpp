#include "content/stage_data.h"

StageHeader g_stage;
std::array<Character, MAX_CHARACTERS> g_chars;
std::array<StageObject, MAX_OBJECTS> g_objects;

void ResetStageData() {
  g_stage = StageHeader();
  g_chars.fill(Character());
  g_objects.fill(StageObject());
}
