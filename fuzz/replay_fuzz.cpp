// Records replayed headless on the default pack: whatever the bytes say, the
// replay ends without touching memory it does not own.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/headless/headless_platform.h"
#include "platform/record/record_platforms.h"
#include "shell/game_runs.h"

namespace {

// Every frame reads the clock at least once, so this bounds the frames too.
constexpr size_t kMaxEvents = 20000;

std::string ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ld-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern + "/";
}

void Put(const std::string& file, const std::optional<std::string>& content) {
  std::filesystem::remove(file);
  if (content) std::ofstream(file, std::ios::binary) << *content;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string scratch = ScratchDir();
  platform::Record record =
      platform::ParseRecord(std::string(reinterpret_cast<const char*>(data), size));
  if (!record.error.empty()) return 0;
  if (record.events.size() > kMaxEvents) record.events.resize(kMaxEvents);
  const Folders folders{.pack = LD_GAME_DIR "/",
                        .game = LD_GAME_DIR "/",
                        .config_file = scratch + "config.ini",
                        .save_file = scratch + "save.dat",
                        .ranking_file = scratch + "save.dat",
                        .debug_file = scratch + "DEBUG.TXT"};
  Put(folders.config_file, record.header.config);
  Put(folders.save_file, record.header.save);
  platform::HeadlessPlatform output;
  output.answer_boxes = false;
  output.program_path = LD_GAME_DIR "/lantern-drift";
  platform::ReplayingPlatform replaying(output, record);
  PlayGame(replaying, folders, -1);
  replaying.Finish();
  return 0;
}
