#include "shell/command_line.h"

namespace {

// The value of the option at argv[i]: the next argument, or nothing when there is none.
const char* ValueAfter(int argc, const char* const* argv, int& i) {
  return i + 1 < argc ? argv[++i] : nullptr;
}

// A file or folder name for option, or why not.
std::string NameError(const std::string& option, const char* value, const char* what) {
  const std::string takes = option + " takes " + what;
  if (value == nullptr) return takes;
  if (value[0] == '\0') return takes + ", not an empty one";
  if (value[0] == '-')
    return takes + ", not '" + value + "' (write ./" + value + " for a file of that name)";
  return "";
}

// A stage number: digits only, as the stage files are numbered.
int StageNumber(const char* value) {
  const std::string text = value != nullptr ? value : "";
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
    return -1;
  return std::stoi(text);
}

}  // namespace

Options ParseCommandLine(int argc, const char* const* argv) {
  Options o;
  for (int i = 1; i < argc && o.error.empty(); ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else if (arg == "--fullscreen") {
      o.full_screen = 1;
    } else if (arg == "--windowed") {
      o.full_screen = 0;
    } else if (arg == "--scale") {
      const char* value = ValueAfter(argc, argv, i);
      const std::string text = value != nullptr ? value : "";
      o.scale = text.size() == 1 && text[0] >= '1' && text[0] <= '9' ? text[0] - '0' : 0;
      if (o.scale == 0)
        o.error = "--scale takes a whole number from 1 to 9" +
                  (value != nullptr ? ", not '" + text + "'" : std::string());
      // A scale means a window, unless --fullscreen asks otherwise.
      if (o.full_screen == -1) o.full_screen = 0;
    } else if (arg == "--check") {
      o.check = true;
      // The folder is optional: a following option is not one.
      if (i + 1 < argc && argv[i + 1][0] != '-') {
        const char* value = ValueAfter(argc, argv, i);
        o.error = NameError(arg, value, "a folder name");
        o.check_folder = value;
      }
    } else if (arg == "--strict") {
      o.strict = true;
    } else if (arg == "--record" || arg == "--replay") {
      const char* value = ValueAfter(argc, argv, i);
      o.error = NameError(arg, value, "a file name");
      if (o.error.empty()) (arg == "--record" ? o.record : o.replay) = value;
    } else if (arg == "--headless") {
      o.headless = true;
    } else if (arg == "--stage") {
      const char* value = ValueAfter(argc, argv, i);
      o.stage = StageNumber(value);
      if (o.stage < 0)
        o.error = "--stage takes a stage number, as in data/data3.dat" +
                  (value != nullptr ? std::string(", not '") + value + "'" : std::string());
    } else if (o.check && o.check_folder.empty() && !arg.empty() && arg[0] != '-') {
      o.check_folder = arg;  // --check --strict FOLDER
    } else {
      o.error = "unknown option '" + arg + "'";
    }
  }
  if (o.error.empty() && !o.record.empty() && !o.replay.empty())
    o.error = "--record and --replay cannot be used together";
  if (o.error.empty() && o.headless && o.replay.empty()) o.error = "--headless needs --replay FILE";
  if (o.error.empty() && o.strict && !o.check) o.error = "--strict needs --check";
  if (o.error.empty() && o.stage >= 0 && (!o.record.empty() || !o.replay.empty()))
    o.error = "--stage cannot be used with --record or --replay: a record starts at the opening";
  return o;
}

void PrintUsage(std::FILE* out) {
  std::fputs(
      "Usage: lantern-drift [OPTION]...\n"
      "Lantern Drift Ver.2, a lantern boat arena game.\n\n"
      "  --fullscreen     full screen for this run, whatever config.ini says\n"
      "  --windowed       in a window for this run, whatever config.ini says\n"
      "  --scale N        open the window N times 640x480 (held within the desktop)\n"
      "  --check [FOLDER] check the content files of FOLDER (the game folder) and exit:\n"
      "                   1 on an error (the game would refuse, fail to load or quit)\n"
      "  --strict         with --check: warnings (values the formats forbid but the\n"
      "                   game tolerates) fail too\n"
      "  --stage N        start a new game at stage N (its introduction, then play),\n"
      "                   without the opening or the title; F5 then reloads game.dat,\n"
      "                   the stage file and their pictures and sounds and restarts\n"
      "                   the stage. With --check: check stage N only\n"
      "  --record FILE    write everything this run reads from the desktop to FILE\n"
      "  --replay FILE    play a recorded run back in the window\n"
      "  --headless       with --replay: no window and no sound, as fast as it goes;\n"
      "                   prints frames, scene, score, save.dat and the frame checksum\n"
      "  --version        print the version and exit\n"
      "  --help           print this help and exit\n\n"
      "In the game: Alt+Enter or F11 switches between full screen and the window.\n\n"
      "The game folder is the current folder when it holds data/game.dat, else the\n"
      "pack. Pictures, sounds and music are taken from the game folder when it holds\n"
      "them, else from the pack: a mod folder needs only data/ and what it changes.\n",
      out);
}

void PrintVersion() { std::printf("lantern-drift %s\n", LD_VERSION); }

void PrintFolders(std::FILE* out, const Folders& folders) {
  const std::string media =
      folders.game == folders.pack ? folders.pack : folders.game + ", else " + folders.pack;
  std::fprintf(out,
               "\nFolders:\n  pack         %s\n  game data    %sdata/\n"
               "  pictures, sounds, music: %s\n  config.ini   %s\n  save.dat     %s\n",
               folders.pack.c_str(), folders.game.c_str(), media.c_str(),
               folders.config_file.c_str(), folders.save_file.c_str());
}
