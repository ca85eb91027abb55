// A run of the game on a platform: played, recorded to a file, or replayed from one.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "shell/command_line.h"
#include "shell/folders.h"

// stage: a new game at that stage, past the opening and the title (--stage); -1: none.
int PlayGame(platform::Platform& p, const Folders& folders, int full_screen, int stage = -1);
// Whether --record may write path; says why not on standard error.
bool MayRecordTo(const std::string& path, const Folders& folders);
// Plays on sdl and writes what it read to options.record.
int RecordGame(const Options& options, const Folders& folders, platform::Platform& sdl);
// Opens the replay's window at a scale; nothing when it cannot (it says why).
using WindowMaker = std::function<std::unique_ptr<platform::Platform>(int scale)>;
// Replays options.replay in a window from make_window, or headless when it is
// empty, in the window mode and scale the record holds unless options say
// otherwise; config.ini and save.dat come from the record into a folder of
// their own.
int ReplayGame(const Options& options, Folders folders, const WindowMaker& make_window);
