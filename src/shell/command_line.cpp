#include "shell/command_line.h"

Options ParseCommandLine(int argc, const char* const* argv) {
  Options o;
  for (int i = 1; i < argc && o.error.empty(); ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc && argv[i + 1][0] != '-';
    if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else if (arg == "--fullscreen") {
      o.full_screen = 1;
    } else if (arg == "--windowed") {
      o.full_screen = 0;
    } else if (arg == "--scale") {
      const std::string value = has_value ? argv[++i] : "";
      o.scale = value.size() == 1 && value[0] >= '1' && value[0] <= '9' ? value[0] - '0' : 0;
      if (o.scale == 0) o.error = "--scale takes a whole number from 1 to 9, not '" + value + "'";
      // A scale means a window, unless --fullscreen asks otherwise.
      if (o.full_screen == -1) o.full_screen = 0;
    } else if (arg == "--check") {
      o.check = true;
      if (has_value) o.check_folder = argv[++i];
    } else if (arg == "--record" || arg == "--replay") {
      if (!has_value)
        o.error = arg + " takes a file name";
      else
        (arg == "--record" ? o.record : o.replay) = argv[++i];
    } else if (arg == "--headless") {
      o.headless = true;
    } else {
      o.error = "unknown option '" + arg + "'";
    }
  }
  if (o.error.empty() && !o.record.empty() && !o.replay.empty())
    o.error = "--record and --replay cannot be used together";
  if (o.error.empty() && o.headless && o.replay.empty()) o.error = "--headless needs --replay FILE";
  return o;
}

void PrintUsage(std::FILE* out) {
  std::fputs(
      "Usage: lantern-drift [OPTION]...\n"
      "Lantern Drift Ver.2, a lantern boat arena game.\n\n"
      "  --fullscreen     full screen for this run, whatever config.ini says\n"
      "  --windowed       in a window for this run, whatever config.ini says\n"
      "  --scale N        open the window N times 640x480 (held within the desktop)\n"
      "  --check [FOLDER] check the content files of FOLDER (the game folder) and exit\n"
      "  --record FILE    write everything this run reads from the desktop to FILE\n"
      "  --replay FILE    play a recorded run back in the window\n"
      "  --headless       with --replay: no window and no sound, as fast as it goes;\n"
      "                   prints frames, scene, score, save.dat and the frame checksum\n"
      "  --version        print the version and exit\n"
      "  --help           print this help and exit\n\n"
      "In the game: Alt+Enter or F11 switches between full screen and the window.\n",
      out);
}

void PrintVersion() { std::printf("lantern-drift %s\n", LD_VERSION); }

void PrintFolders(std::FILE* out, const Folders& folders) {
  std::fprintf(out,
               "\nFolders:\n  pack         %s\n  game data    %sdata/\n  config.ini   %s\n"
               "  save.dat     %s\n",
               folders.pack.c_str(), folders.game.c_str(), folders.config_file.c_str(),
               folders.save_file.c_str());
}
