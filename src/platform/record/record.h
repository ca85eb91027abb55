// A record of one run: what the program read from the platform that can vary,
// in the order it read it, so that a later run can be fed the same answers.
// The byte layout is described in HACKING.md ("Records").
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_writer.h"

namespace platform {

// Format 3 adds the window mode and scale to the header; format 2 is still read.
constexpr uint32_t kRecordFormat = 3;
constexpr uint32_t kOldestRecordFormat = 2;
// The magic and the format: what is read of a file before the rest.
constexpr size_t kRecordStartBytes = 8;

// Larger than any recorded run: an hour of play measured about 80 MB, or 860 MB
// with the frame-rate display on (its text is kept as pixels every frame).
inline constexpr size_t kMaxRecordBytes = size_t{2} << 30;
// The most a header text holds: as much as the game reads of config.ini or save.dat.
inline constexpr uint32_t kMaxHeaderText = 16u << 20;
constexpr uint32_t kMaxRecordScale = 9;

enum class EventKind : uint8_t {
  kClock = 1,
  kPeek,
  kWait,
  kCursor,
  kMessageBox,
  kVerticalBlank,
  kSurfacesLost,
  kKeyDown,
  kJoystick,
  kOpenSound,
  kMusic,
  kText,
  kEnd,
};

// What an event of a kind holds after its kind and payload length: 32-bit
// values, then, for a music answer, a length and its bytes, or for drawn text
// width x height 16-bit pixels (its values 2 and 3).
struct EventLayout {
  EventKind kind;
  const char* name;  // in messages: "the program asked for NAME"
  uint32_t values;
  bool text;
  bool pixels;
};

inline constexpr EventLayout kEventLayouts[] = {
    {EventKind::kClock, "the clock", 1, false, false},                 // milliseconds
    {EventKind::kPeek, "a message", 4, false, false},                  // got, kind, wparam, lparam
    {EventKind::kWait, "a wait", 0, false, false},                     // WaitMessage returned
    {EventKind::kCursor, "the cursor", 2, false, false},               // x, y
    {EventKind::kMessageBox, "a message box", 1, false, false},        // answer
    {EventKind::kVerticalBlank, "a vertical blank", 1, false, false},  // answer
    // answer, how many calls before it had the answer before it
    {EventKind::kSurfacesLost, "lost surfaces", 2, false, false},
    {EventKind::kKeyDown, "a key", 2, false, false},               // vk, down
    {EventKind::kJoystick, "a joystick", 3, false, false},         // joystick, present, mask
    {EventKind::kOpenSound, "the sound device", 1, false, false},  // answer
    {EventKind::kMusic, "a music command", 2, true, false},        // result, has answer; answer
    // x, y, width, height of what DrawText changed; pixels: that box after it
    {EventKind::kText, "drawn text", 4, false, true},
    {EventKind::kEnd, "the end of the run", 3, false, false},  // frames, checksum low, high
};
constexpr size_t kMaxEventValues = 4;

// The row of a kind byte; nullptr when it names no kind.
const EventLayout* LayoutOf(uint8_t kind);
const char* EventName(EventKind kind);

// One event: read from a record, its texts are views into the record's bytes;
// to write one, they are views into the writer's own.
struct Event {
  EventKind kind = EventKind::kClock;
  std::array<uint32_t, kMaxEventValues> values{};  // as many as the kind holds, the rest 0
  std::string_view text;                           // a music answer
  std::string_view pixels;  // drawn text: 16-bit pixels, low byte first, row by row
  size_t offset = 0;        // where it starts in the record, for messages
};

struct RecordHeader {
  std::string version;
  uint64_t content_hash = 0;
  // The player's files as they were when the run began; none when missing.
  std::optional<std::string> config;
  std::optional<std::string> save;
  // The window the run began in: 1 full screen, 0 windowed, -1 not said (format 2);
  // the scale asked for, 0 when not said.
  int full_screen = -1;
  int scale = 0;
};

// A record is kept as its bytes, and its events are read from them as they are
// replayed: memory stays the size of the file whatever the events are.
struct Record {
  RecordHeader header;
  std::string bytes;
  size_t events_at = 0;   // where the first event starts
  size_t events_end = 0;  // where the last whole event ends
  size_t event_count = 0;
  bool cut = false;   // it ends before the end event: the run was stopped or killed
  std::string error;  // set when the bytes are not a record; "byte N: reason"
};

// "byte N: reason" when start (at least the first kRecordStartBytes of a file)
// is not the start of a record this program reads; else empty.
std::string RecordStartError(std::string_view start);
// Reads a record's bytes; never fails but says why in error (the events read so
// far stay, for a cut record).
Record ParseRecord(std::string bytes);
// Reads the event that starts at `at`: the offset after it, or 0 when the bytes
// end inside it (why empty) or it is damaged (why says how).
size_t ReadEvent(std::string_view bytes, size_t at, Event& out, std::string& why);

// Running FNV-1a over bytes, for content.
uint64_t Fnv1a(uint64_t hash, const void* data, size_t bytes);
constexpr uint64_t kFnvStart = 14695981039346656037ull;
// A folder of content and the largest file its reader opens.
struct HashedFolder {
  std::string path;
  size_t max_file_bytes;
};
// A hash of every file the game can open under the given folders (regular files
// within their reader's limit), in sorted path order; a missing folder counts as empty.
uint64_t HashFolders(const std::vector<HashedFolder>& folders);
// Whether path holds a record: its first bytes are the record's magic.
bool HoldsRecord(const std::string& path);

// Appends a record to a file. The recording flushes it once a presented frame,
// so a crash keeps every frame before it.
class RecordWriter {
 public:
  // false when the file cannot be written or the header does not fit a
  // record; why says so.
  bool Open(const std::string& path, const RecordHeader& header, std::string& why);
  void Write(const Event& event);
  void Flush();
  // Closes the file; false when any write, flush or the close failed (a full
  // disk): the record then stops short, and why says at what.
  bool Close(std::string& why);

 private:
  StreamFile file_;
};

// Why header cannot be written to a record (a text over kMaxHeaderText); empty when it can.
std::string HeaderRefusal(const RecordHeader& header);
std::string EncodeHeader(const RecordHeader& header);
std::string EncodeEvent(const Event& event);

}  // namespace platform
