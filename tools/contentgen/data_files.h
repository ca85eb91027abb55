// Writes game.dat, the stage files and the scene scripts.
#pragma once

#include "pack.h"

void WriteDataFiles(const Pack& pack);
