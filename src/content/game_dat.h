// The game parameter file: its reader and the step that applies what it says.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "content/game_params.h"
#include "content/sound_block.h"
#include "content/tagged_text.h"

// A picture loaded into a parameter, in the given load mode.
struct ParamPicture {
  int GameParams::*field;
  std::string name;
  int mode;
};

using GameDat = Parsed<std::variant<ParamValue, ParamPicture, SoundLine>>;

// The English line of the box the game shows when it refuses game.dat.
constexpr const char* kGameDatRefusedEnglish = "game.dat could not be read.";

// A refused line is left out and reading goes on.
GameDat ReadGameDat(std::string_view bytes, const std::string& file);
// The data file at name (relative to the current directory).
GameDat ReadGameDatFile(const std::string& name);
// Writes the parameters and loads the pictures and sounds, in file order, up
// to the first refused line.
void ApplyGameDat(const GameDat& dat);
std::vector<NamedFile> NamedFiles(const GameDat& dat);
std::vector<KnownKeys> GameDatKeys();
