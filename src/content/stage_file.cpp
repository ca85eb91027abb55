#include "content/stage_file.h"

void ReadStageFile(const std::string&) {}
