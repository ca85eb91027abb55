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
// The ranking to write over the file's: disk is what the file holds (nothing
// when it holds no ranking), synced what this copy last read there or wrote,
// ours what it holds now. A file nobody changed meanwhile gets ours as it
// stands; otherwise the five best of the file's scores, those this copy read
// there that the file lost since, and those this copy added, equal scores
// counted one by one.
Scores MergeRanking(const std::optional<Scores>& disk, const Scores& synced, const Scores& ours);

// Whether a save may replace the file: it is missing, empty or holds a ranking.
// Anything else is the player's and is left as it is.
bool IsOwnSaveFile(const std::string& file);
// Reads the ranking from shown and keeps file as the place every later write
// goes. shown differs from file where the game folder's save.dat is passed
// over (read-only, unreadable, or holding no ranking): one line says so.
void ReadSaveFile(const std::string& file, const std::string& shown);
inline void ReadSaveFile(const std::string& file) { ReadSaveFile(file, file); }
// Writes save.dat, merged under a lock with the ranking another copy of the
// game saved there meanwhile; false when it could not be written (the lock
// stayed taken for the whole wait, the file is not a ranking, the disk
// refused), the scores then kept for the next save.
bool WriteSaveFile();
// Where save.dat is written.
const std::string& SaveFilePath();
// Carries a finished game's score to its place, then saves the ranking.
void InsertScore(int score);
