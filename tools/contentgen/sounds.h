// The ten sound effects of the game.
#pragma once

#include "pack.h"

void WriteSounds(const Pack& pack);
