#include "content/game_dat.h"

void ReadGameParams(const std::string&) {}
