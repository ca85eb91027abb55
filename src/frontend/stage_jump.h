// An author's run: --stage N starts a new game at stage N, past the opening and
// the title, and F5 then reloads the pack's files and restarts the stage.
#pragma once

#include <string>

// Why stage cannot be jumped to in the game folder (its game.dat and stage
// file); empty when it can.
std::string StageJumpRefusal(const std::string& game_folder, int stage);
// Makes this run start at stage, once game.dat has been read.
void JumpToStage(int stage);
// The boot's way on after game.dat: true when it went to the stage.
bool StartStageJump();
// F5: reads game.dat and the stage file again; a refused file shows its box
// and the stage being played goes on. Nothing outside a stage of an author's run.
void ReloadStage();
void ResetStageJump();
