#pragma once

// SCENE_GAME: one stage of a game.
void SceneGame();
// Run by the title menu before the first stage.
void NewGameSetup();
// Releases a stage's pictures; does nothing unless a game is in progress.
void StageCleanup();
// Ends the stage being played where it stands, releasing its pictures and the
// menu's, without choosing the next scene; nothing outside a played stage.
void AbandonStage();

// After game over, with a continue left: the same stage again with a fresh
// stock and score 0; the caller has ranked the ended game's score. false
// when none is left.
bool ContinueGame();
