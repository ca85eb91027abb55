// Lantern Drift: builds the SDL platform and hands over to the shell.
#include "platform/sdl_platform_factory.h"
#include "shell/folders.h"
#include "shell/shell.h"

int main(int, char**) {
  const std::unique_ptr<platform::Platform> sdl = platform::MakeSdlPlatform();
  platform::Set(sdl.get());
  ResetProgramState();
  SettleFolders();
  const int code = RunGame();
  platform::Set(nullptr);
  return code;
}
