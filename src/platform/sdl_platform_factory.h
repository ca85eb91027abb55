// The real platform, for main: built without showing its callers SDL.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

// scale: the window's size in multiples of 640x480. None when there is no
// display to open (the reason is on standard error).
std::unique_ptr<Platform> MakeSdlPlatform(int scale);

}  // namespace platform
