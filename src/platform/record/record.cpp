#include "platform/record/record.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <utility>

#include "platform/file_bytes.h"

namespace platform {
namespace {

constexpr char kMagic[4] = {'L', 'D', 'R', 'C'};
constexpr uint32_t kAbsent = 0xFFFFFFFFu;
constexpr uint32_t kMaxSide = 4096;
constexpr size_t kEventHead = 5;  // kind, payload length

// The table is indexed by kind - 1.
constexpr bool LayoutsInKindOrder() {
  for (size_t i = 0; i < std::size(kEventLayouts); ++i)
    if (static_cast<size_t>(kEventLayouts[i].kind) != i + 1 ||
        kEventLayouts[i].values > kMaxEventValues)
      return false;
  return true;
}
static_assert(LayoutsInKindOrder());

void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutString(std::string& out, const std::optional<std::string>& s) {
  PutU32(out, s ? static_cast<uint32_t>(s->size()) : kAbsent);
  if (s) out += *s;
}

uint32_t U32At(std::string_view bytes, size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)])) << (8 * i);
  return v;
}

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  size_t pos = 0;
  bool Has(size_t n) const { return bytes_.size() - pos >= n; }
  uint32_t U32() {
    pos += 4;
    return U32At(bytes_, pos - 4);
  }
  std::string Take(size_t n) {
    pos += n;
    return std::string(bytes_.substr(pos - n, n));
  }

 private:
  std::string_view bytes_;
};

const char* const kCutHeader = "the record is cut inside its header";

// A string field; false with why when it does not fit.
bool GetString(Reader& r, std::optional<std::string>& out, std::string& why) {
  if (!r.Has(4)) return why = kCutHeader, false;
  const uint32_t size = r.U32();
  if (size == kAbsent) return out.reset(), true;
  if (size > kMaxHeaderText)
    return why = "a text of " + std::to_string(size) + " bytes is too long", false;
  if (!r.Has(size)) return why = kCutHeader, false;
  out = r.Take(size);
  return true;
}

// The window mode and scale of format 3; false with why when out of range.
bool GetWindow(Reader& r, RecordHeader& header, std::string& why) {
  if (!r.Has(8)) return why = kCutHeader, false;
  const uint32_t mode = r.U32(), scale = r.U32();
  if (mode > 1 && mode != kAbsent)
    return why = "window mode " + std::to_string(mode) + " is neither 0 nor 1", false;
  if (scale > kMaxRecordScale)
    return why = "scale " + std::to_string(scale) + " is over " + std::to_string(kMaxRecordScale),
           false;
  header.full_screen = mode == kAbsent ? -1 : static_cast<int>(mode);
  header.scale = static_cast<int>(scale);
  return true;
}

// Reads the header after the magic; false with why and the offset in r.pos.
bool GetHeader(Reader& r, RecordHeader& header, std::string& why) {
  r.pos = 4;
  const uint32_t format = r.U32();
  std::optional<std::string> version;
  if (!GetString(r, version, why)) return false;
  if (!version) return why = "no version", false;
  header.version = *version;
  if (!r.Has(8)) return why = kCutHeader, false;
  header.content_hash = r.U32();
  header.content_hash |= static_cast<uint64_t>(r.U32()) << 32;
  if (format >= 3 && !GetWindow(r, header, why)) return false;
  return GetString(r, header.config, why) && GetString(r, header.save, why);
}

}  // namespace

const EventLayout* LayoutOf(uint8_t kind) {
  return kind >= 1 && kind <= std::size(kEventLayouts) ? &kEventLayouts[kind - 1] : nullptr;
}

const char* EventName(EventKind kind) {
  const EventLayout* layout = LayoutOf(static_cast<uint8_t>(kind));
  return layout != nullptr ? layout->name : "?";
}

uint64_t Fnv1a(uint64_t hash, const void* data, size_t bytes) {
  const auto* p = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < bytes; ++i) hash = (hash ^ p[i]) * 1099511628211ull;
  return hash;
}

uint64_t HashFolders(const std::vector<HashedFolder>& folders) {
  namespace fs = std::filesystem;
  uint64_t hash = kFnvStart;
  for (const HashedFolder& folder : folders) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder.path, ec), end; !ec && it != end;
         it.increment(ec))
      if (it->is_regular_file(ec)) files.push_back(it->path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      // A file its reader refuses (too large, gone, unreadable) is not content.
      const std::string name = fs::relative(file, folder.path, ec).generic_string();
      uint64_t with_file = Fnv1a(hash, name.data(), name.size() + 1);
      if (ReadRegularFileChunks(file.string(), folder.max_file_bytes, [&](std::string_view chunk) {
            with_file = Fnv1a(with_file, chunk.data(), chunk.size());
          }))
        hash = with_file;
    }
  }
  return hash;
}

std::string HeaderRefusal(const RecordHeader& header) {
  const std::pair<const char*, const std::string*> texts[] = {
      {"the version", &header.version},
      {"config.ini", header.config ? &*header.config : nullptr},
      {"save.dat", header.save ? &*header.save : nullptr}};
  for (const auto& [name, text] : texts)
    if (text != nullptr && text->size() > kMaxHeaderText)
      return std::string(name) + " holds " + std::to_string(text->size()) +
             " bytes, more than the " + std::to_string(kMaxHeaderText) + " a record keeps";
  return "";
}

