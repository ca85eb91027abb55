// Content names inside command strings use '\' and any letter case.
#pragma once

#include <string>

namespace platform {

// The real file that path names: '\' becomes '/', and each component that
// does not exist as written is matched without regard to case. When nothing
// matches, the path is returned with slashes only.
std::string MatchPathCase(const std::string& path);

}  // namespace platform
