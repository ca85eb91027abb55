// Lantern Drift: reads the command line, builds the SDL platform and hands over to the shell.
#include <cstdio>
#include <iostream>

#include "platform/sdl_platform_factory.h"
#include "shell/command_line.h"
#include "shell/content_check.h"
#include "shell/folders.h"
#include "shell/shell.h"

int main(int argc, char** argv) {
  const Options options = ParseCommandLine(argc, argv);
  if (!options.error.empty()) {
    std::fprintf(stderr, "lantern-drift: %s\n\n", options.error.c_str());
    PrintUsage(stderr);
    return 2;
  }
  if (options.version) {
    PrintVersion();
    return 0;
  }
  const Folders folders = FindFoldersHere();
  if (options.help) {
    PrintUsage(stdout);
    PrintFolders(stdout, folders);
    return 0;
  }
  if (options.check)
    return CheckContent(options.check_folder.empty() ? folders.game : options.check_folder, std::cout);
  const std::unique_ptr<platform::Platform> sdl = platform::MakeSdlPlatform(options.scale);
  if (!sdl) return 1;
  platform::Set(sdl.get());
  ResetProgramState();
  SettleFolders(folders);
  const int code = RunGame(options.full_screen);
  platform::Set(nullptr);
  return code;
}
