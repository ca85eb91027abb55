// Lantern Drift: reads the command line, builds the SDL platform and hands over
// to the shell, for a game played, recorded or replayed.
#include <cstdio>
#include <iostream>
#include <memory>

#include "frontend/stage_jump.h"
#include "library/system/el_system.h"
#include "library/system/file_lookup.h"
#include "library/system/line_reader.h"
#include "platform/sdl_platform_factory.h"
#include "shell/command_line.h"
#include "shell/config.h"
#include "shell/content_check.h"
#include "shell/folders.h"
#include "shell/game_runs.h"

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
  if (options.check) {
    UsePackDir(folders.pack);
    return CheckContent(options.check_folder.empty() ? folders.game : options.check_folder,
                        std::cout, options.strict,
                        options.stage >= 0 ? std::optional<int>(options.stage) : std::nullopt);
  }
  if (options.stage >= 0) {
    const std::string refusal = StageJumpRefusal(folders.game, options.stage);
    if (!refusal.empty()) {
      std::fprintf(stderr, "lantern-drift: --stage %d: %s\n", options.stage, refusal.c_str());
      return 2;
    }
  }
  // Read, never written: a replay must leave the player's folder as it is.
  const Config config = ReadConfig(ReadWholeFile(folders.config_file).value_or(""));
  if (!options.replay.empty()) {
    WindowMaker window;
    if (!options.headless)
      window = [&config](int scale) {
        return platform::MakeSdlPlatform(scale, config.present, config.scale);
      };
    return ReplayGame(options, folders, window);
  }
  // Refused before a window opens.
  if (!options.record.empty() && !MayRecordTo(options.record, folders)) return 2;
  const std::unique_ptr<platform::Platform> sdl = platform::MakeSdlPlatform(
      options.scale != 0 ? options.scale : 1, config.present, config.scale);
  if (!sdl) return 1;
  if (!options.record.empty()) return RecordGame(options, folders, *sdl);
  return PlayGame(*sdl, folders, options.full_screen, options.stage);
}
