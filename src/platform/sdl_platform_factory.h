// The real platform, for main: built without showing its callers SDL.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

std::unique_ptr<Platform> MakeSdlPlatform();

}  // namespace platform
