// A record of one run: what the program read from the platform that can vary,
// in the order it read it, so that a later run can be fed the same answers.
// The byte layout is described in HACKING.md ("Records").
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace platform {

constexpr uint32_t kRecordFormat = 2;

// Larger than any recorded run: an hour of play measured about 80 MB, or 860 MB
// with the frame-rate display on (its text is kept as pixels every frame).
inline constexpr size_t kMaxRecordBytes = size_t{2} << 30;

enum class EventKind : uint8_t {
  kClock = 1,
  kPeek,           // got, kind, wparam, lparam
  kWait,           // WaitMessage returned
  kCursor,         // x, y
  kMessageBox,     // answer
  kVerticalBlank,  // answer
  kSurfacesLost,   // answer, how many calls before it had the answer before it
  kKeyDown,        // vk, down
  kJoystick,       // joystick, present, mask
  kOpenSound,      // answer
  kMusic,          // result, has answer; text: the answer
  kText,           // x, y, width, height of what DrawText changed; pixels: that box after it
  kEnd,            // frames presented, frame checksum low and high 32 bits
};
constexpr uint8_t kLastEventKind = static_cast<uint8_t>(EventKind::kEnd);

struct Event {
  EventKind kind = EventKind::kClock;
  std::vector<uint32_t> values;  // as many as the kind holds
  std::string text;
  std::vector<uint16_t> pixels;
  size_t offset = 0;  // where it starts in the record, for messages
};

struct RecordHeader {
  std::string version;
  uint64_t content_hash = 0;
  // The player's files as they were when the run began; none when missing.
  std::optional<std::string> config;
  std::optional<std::string> save;
};

struct Record {
  RecordHeader header;
  std::vector<Event> events;
  bool cut = false;   // it ends before the end event: the run was stopped or killed
  std::string error;  // set when the bytes are not a record; "byte N: reason"
};

// Reads a record's bytes; never fails but says why in error (the events read so
// far stay, for a cut record).
Record ParseRecord(const std::string& bytes);

// Running FNV-1a over bytes, for content.
uint64_t Fnv1a(uint64_t hash, const void* data, size_t bytes);
constexpr uint64_t kFnvStart = 14695981039346656037ull;
// A hash of every file under the given folders, in sorted path order; a missing folder counts as
// empty.
uint64_t HashFolders(const std::vector<std::string>& folders);
// Whether path holds a record: its first bytes are the record's magic.
bool HoldsRecord(const std::string& path);

// Appends a record to a file. The recording flushes it once a presented frame,
// so a crash keeps every frame before it.
class RecordWriter {
 public:
  // false when the file cannot be written; why says so.
  bool Open(const std::string& path, const RecordHeader& header, std::string& why);
  void Write(const Event& event);
  void Flush();
  // Closes the file; false when any write, flush or the close failed (a full
  // disk): the record then stops short, and why says at what.
  bool Close(std::string& why);
  ~RecordWriter();

 private:
  void Put(const std::string& bytes);

  std::FILE* file_ = nullptr;
  std::string failure_;
};

std::string EncodeHeader(const RecordHeader& header);
std::string EncodeEvent(const Event& event);
const char* EventName(EventKind kind);

}  // namespace platform
