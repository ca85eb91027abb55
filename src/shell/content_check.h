// lantern-drift --check: every problem of a content folder, for people who make stages.
#pragma once

#include <ostream>
#include <string>

// Reads game.dat, every stage and scene script a game can reach and every
// picture, wave and MIDI file they name under folder, as the game would, and
// prints each problem as "path:line: reason", then a summary line. 0 when
// there is none, 1 otherwise.
int CheckContent(const std::string& folder, std::ostream& out);
