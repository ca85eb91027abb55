// Lantern Drift: reads the command line, builds the SDL platform and hands over to the shell.
#include <cstdio>
#include <filesystem>

#include "platform/sdl_platform_factory.h"
#include "shell/command_line.h"
#include "shell/shell.h"

int main(int argc, char** argv) {
  const Options options = ParseCommandLine(argc, argv);
  if (!options.error.empty()) {
    std::fprintf(stderr, "lantern-drift: %s\n\n", options.error.c_str());
    PrintUsage(stderr);
    return 2;
  }
  if (options.help) {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    PrintUsage(stdout);
    PrintFolders(stdout, error ? "./" : exe.parent_path().string() + "/");
    return 0;
  }
  if (options.version) {
    PrintVersion();
    return 0;
  }
  const std::unique_ptr<platform::Platform> sdl = platform::MakeSdlPlatform(options.scale);
  if (!sdl) return 1;
  platform::Set(sdl.get());
  const int code = RunGame(options.full_screen);
  platform::Set(nullptr);
  return code;
}
