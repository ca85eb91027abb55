// The five best scores and the save file that keeps them.
#pragma once

#include <array>
#include <string>

// Slots 0..4: the five best scores, highest first; slot 5: scratch for an insertion.
extern std::array<int, 6> g_ranking;

void ResetRanking();

void ReadSaveFile(const std::string& file);
// Writes save.dat; false when it could not be written.
bool WriteSaveFile();
// Carries a finished game's score to its place, then saves the ranking.
void InsertScore(int score);
