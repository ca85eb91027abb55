#include "shell/game_runs.h"

#include <stdlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "frontend/stage_jump.h"
#include "game/game_state.h"
#include "library/system/line_reader.h"
#include "platform/file_bytes.h"
#include "platform/headless/headless_platform.h"
#include "platform/record/record_platforms.h"
#include "scene/scene_state.h"
#include "shell/main_loop.h"
#include "shell/program_reset.h"
#include "shell/record_target.h"

namespace {

// Every file of the game that the program reads: its data, pictures, sounds and
// music, the game folder's own before the pack's (a folder that is not there adds nothing).
uint64_t ContentHash(const Folders& folders) {
  std::vector<std::string> hashed{folders.game + "data"};
  for (const char* media : {"img", "sound", "Music"})
    if (folders.game != folders.pack) hashed.push_back(folders.game + media);
  for (const char* media : {"img", "sound", "Music"}) hashed.push_back(folders.pack + media);
  return platform::HashFolders(hashed);
}

// $TMPDIR when it names a folder, else /tmp; ends in '/'.
std::string TempBase() {
  const char* dir = std::getenv("TMPDIR");
  std::string base = dir != nullptr && dir[0] != '\0' ? dir : "/tmp";
  if (base.back() != '/') base += '/';
  return base;
}

}  // namespace

int PlayGame(platform::Platform& p, const Folders& folders, int full_screen, int stage) {
  platform::Set(&p);
  ResetProgramState();
  SettleFolders(folders);
  if (stage >= 0) JumpToStage(stage);
  const int code = RunGame(full_screen);
  platform::Set(nullptr);
  return code;
}

bool MayRecordTo(const std::string& path, const Folders& folders) {
  const std::string refusal = RecordTargetRefusal(path, folders);
  if (refusal.empty()) return true;
  std::fprintf(stderr, "lantern-drift: --record %s: will not write there: %s; name a new file\n",
               path.c_str(), refusal.c_str());
  return false;
}

int RecordGame(const Options& options, const Folders& folders, platform::Platform& sdl) {
  const std::string path = std::filesystem::absolute(options.record).string();
  if (!MayRecordTo(path, folders)) return 2;
  platform::RecordHeader header{LD_VERSION, ContentHash(folders),
                                ReadWholeFile(folders.config_file),
                                ReadWholeFile(folders.ranking_file)};
  platform::RecordWriter writer;
  std::string why;
  if (!writer.Open(path, header, why)) {
    std::fprintf(stderr, "lantern-drift: %s: check the folder exists and may be written\n",
                 why.c_str());
    return 1;
  }
  platform::RecordingPlatform recording(sdl, writer);
  const int code = PlayGame(recording, folders, options.full_screen);
  recording.Finish();
  if (!writer.Close(why)) {
    std::fprintf(stderr,
                 "lantern-drift: the record %s is incomplete (%s): it replays only up to where "
                 "writing failed; free some space and record again\n",
                 path.c_str(), why.c_str());
    return 1;
  }
  std::printf("recorded frames %d checksum %016llx\n", recording.frames(),
              static_cast<unsigned long long>(recording.checksum()));
  return code;
}

// config.ini and save.dat as recorded, in a folder of their own: the player's stay untouched.
int ReplayGame(const Options& options, Folders folders, platform::Platform* window) {
  const std::string path = options.replay;
  std::string why;
  const std::optional<std::string> bytes =
      platform::ReadRegularFile(path, platform::kMaxRecordBytes, &why);
  if (!bytes) {
    if (why.starts_with("larger than")) why += ", more than any recorded run holds";
    std::fprintf(stderr, "lantern-drift: cannot read the record %s: %s\n", path.c_str(),
                 why.c_str());
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
  const std::string base = TempBase();
  std::string temp = base + "lantern-drift-replay-XXXXXX";
  if (mkdtemp(temp.data()) == nullptr) {
    std::fprintf(stderr,
                 "lantern-drift: cannot make a folder in %s for the replay's files: %s; set TMPDIR "
                 "to a folder that may be written\n",
                 base.c_str(), std::strerror(errno));
    return 1;
  }
  folders.config_file = temp + "/config.ini";
  folders.save_file = folders.ranking_file = temp + "/save.dat";
  folders.debug_file = temp + "/DEBUG.TXT";
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
