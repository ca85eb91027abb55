// Where an effect sounds between the left and the right speaker: by where it
// happens across the play-field, when game.dat's PAN_EFFECTS is on.
#pragma once

#include "content/stage_data.h"

// The pan (-100 left to 100 right) of an effect at screen x; 0, the middle,
// while PAN_EFFECTS is 0.
int PanAt(double x);
// At the middle of a character.
int PanOf(const Character& c);
