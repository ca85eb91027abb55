// The ranking screen and the how-to screen.
#pragma once

void SceneRanking();
void SceneHowto();
