// Lantern Drift: builds the SDL platform and hands over to the shell.
#include "platform/sdl/sdl_platform.h"
#include "shell/shell.h"

int main(int, char**) {
  platform::SdlPlatform sdl;
  platform::Set(&sdl);
  RunGame();
  platform::Set(nullptr);
  return 0;
}
