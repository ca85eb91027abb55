// The command line.
#pragma once

#include <cstdio>
#include <string>

#include "shell/folders.h"

struct Options {
  bool help = false;
  bool version = false;
  int full_screen = -1;  // -1: config.ini decides
  int scale = 0;         // --scale N; 0: not given (1, or as a record says)
  bool check = false;
  std::string check_folder;  // empty: the game folder
  bool strict = false;       // --check fails on warnings too
  std::string record;        // --record FILE
  std::string replay;        // --replay FILE
  bool headless = false;     // replay with no window and no sound, as fast as it goes
  int stage = -1;            // --stage N: a new game at stage N, F5 reloads it; -1: none
  std::string error;         // an option we do not know, or a bad value
};

Options ParseCommandLine(int argc, const char* const* argv);
void PrintUsage(std::FILE* out);
void PrintVersion();

// Lists the folders in use and where pictures, sounds and music are found, for --help.
void PrintFolders(std::FILE* out, const Folders& folders);
