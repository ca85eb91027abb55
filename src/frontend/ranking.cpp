#include "frontend/ranking.h"

std::array<int, 6> g_ranking{};

void ReadSaveFile(const std::string&) {}
void WriteSaveFile() {}
void InsertScore(int) {}
