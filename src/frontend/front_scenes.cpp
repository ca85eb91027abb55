#include "frontend/front_scenes.h"

#include "library/draw/el_draw.h"

void SceneTitle() {
  g_draw.ClearScreen();
  g_draw.Present();
}
void SceneRanking() {}
void SceneHowto() {}
