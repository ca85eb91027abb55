// The stage file: its reader and the step that applies it to the stage header,
// the character table and the stage object table.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "content/game_params.h"
#include "content/sound_block.h"
#include "content/stage_data.h"
#include "content/tagged_text.h"

struct StageValue {
  int StageHeader::*field;
  int value;
};
struct StagePicture {
  int StageHeader::*field;
  std::string name;
  int mode;
};
struct StageHard {
  float value;
};
struct StageBgm {
  std::string name;
};
struct StageClearBonus {
  int value;
};
// "CARD_TITLE:" and "CARD_HINT:", keys of our own: what the stage's
// introduction writes over its card, as the file spells it.
struct StageCard {
  bool hint;
  std::string text;
};
// "ENEMY:" and "OBJECT:": the entry is inside its table.
struct OpenEnemy {
  int entry;
};
struct OpenObject {
  int entry;
};
// A block line of an entry: the key's number in its block and the value as the line gives it.
struct EnemyLine {
  int entry;
  int key;
  std::string value;
};
struct ObjectLine {
  int entry;
  int key;
  std::string value;
};

using StageFile =
    Parsed<std::variant<ParamValue, SoundLine, StageValue, StagePicture, StageHard, StageBgm,
                        StageClearBonus, OpenEnemy, OpenObject, EnemyLine, ObjectLine, StageCard>>;

// The English line of the box the game shows when it refuses a stage file.
constexpr const char* kStageRefusedEnglish = "The stage data could not be read.";

// A refused line is left out and reading goes on.
StageFile ReadStageFile(std::string_view bytes, const std::string& file);
// The data file at name (relative to the current directory).
StageFile ReadStageFileAt(const std::string& name);

// Sets the header's start values, then writes the tables and loads the
// pictures and sounds in file order, up to the first refused line. Gives the
// error that refuses the file (its first own, or a turn that holds too many
// characters); a refused file that was read leaves both counts at 0.
std::optional<ContentError> ApplyStageFile(const StageFile& file);

// turns: each character's turn before the file; after it, the turns the file
// leaves. The error when a turn then holds more than six characters.
std::optional<ContentError> CheckTurns(const StageFile& file,
                                       std::array<int, MAX_CHARACTERS>& turns);

// What a stage file leaves for the next: each character's turn, MAX_TURN and INIT_TIME.
struct StageCarry {
  std::array<int, MAX_CHARACTERS> turns{};
  int max_turn = 0;
  int init_time = 0;
};

// The least stage time that one turn needs, in seconds.
constexpr int kSecondsPerTurn = 10;

// Warnings of the stage as the game will play it, given the carry after
// CheckTurns: entries at or past ENEMY_NUMBER or OBJECT_NUMBER, entries in play
// that the file does not give, characters whose turn never comes, and less
// than kSecondsPerTurn of INIT_TIME for each turn. Carries MAX_TURN and INIT_TIME on.
std::vector<ContentError> PlayWarnings(const StageFile& file, StageCarry& carry);

std::vector<NamedFile> NamedFiles(const StageFile& file);
std::vector<KnownKeys> StageFileKeys();
