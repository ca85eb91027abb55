// The music of the pack: title, opening, the five stages, ending and game over.
#pragma once

#include "pack.h"

void WriteMusic(const Pack& pack);
