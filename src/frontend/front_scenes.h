#pragma once

void SceneTitle();
void SceneRanking();
void SceneHowto();
