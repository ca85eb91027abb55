// Reads the game parameter file.
#pragma once

#include <string>

void ReadGameParams(const std::string& path);
