// Whether --record may write its file: never over the player's files, the
// game's content or anything that is not an old record.
#pragma once

#include <string>

#include "shell/folders.h"

// Empty when path may take a record; else the reason it may not, in English.
std::string RecordTargetRefusal(const std::string& path, const Folders& folders);
