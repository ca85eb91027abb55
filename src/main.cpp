// Lantern Drift: builds the SDL platform and hands over to the shell.
#include <iostream>
#include <string>

#include "platform/sdl_platform_factory.h"
#include "shell/content_check.h"
#include "shell/folders.h"
#include "shell/shell.h"

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "--check")
    return CheckContent(argc >= 3 ? argv[2] : ".", std::cout);
  const std::unique_ptr<platform::Platform> sdl = platform::MakeSdlPlatform();
  platform::Set(sdl.get());
  ResetProgramState();
  SettleFolders();
  const int code = RunGame();
  platform::Set(nullptr);
  return code;
}
