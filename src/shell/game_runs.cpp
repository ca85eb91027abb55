#include "shell/game_runs.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "game/game_state.h"
#include "library/system/line_reader.h"
#include "platform/headless/headless_platform.h"
#include "platform/record/record_platforms.h"
#include "scene/scene_state.h"
#include "shell/shell.h"

namespace {

// Every file of the game that the program reads: its data, pictures, sounds and music.
uint64_t ContentHash(const Folders& folders) {
  return platform::HashFolders({folders.game + "data", folders.pack + "img", folders.pack + "sound",
                                folders.pack + "Music"});
}

}  // namespace

int PlayGame(platform::Platform& p, const Folders& folders, int full_screen) {
  platform::Set(&p);
  ResetProgramState();
  SettleFolders(folders);
  const int code = RunGame(full_screen);
  platform::Set(nullptr);
  return code;
}

int RecordGame(const Options& options, const Folders& folders, platform::Platform& sdl) {
  platform::RecordHeader header{LD_VERSION, ContentHash(folders), ReadWholeFile(folders.config_file),
                                ReadWholeFile(folders.ranking_file)};
  platform::RecordWriter writer;
  std::string why;
  if (!writer.Open(std::filesystem::absolute(options.record).string(), header, why)) {
    std::fprintf(stderr, "lantern-drift: %s: check the folder exists and may be written\n",
                 why.c_str());
    return 1;
  }
  platform::RecordingPlatform recording(sdl, writer);
  const int code = PlayGame(recording, folders, options.full_screen);
  recording.Finish();
  std::printf("recorded frames %d checksum %016llx\n", recording.frames(),
              static_cast<unsigned long long>(recording.checksum()));
  return code;
}

// config.ini and save.dat as recorded, in a folder of their own: the player's stay untouched.
int ReplayGame(const Options& options, Folders folders, platform::Platform* window) {
  const std::string path = options.replay;
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    std::fprintf(stderr, "lantern-drift: cannot read the record %s\n", path.c_str());
    return 1;
  }
  const platform::Record record = platform::ParseRecord(*bytes);
  std::string refusal;
  if (!record.error.empty())
    refusal = "it is damaged (" + record.error + ")";
  else if (record.header.version != LD_VERSION)
    refusal = "it was made by version " + record.header.version + ", this is " + LD_VERSION;
  else if (record.header.content_hash != ContentHash(folders))
    refusal = "it was made on other content than the game folder " + folders.game + " holds";
  if (!refusal.empty()) {
    std::fprintf(stderr, "lantern-drift: %s: cannot replay: %s\n", path.c_str(), refusal.c_str());
    return 1;
  }
  char temp[] = "/tmp/lantern-drift-replay-XXXXXX";
  if (mkdtemp(temp) == nullptr) {
    std::fprintf(stderr, "lantern-drift: cannot make a folder in /tmp for the replay's files\n");
    return 1;
  }
  folders.config_file = std::string(temp) + "/config.ini";
  folders.save_file = folders.ranking_file = std::string(temp) + "/save.dat";
  const auto put = [](const std::string& file, const std::optional<std::string>& content) {
    if (content) std::ofstream(file, std::ios::binary) << *content;
  };
  put(folders.config_file, record.header.config);
  put(folders.save_file, record.header.save);

  platform::HeadlessPlatform headless;
  headless.answer_boxes = false;
  std::error_code ec;
  headless.program_path = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  platform::ReplayingPlatform replaying(window != nullptr ? *window : headless, record);
  PlayGame(replaying, folders, options.full_screen);
  replaying.Finish();

  std::string save_hex;
  for (unsigned char c : ReadWholeFile(folders.save_file).value_or(""))
    save_hex += "0123456789abcdef"[c >> 4], save_hex += "0123456789abcdef"[c & 15];
  std::filesystem::remove_all(temp);
  std::printf("frames %d scene %d score %d save %s checksum %016llx\n", replaying.frames(),
              g_state.scene, g_game.score, save_hex.c_str(),
              static_cast<unsigned long long>(replaying.checksum()));
  if (replaying.stopped().empty()) return 0;
  std::fprintf(stderr, "lantern-drift: %s: %s\n", path.c_str(), replaying.stopped().c_str());
  return 1;
}

