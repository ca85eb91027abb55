#include "platform/record/record.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace platform {
namespace {

constexpr char kMagic[4] = {'L', 'D', 'R', 'C'};
constexpr uint32_t kAbsent = 0xFFFFFFFFu;
constexpr uint32_t kMaxString = 1u << 20;
constexpr uint32_t kMaxSide = 4096;

struct Layout {
  uint32_t values;
  bool text;
  bool pixels;
};

// Indexed by EventKind; 0 is not a kind.
constexpr Layout kLayouts[] = {
    {0, false, false}, {1, false, false}, {4, false, false}, {0, false, false}, {2, false, false},
    {1, false, false}, {1, false, false}, {2, false, false}, {2, false, false}, {3, false, false},
    {1, false, false}, {2, true, false},  {4, false, true},  {3, false, false}};
static_assert(std::size(kLayouts) == kLastEventKind + 1);

void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutString(std::string& out, const std::optional<std::string>& s) {
  PutU32(out, s ? static_cast<uint32_t>(s->size()) : kAbsent);
  if (s) out += *s;
}

class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}
  size_t pos = 0;
  bool Has(size_t n) const { return bytes_.size() - pos >= n; }
  bool AtEnd() const { return pos == bytes_.size(); }
  uint32_t U32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
      v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes_[pos++])) << (8 * i);
    return v;
  }
  uint8_t U8() { return static_cast<uint8_t>(bytes_[pos++]); }
  std::string Take(size_t n) {
    std::string s = bytes_.substr(pos, n);
    pos += n;
    return s;
  }

 private:
  const std::string& bytes_;
};

// A string field; false with why when it does not fit.
bool GetString(Reader& r, std::optional<std::string>& out, std::string& why) {
  if (!r.Has(4)) return why = "the record is cut inside its header", false;
  const uint32_t size = r.U32();
  if (size == kAbsent) return out.reset(), true;
  if (size > kMaxString)
    return why = "a text of " + std::to_string(size) + " bytes is too long", false;
  if (!r.Has(size)) return why = "the record is cut inside its header", false;
  out = r.Take(size);
  return true;
}

}  // namespace

const char* EventName(EventKind kind) {
  static const char* const kNames[] = {
      "?",          "the clock",         "a message",        "a wait",
      "the cursor", "a message box",     "a vertical blank", "lost surfaces",
      "a key",      "a joystick",        "the sound device", "a music command",
      "drawn text", "the end of the run"};
  const auto i = static_cast<size_t>(kind);
  return i < std::size(kNames) ? kNames[i] : "?";
}

uint64_t Fnv1a(uint64_t hash, const void* data, size_t bytes) {
  const auto* p = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < bytes; ++i) hash = (hash ^ p[i]) * 1099511628211ull;
  return hash;
}

uint64_t HashFolders(const std::vector<std::string>& folders) {
  namespace fs = std::filesystem;
  uint64_t hash = kFnvStart;
  for (const std::string& folder : folders) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
      if (it->is_regular_file(ec)) files.push_back(it->path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      const std::string name = fs::relative(file, folder, ec).generic_string();
      hash = Fnv1a(hash, name.data(), name.size() + 1);
      std::ifstream in(file, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
      hash = Fnv1a(hash, bytes.data(), bytes.size());
    }
  }
  return hash;
}

std::string EncodeHeader(const RecordHeader& header) {
  std::string out(kMagic, sizeof kMagic);
  PutU32(out, kRecordFormat);
  PutString(out, header.version);
  PutU32(out, static_cast<uint32_t>(header.content_hash));
  PutU32(out, static_cast<uint32_t>(header.content_hash >> 32));
  PutString(out, header.config);
  PutString(out, header.save);
  return out;
}

std::string EncodeEvent(const Event& event) {
  std::string payload;
  for (uint32_t v : event.values) PutU32(payload, v);
  const Layout& layout = kLayouts[static_cast<size_t>(event.kind)];
  if (layout.text) {
    PutU32(payload, static_cast<uint32_t>(event.text.size()));
    payload += event.text;
  }
  for (uint16_t px : event.pixels) {
    payload.push_back(static_cast<char>(px & 0xFF));
    payload.push_back(static_cast<char>(px >> 8));
  }
  std::string out(1, static_cast<char>(event.kind));
  PutU32(out, static_cast<uint32_t>(payload.size()));
  return out + payload;
}

