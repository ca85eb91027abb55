// The RIFF WAVE reader. Reads go by file position, not by chunk, as the old
// buffered RIFF functions did: the format block and its extra bytes are read
// straight on, and only running out of file fails a read.
#include "library/sound/wave_file.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/file_bytes.h"

namespace {

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

struct Chunk {
  size_t data = 0;  // offset of the chunk's first data byte
  uint32_t size = 0;
};

// Walks the chunks whose headers lie in [begin, end), word aligned, for id.
bool FindChunk(const uint8_t* bytes, size_t begin, size_t end, const char* id, Chunk& out) {
  size_t pos = begin;
  while (pos <= end && end - pos >= 8) {
    const uint32_t size = Le32(bytes + pos + 4);
    if (std::memcmp(bytes + pos, id, 4) == 0) {
      out = {pos + 8, size};
      return true;
    }
    pos += 8 + static_cast<size_t>(size) + (size & 1);
  }
  return false;
}

bool Fits(size_t file_size, size_t offset, size_t count) {
  return offset <= file_size && count <= file_size - offset;
}

bool ReadFormat(const uint8_t* bytes, size_t size, const Chunk& fmt, WaveData& out) {
  if (fmt.size < 16 || !Fits(size, fmt.data, 16)) return false;
  const uint8_t* f = bytes + fmt.data;
  out.format = {Le16(f), Le16(f + 2), Le32(f + 4), Le32(f + 8), Le16(f + 12), Le16(f + 14), {}};
  if (out.format.format_tag == 1) return true;
  if (!Fits(size, fmt.data + 16, 2)) return false;
  const uint16_t extra = Le16(f + 16);
  if (!Fits(size, fmt.data + 18, extra)) return false;
  out.format.extra.assign(f + 18, f + 18 + extra);
  return true;
}

// Empty when the wave is read, else what is wrong with it.
std::string ParseWave(const uint8_t* bytes, size_t size, WaveData& out) {
  if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
    return "not a RIFF WAVE file";
  const size_t riff_end =
      static_cast<size_t>(std::min<uint64_t>(size, uint64_t{8} + Le32(bytes + 4)));
  Chunk fmt, data;
  if (!FindChunk(bytes, 12, riff_end, "fmt ", fmt)) return "there is no fmt chunk";
  if (!ReadFormat(bytes, size, fmt, out)) return "the fmt chunk is cut short";
  if (!FindChunk(bytes, 12, riff_end, "data", data)) return "there is no data chunk";
  if (!Fits(size, data.data, data.size)) return "the data chunk is cut short";
  out.samples.assign(bytes + data.data, bytes + data.data + data.size);
  return "";
}

int ReadWave(const uint8_t* data, size_t size, WaveData& out, std::string& why) {
  out = WaveData();
  why = data != nullptr ? ParseWave(data, size, out) : "not a RIFF WAVE file";
  if (why.empty()) return 0;
  out = WaveData();
  return 1;
}

}  // namespace

int ReadWaveBytes(const uint8_t* data, size_t size, WaveData& out) {
  std::string why;
  return ReadWave(data, size, out, why);
}

int ReadWaveFile(const std::string& path, WaveData& out, std::string& why) {
  const std::optional<std::string> bytes =
      platform::ReadRegularFile(path, platform::kMaxWaveFileBytes, &why);
  if (!bytes) {
    out = WaveData();
    return 1;
  }
  return ReadWave(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size(), out, why);
}
