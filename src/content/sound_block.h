// The sound block of game.dat and of the stage files: ten keys, one per sound role.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "content/game_params.h"

class TaggedText;

// A block line naming the wave of a sound role.
struct SoundLine {
  int SoundRoles::*role;
  std::string name;
};

std::optional<SoundLine> ReadSoundLine(TaggedText& text);
std::vector<std::string> SoundKeys();
// Loads the wave into its role (mix 3). The object that the role held is
// released once no role refers to it any more.
void ApplySoundLine(const SoundLine& line);
