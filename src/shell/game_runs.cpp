#include "shell/game_runs.h"

#include <stdlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "frontend/stage_jump.h"
#include "game/game_state.h"
#include "library/system/line_reader.h"
#include "platform/bitmap_file.h"
#include "platform/file_bytes.h"
#include "platform/file_writer.h"
#include "platform/headless/headless_platform.h"
#include "platform/midi_file.h"
#include "platform/printable.h"
#include "platform/record/record_platforms.h"
#include "scene/scene_state.h"
#include "shell/config.h"
#include "shell/main_loop.h"
#include "shell/program_reset.h"
#include "shell/record_target.h"

namespace {

// A record keeps whole any config.ini and save.dat the game reads, so the game's own record
// always replays.
static_assert(platform::kMaxHeaderText >= platform::kMaxTextFileBytes);

// Every file of the game that the program can open: its data, pictures, sounds and
// music, the game folder's own before the pack's (a folder that is not there adds nothing).
uint64_t ContentHash(const Folders& folders) {
  const std::pair<const char*, size_t> media[] = {{"img", platform::kMaxBitmapFileBytes},
                                                  {"sound", platform::kMaxWaveFileBytes},
                                                  {"Music", platform::kMaxMidiFileBytes}};
  std::vector<platform::HashedFolder> hashed{{folders.game + "data", platform::kMaxTextFileBytes}};
  if (folders.game != folders.pack)
    for (const auto& [name, limit] : media) hashed.push_back({folders.game + name, limit});
  for (const auto& [name, limit] : media) hashed.push_back({folders.pack + name, limit});
  return platform::HashFolders(hashed);
}

// $TMPDIR when it is an absolute path, else /tmp; ends in '/'. A relative one
// would leave copies of the player's files wherever the replay was started.
std::string TempBase() {
  const char* dir = std::getenv("TMPDIR");
  std::string base = dir != nullptr && dir[0] == '/' ? dir : "/tmp";
  if (base.back() != '/') base += '/';
  return base;
}

std::string Quoted(const std::string& text) { return platform::Printable(text); }

// The record at path when this program can replay it on this content; else
// nothing, after saying why.
std::optional<platform::Record> OpenRecord(const std::string& path, const Folders& folders) {
  const auto refuse = [&](const std::string& reason) {
    std::fprintf(stderr, "lantern-drift: %s: cannot replay: %s\n", Quoted(path).c_str(),
                 Quoted(reason).c_str());
    return std::nullopt;
  };
  std::string why;
  try {
    // Its start first: a large file that is no record is not read whole.
    std::optional<std::string> bytes =
        platform::ReadFileStart(path, platform::kRecordStartBytes, &why);
    const std::string start_error = bytes ? platform::RecordStartError(*bytes) : "";
    if (!start_error.empty()) return refuse("it is damaged (" + start_error + ")");
    if (bytes) bytes = platform::ReadRegularFile(path, platform::kMaxRecordBytes, &why);
    if (!bytes) {
      if (why.starts_with("larger than")) why += ", more than any recorded run holds";
      std::fprintf(stderr, "lantern-drift: cannot read the record %s: %s\n", Quoted(path).c_str(),
                   Quoted(why).c_str());
      return std::nullopt;
    }
    platform::Record record = platform::ParseRecord(std::move(*bytes));
    if (!record.error.empty()) return refuse("it is damaged (" + record.error + ")");
    if (record.header.version != LD_VERSION)
      return refuse("it was made by version " + record.header.version + ", this is " + LD_VERSION);
    if (record.header.content_hash != ContentHash(folders))
      return refuse("it was made on other content than the game folder " + folders.game + " holds");
    return record;
  } catch (const std::bad_alloc&) {
    return refuse("the record is too large to replay; replay it where more memory is free");
  }
}

// Writes a player's file as the record holds it (nothing when it held none); false when it
// cannot.
bool WriteReplayFile(const std::string& file, const std::optional<std::string>& content,
                     std::string& why) {
  return !content || platform::CreateNewFile(file, *content, &why);
}

// A folder of the replay's own for config.ini, save.dat and DEBUG.TXT, holding
// the player's files as recorded: the player's stay untouched. Its path, or
// nothing after saying why.
std::optional<std::string> MakeReplayFolder(const platform::RecordHeader& header,
                                            Folders& folders) {
  const std::string base = TempBase();
  std::string temp = base + "lantern-drift-replay-XXXXXX";
  if (mkdtemp(temp.data()) == nullptr) {
    std::fprintf(stderr,
                 "lantern-drift: cannot make a folder in %s for the replay's files: %s; set TMPDIR "
                 "to a folder that may be written\n",
                 Quoted(base).c_str(), std::strerror(errno));
    return std::nullopt;
  }
  folders.config_file = temp + "/config.ini";
  folders.save_file = folders.ranking_file = temp + "/save.dat";
  folders.debug_file = temp + "/DEBUG.TXT";
  std::string why;
  if (WriteReplayFile(folders.config_file, header.config, why) &&
      WriteReplayFile(folders.save_file, header.save, why))
    return temp;
  std::fprintf(stderr,
               "lantern-drift: cannot write the replay's files in %s: %s; free some space there or "
               "set TMPDIR to another folder\n",
               Quoted(temp).c_str(), why.c_str());
  platform::RemoveFolder(temp);
  return std::nullopt;
}

// The window mode a replay starts in: the option's, else the record's, else config.ini's (-1).
int ReplayFullScreen(const Options& options, const platform::RecordHeader& header) {
  return options.full_screen != -1 ? options.full_screen : header.full_screen;
}

// Why a replay that diverges at once may have gone wrong, when its window mode is a guess.
std::string WindowHint(const Options& options, const platform::RecordHeader& header) {
  if (header.full_screen == -1)
    return "; this record does not say whether it was made in a window: try --windowed or "
           "--fullscreen";
  if (options.full_screen != -1 && options.full_screen != header.full_screen)
    return header.full_screen == 1 ? "; it was recorded full screen: leave out --windowed"
                                   : "; it was recorded in a window: leave out --fullscreen";
  return "";
}

// The line a replay ends with, and why it stopped; the exit code.
int PrintOutcome(const std::string& path, const platform::ReplayingPlatform& replaying,
                 const std::string& save_file, const std::string& hint) {
  std::string save_hex;
  for (unsigned char c : ReadWholeFile(save_file).value_or(""))
    save_hex += "0123456789abcdef"[c >> 4], save_hex += "0123456789abcdef"[c & 15];
  std::printf("frames %d scene %d score %d save %s checksum %016llx\n", replaying.frames(),
              g_state.scene, g_game.score, save_hex.c_str(),
              static_cast<unsigned long long>(replaying.checksum()));
  if (replaying.stopped().empty()) return 0;
  // Another window mode shows at once: the first frame asks for other things.
  const bool at_start = replaying.stopped().starts_with("the replay diverged at frame 0 ") &&
                        replaying.stopped().find("asked for") != std::string::npos;
  std::fprintf(stderr, "lantern-drift: %s: %s%s\n", Quoted(path).c_str(),
               replaying.stopped().c_str(), at_start ? hint.c_str() : "");
  return 1;
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
               Quoted(path).c_str(), Quoted(refusal).c_str());
  return false;
}

