// lantern-drift --check: every problem of a content folder, for people who make stages.
#pragma once

#include <optional>
#include <ostream>
#include <string>

// Reads what a game reads under folder, in the order it reads it: game.dat,
// the opening, the title's and the menus' own pictures and music, each stage
// from INIT_STAGE on with its introduction while the stages go on, the ending
// and game-over scripts, and every picture, wave and MIDI file they name, each
// from folder when it holds the file, else from the pack (UsePackDir). Prints
// each error (the game would refuse, fail to load or quit) and each warning
// (a value the formats forbid that the game tolerates) as "path:line: reason",
// then a summary line. 1 when there is an error, or a warning and strict; else 0.
// Notes (what the formats allow but an author may not mean) are printed, not
// counted. With a stage: game.dat and that stage alone.
int CheckContent(const std::string& folder, std::ostream& out, bool strict = false,
                 std::optional<int> stage = std::nullopt);
