#pragma once

// The four scenes that play a scene script.
void SceneOpening();
void SceneStageIntro();
void SceneEnding();
void SceneGameOver();
// Forgets the stage introduction being played.
void ResetScriptScenes();
