#include "frontend/front_scenes.h"

void SceneRanking() {}
void SceneHowto() {}
