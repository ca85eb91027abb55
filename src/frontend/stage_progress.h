// The stages this save has reached, for the stage select: stages.dat beside
// save.dat, the magic "ldstages" and one byte per stage 0..63, 1 when reached.
#pragma once

#include <array>
#include <string>
#include <string_view>

constexpr int kProgressStages = 64;
using Reached = std::array<bool, kProgressStages>;

// What the bytes say; a short or foreign file reaches nothing, a byte other
// than 1 leaves its stage unreached, bytes past the table are ignored.
Reached ReachedIn(std::string_view bytes);
std::string ProgressBytes(const Reached& reached);

std::string ProgressFile();  // beside save.dat
Reached ReadProgress();
// Adds the stage (ignored outside 0..63) and writes the file when it is new.
void MarkReached(int stage);
