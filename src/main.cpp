// Lantern Drift: reads the command line, builds the platform (the SDL one, or a
// record's replay over it or over the headless one) and hands over to the shell.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>

#include "game/game_state.h"
#include "platform/headless/headless_platform.h"
#include "platform/record/record_platforms.h"
#include "platform/sdl_platform_factory.h"
#include "scene/scene_state.h"
#include "shell/command_line.h"
#include "shell/content_check.h"
#include "shell/folders.h"
#include "shell/shell.h"

namespace {

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every file of the game that the program reads: its data, pictures, sounds and music.
uint64_t ContentHash(const Folders& folders) {
  return platform::HashFolders({folders.game + "data", folders.pack + "img", folders.pack + "sound",
                                folders.pack + "Music"});
}

int Play(platform::Platform& p, const Folders& folders, int full_screen) {
  platform::Set(&p);
  ResetProgramState();
  SettleFolders(folders);
  const int code = RunGame(full_screen);
  platform::Set(nullptr);
  return code;
}

int Record(const Options& options, const Folders& folders, platform::Platform& sdl) {
  platform::RecordHeader header{LD_VERSION, ContentHash(folders), ReadFile(folders.config_file),
                                ReadFile(folders.save_file)};
  platform::RecordWriter writer;
  std::string why;
  if (!writer.Open(std::filesystem::absolute(options.record).string(), header, why)) {
    std::fprintf(stderr, "lantern-drift: %s: check the folder exists and may be written\n",
                 why.c_str());
    return 1;
  }
  platform::RecordingPlatform recording(sdl, writer);
  const int code = Play(recording, folders, options.full_screen);
  recording.Finish();
  std::printf("recorded frames %d checksum %016llx\n", recording.frames(),
              static_cast<unsigned long long>(recording.checksum()));
  return code;
}

// config.ini and save.dat as recorded, in a folder of their own: the player's stay untouched.
int Replay(const Options& options, Folders folders) {
  const std::string path = options.replay;
  const std::optional<std::string> bytes = ReadFile(path);
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
  folders.save_file = std::string(temp) + "/save.dat";
  const auto put = [](const std::string& file, const std::optional<std::string>& content) {
    if (content) std::ofstream(file, std::ios::binary) << *content;
  };
  put(folders.config_file, record.header.config);
  put(folders.save_file, record.header.save);

  std::unique_ptr<platform::Platform> output;
  if (options.headless) {
    auto headless = std::make_unique<platform::HeadlessPlatform>();
    headless->answer_boxes = false;
    std::error_code ec;
    headless->program_path = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    output = std::move(headless);
  } else {
    output = platform::MakeSdlPlatform(options.scale);
    if (!output) return 1;
  }
  platform::ReplayingPlatform replaying(*output, record);
  Play(replaying, folders, options.full_screen);
  replaying.Finish();

  std::string save_hex;
  for (unsigned char c : ReadFile(folders.save_file).value_or(""))
    save_hex += "0123456789abcdef"[c >> 4], save_hex += "0123456789abcdef"[c & 15];
  std::filesystem::remove_all(temp);
  std::printf("frames %d scene %d score %d save %s checksum %016llx\n", replaying.frames(),
              g_state.scene, g_game.score, save_hex.c_str(),
              static_cast<unsigned long long>(replaying.checksum()));
  if (replaying.stopped().empty()) return 0;
  std::fprintf(stderr, "lantern-drift: %s: %s\n", path.c_str(), replaying.stopped().c_str());
  return 1;
}

}  // namespace

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
    return CheckContent(options.check_folder.empty() ? folders.game : options.check_folder,
                        std::cout);
  if (!options.replay.empty()) return Replay(options, folders);
  const std::unique_ptr<platform::Platform> sdl = platform::MakeSdlPlatform(options.scale);
  if (!sdl) return 1;
  if (!options.record.empty()) return Record(options, folders, *sdl);
  return Play(*sdl, folders, options.full_screen);
}