std::string EncodeHeader(const RecordHeader& header) {
  std::string out(kMagic, sizeof kMagic);
  PutU32(out, kRecordFormat);
  PutString(out, header.version);
  PutU32(out, static_cast<uint32_t>(header.content_hash));
  PutU32(out, static_cast<uint32_t>(header.content_hash >> 32));
  PutU32(out, header.full_screen < 0 ? kAbsent : static_cast<uint32_t>(header.full_screen));
  PutU32(out, static_cast<uint32_t>(header.scale));
  PutString(out, header.config);
  PutString(out, header.save);
  return out;
}

std::string EncodeEvent(const Event& event) {
  const EventLayout& layout = *LayoutOf(static_cast<uint8_t>(event.kind));
  std::string payload;
  for (uint32_t i = 0; i < layout.values; ++i) PutU32(payload, event.values[i]);
  if (layout.text) {
    PutU32(payload, static_cast<uint32_t>(event.text.size()));
    payload += event.text;
  }
  if (layout.pixels) payload += event.pixels;
  std::string out(1, static_cast<char>(event.kind));
  PutU32(out, static_cast<uint32_t>(payload.size()));
  return out + payload;
}

std::string RecordStartError(std::string_view start) {
  if (start.size() < kRecordStartBytes || start.substr(0, 4) != std::string_view(kMagic, 4))
    return "byte 0: not a Lantern Drift record";
  const uint32_t format = U32At(start, 4);
  if (format < kOldestRecordFormat || format > kRecordFormat)
    return "byte 4: record format " + std::to_string(format) + ", this program reads formats " +
           std::to_string(kOldestRecordFormat) + " to " + std::to_string(kRecordFormat);
  return "";
}

size_t ReadEvent(std::string_view bytes, size_t at, Event& out, std::string& why) {
  why.clear();
  if (at > bytes.size() || bytes.size() - at < kEventHead) return 0;
  const EventLayout* layout = LayoutOf(static_cast<uint8_t>(bytes[at]));
  if (layout == nullptr)
    return why = "unknown event " + std::to_string(static_cast<uint8_t>(bytes[at])), 0;
  const uint32_t size = U32At(bytes, at + 1);
  if (bytes.size() - at - kEventHead < size) return 0;
  std::string_view payload = bytes.substr(at + kEventHead, size);
  out = Event{};
  out.kind = layout->kind;
  out.offset = at;
  if (size < layout->values * 4) return why = std::string(layout->name) + " is too short", 0;
  for (uint32_t i = 0; i < layout->values; ++i) out.values[i] = U32At(payload, 4 * i);
  payload.remove_prefix(layout->values * 4);
  if (layout->text) {
    if (payload.size() < 4) return why = "a music answer is cut", 0;
    const uint32_t n = U32At(payload, 0);
    if (n > payload.size() - 4) return why = "a music answer runs past its event", 0;
    out.text = payload.substr(4, n);
    payload.remove_prefix(4 + size_t{n});
  }
  if (layout->pixels) {
    const uint32_t w = out.values[2], h = out.values[3];
    // 64 bits: a corner near 2^32 must not wrap back inside.
    if (uint64_t{out.values[0]} + w > kMaxSide || uint64_t{out.values[1]} + h > kMaxSide)
      return why = "drawn text lies outside any picture", 0;
    if (payload.size() != size_t{w} * h * 2)
      return why = "drawn text holds the wrong number of pixels", 0;
    out.pixels = payload;
    payload = {};
  }
  if (!payload.empty()) return why = std::string(layout->name) + " has the wrong size", 0;
  return at + kEventHead + size;
}

Record ParseRecord(std::string bytes) {
  Record rec;
  rec.bytes = std::move(bytes);
  const std::string_view b = rec.bytes;
  auto fail = [&](size_t at, const std::string& reason) {
    rec.error = "byte " + std::to_string(at) + ": " + reason;
    return std::move(rec);
  };
  rec.error = RecordStartError(b);
  if (!rec.error.empty()) return rec;
  Reader r(b);
  std::string why;
  if (!GetHeader(r, rec.header, why)) return fail(r.pos, why);
  rec.events_at = rec.events_end = r.pos;
  Event e;
  for (size_t at = r.pos; at < b.size(); at = rec.events_end) {
    const size_t next = ReadEvent(b, at, e, why);
    if (next == 0 && !why.empty()) return fail(at, why);
    if (next == 0) return rec.cut = true, std::move(rec);
    rec.events_end = next;
    ++rec.event_count;
    if (e.kind == EventKind::kEnd && next != b.size())
      return fail(next, "bytes after the end of the run");
  }
  rec.cut = rec.event_count == 0 || e.kind != EventKind::kEnd;
  return rec;
}

bool HoldsRecord(const std::string& path) {
  const std::optional<std::string> start = ReadFileStart(path, sizeof kMagic);
  return start && *start == std::string_view(kMagic, sizeof kMagic);
}

bool RecordWriter::Open(const std::string& path, const RecordHeader& header, std::string& why) {
  why = HeaderRefusal(header);
  if (!why.empty()) return false;
  if (!file_.Open(path, &why)) return why = "cannot write " + path + ": " + why, false;
  file_.Append(EncodeHeader(header));
  return true;
}

// After the first failure nothing more is written: the record stays a cut one.
void RecordWriter::Write(const Event& event) { file_.Append(EncodeEvent(event)); }

void RecordWriter::Flush() { file_.Flush(); }

bool RecordWriter::Close(std::string& why) { return file_.Close(&why); }

}  // namespace platform
