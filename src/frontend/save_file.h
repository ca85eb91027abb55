// The five best scores and save.dat, the file that keeps them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// Slots 0..4: the five best scores, highest first; slot 5: scratch for an insertion.
extern std::array<int, 6> g_ranking;

void ResetRanking();

using Scores = std::array<int, 5>;
// The ranking in save.dat's bytes: a file cut short gives the scores it holds
// over `scores`; nothing when the bytes hold no ranking.
std::optional<Scores> ScoresIn(std::string_view bytes, Scores scores);

// Reads the ranking from shown (save.dat where the player may read it but not
// write it) and keeps file as the place every later write goes.
void ReadSaveFile(const std::string& file, const std::string& shown);
inline void ReadSaveFile(const std::string& file) { ReadSaveFile(file, file); }
// Writes save.dat, merged under a lock with the ranking another copy of the
// game saved there meanwhile; false when it could not be written.
bool WriteSaveFile();
// Where save.dat is written.
const std::string& SaveFilePath();
// Carries a finished game's score to its place, then saves the ranking.
void InsertScore(int score);