int RecordGame(const Options& options, const Folders& folders, platform::Platform& sdl) {
  const std::string path = std::filesystem::absolute(options.record).string();
  if (!MayRecordTo(path, folders)) return 2;
  platform::RecordHeader header{LD_VERSION, ContentHash(folders),
                                ReadWholeFile(folders.config_file),
                                ReadWholeFile(folders.ranking_file)};
  header.full_screen = options.full_screen != -1
                           ? options.full_screen
                           : ReadConfig(header.config.value_or("")).full_screen;
  header.scale = options.scale != 0 ? options.scale : 1;
  platform::RecordWriter writer;
  std::string why;
  if (!writer.Open(path, header, why)) {
    std::fprintf(stderr,
                 "lantern-drift: --record %s: %s; check the folder exists and may be written\n",
                 Quoted(path).c_str(), Quoted(why).c_str());
    return 1;
  }
  platform::RecordingPlatform recording(sdl, writer);
  const int code = PlayGame(recording, folders, options.full_screen);
  recording.Finish();
  if (!writer.Close(why)) {
    std::fprintf(stderr,
                 "lantern-drift: the record %s is incomplete (%s): it replays only up to where "
                 "writing failed; free some space and record again\n",
                 Quoted(path).c_str(), why.c_str());
    return 1;
  }
  std::printf("recorded frames %d checksum %016llx\n", recording.frames(),
              static_cast<unsigned long long>(recording.checksum()));
  return code;
}

int ReplayGame(const Options& options, Folders folders, const WindowMaker& make_window) {
  const std::optional<platform::Record> record = OpenRecord(options.replay, folders);
  if (!record) return 1;
  const platform::RecordHeader& header = record->header;
  std::unique_ptr<platform::Platform> window;
  if (make_window) {
    window = make_window(options.scale != 0 ? options.scale : std::max(header.scale, 1));
    if (!window) return 1;
  }
  const std::optional<std::string> temp = MakeReplayFolder(header, folders);
  if (!temp) return 1;

  platform::HeadlessPlatform headless;
  headless.answer_boxes = false;
  std::error_code ec;
  headless.program_path = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  platform::ReplayingPlatform replaying(window ? *window : headless, *record);
  PlayGame(replaying, folders, ReplayFullScreen(options, header));
  replaying.Finish();
  const int code =
      PrintOutcome(options.replay, replaying, folders.save_file, WindowHint(options, header));
  platform::RemoveFolder(*temp);
  return code;
}
