#pragma once

#include <array>
#include <string>

// Slots 0..4: the five best scores, highest first; slot 5: scratch for an insertion.
extern std::array<int, 6> g_ranking;

void ReadSaveFile(const std::string& file);
void WriteSaveFile();
void InsertScore(int score);
