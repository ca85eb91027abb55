#pragma once

// SCENE_GAME: one stage of a game.
void SceneGame();
// Run by the title menu before the first stage.
void NewGameSetup();
// Releases a stage's pictures; does nothing unless a game is in progress.
void StageCleanup();
