// Reads a stage file into the stage header, the character table and the stage object table.
#pragma once

#include <string>

void ReadStageFile(const std::string& path);
