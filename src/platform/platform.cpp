#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
Platform* current = nullptr;
}

Platform& Get() {
  if (current == nullptr) {
    std::fputs("lantern-drift: no platform was set up\n", stderr);
    std::abort();
  }
  return *current;
}

void Set(Platform* platform) { current = platform; }

}  // namespace platform