Record ParseRecord(const std::string& bytes) {
  Record rec;
  Reader r(bytes);
  std::string why;
  auto fail = [&](size_t at, const std::string& reason) {
    rec.error = "byte " + std::to_string(at) + ": " + reason;
    return rec;
  };
  if (!r.Has(8) || bytes.compare(0, 4, kMagic, 4) != 0)
    return fail(0, "not a Lantern Drift record");
  r.pos = 4;
  const uint32_t format = r.U32();
  if (format != kRecordFormat)
    return fail(4, "record format " + std::to_string(format) + ", this program reads format " +
                       std::to_string(kRecordFormat));
  std::optional<std::string> version;
  if (!GetString(r, version, why) || !version) return fail(r.pos, why.empty() ? "no version" : why);
  rec.header.version = *version;
  if (!r.Has(8)) return fail(r.pos, "the record is cut inside its header");
  rec.header.content_hash = r.U32();
  rec.header.content_hash |= static_cast<uint64_t>(r.U32()) << 32;
  if (!GetString(r, rec.header.config, why) || !GetString(r, rec.header.save, why))
    return fail(r.pos, why);
  while (!r.AtEnd()) {
    const size_t at = r.pos;
    if (!r.Has(5)) return rec.cut = true, rec;
    const uint8_t kind = r.U8();
    const uint32_t size = r.U32();
    if (kind == 0 || kind > kLastEventKind)
      return fail(at, "unknown event " + std::to_string(kind));
    if (!r.Has(size)) return rec.cut = true, rec;
    const Layout& layout = kLayouts[kind];
    Event e;
    e.kind = static_cast<EventKind>(kind);
    e.offset = at;
    const size_t end = r.pos + size;
    if (size < layout.values * 4) return fail(at, std::string(EventName(e.kind)) + " is too short");
    for (uint32_t i = 0; i < layout.values; ++i) e.values.push_back(r.U32());
    if (layout.text) {
      if (end - r.pos < 4) return fail(at, "a music answer is cut");
      const uint32_t n = r.U32();
      if (n > end - r.pos) return fail(at, "a music answer runs past its event");
      e.text = r.Take(n);
    }
    if (layout.pixels) {
      const uint32_t w = e.values[2], h = e.values[3];
      // 64 bits: a corner near 2^32 must not wrap back inside.
      if (uint64_t{e.values[0]} + w > kMaxSide || uint64_t{e.values[1]} + h > kMaxSide)
        return fail(at, "drawn text lies outside any picture");
      const size_t count = static_cast<size_t>(w) * h;
      if (end - r.pos != count * 2) return fail(at, "drawn text holds the wrong number of pixels");
      e.pixels.resize(count);
      for (uint16_t& px : e.pixels) px = static_cast<uint16_t>(r.U8() | (r.U8() << 8));
    }
    if (r.pos != end) return fail(at, std::string(EventName(e.kind)) + " has the wrong size");
    rec.events.push_back(std::move(e));
    if (rec.events.back().kind == EventKind::kEnd && !r.AtEnd())
      return fail(r.pos, "bytes after the end of the run");
  }
  rec.cut = rec.events.empty() || rec.events.back().kind != EventKind::kEnd;
  return rec;
}

bool HoldsRecord(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  char magic[sizeof kMagic];
  const bool holds = read(fd, magic, sizeof magic) == static_cast<ssize_t>(sizeof magic) &&
                     std::memcmp(magic, kMagic, sizeof magic) == 0;
  close(fd);
  return holds;
}

bool RecordWriter::Open(const std::string& path, const RecordHeader& header, std::string& why) {
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) return why = "cannot write " + path + ": " + std::strerror(errno), false;
  Put(EncodeHeader(header));
  return true;
}

void RecordWriter::Write(const Event& event) { Put(EncodeEvent(event)); }

// After the first failure nothing more is written: the record stays a cut one.
void RecordWriter::Put(const std::string& bytes) {
  if (file_ == nullptr || !failure_.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
    failure_ = std::strerror(errno);
}

void RecordWriter::Flush() {
  if (file_ != nullptr && failure_.empty() && std::fflush(file_) != 0)
    failure_ = std::strerror(errno);
}

bool RecordWriter::Close(std::string& why) {
  if (file_ != nullptr && std::fclose(file_) != 0 && failure_.empty())
    failure_ = std::strerror(errno);
  file_ = nullptr;
  why = failure_;
  return failure_.empty();
}

RecordWriter::~RecordWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

}  // namespace platform
