// Records replayed headless on the default pack: whatever the bytes say, the
// replay ends without touching memory it does not own.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
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

// Changes one value of one event: to a 32-bit edge, near its old value, or one bit.
void MutateValue(uint32_t& v, std::minstd_rand& random) {
  constexpr uint32_t kEdges[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
  switch (random() % 3) {
    case 0: v = kEdges[random() % std::size(kEdges)]; break;
    case 1: v += static_cast<uint32_t>(random() % 17) - 8; break;
    default: v ^= 1u << (random() % 32); break;
  }
}

// Where the nth event starts.
size_t EventOffset(const platform::Record& record, size_t n) {
  platform::Event e;
  std::string why;
  size_t at = record.events_at;
  for (size_t i = 0; i < n; ++i) at = platform::ReadEvent(record.bytes, at, e, why);
  return at;
}

}  // namespace

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t max_size);

// Most byte mutations break a record before its first frame; half the time the
// record is read, one value of one event changed, and the record written again.
extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t max_size,
                                          unsigned seed) {
  std::minstd_rand random(seed);
  if (random() % 2 == 0) return LLVMFuzzerMutate(data, size, max_size);
  const platform::Record record =
      platform::ParseRecord(std::string(reinterpret_cast<const char*>(data), size));
  if (!record.error.empty() || record.event_count == 0)
    return LLVMFuzzerMutate(data, size, max_size);
  const size_t at = EventOffset(record, random() % record.event_count);
  const uint32_t values = platform::LayoutOf(data[at])->values;
  if (values == 0) return LLVMFuzzerMutate(data, size, max_size);
  // Values are 32-bit little-endian after the kind and the payload length.
  uint8_t* p = data + at + 5 + 4 * (random() % values);
  uint32_t v = p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
  MutateValue(v, random);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
  return size;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string scratch = ScratchDir();
  platform::Record record =
      platform::ParseRecord(std::string(reinterpret_cast<const char*>(data), size));
  if (!record.error.empty()) return 0;
  if (record.event_count > kMaxEvents) {
    record.events_end = EventOffset(record, kMaxEvents);
    record.event_count = kMaxEvents;
  }
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
