// RIFF WAVE images built byte by byte for the sound tests.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace wave_bytes {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

inline Bytes Chunk(const std::string& id, const Bytes& body) {
  Bytes b(id.begin(), id.end());
  Put32(b, static_cast<uint32_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() % 2 == 1) b.push_back(0);
  return b;
}

inline Bytes Fmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
  const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
  Bytes b;
  Put16(b, tag);
  Put16(b, channels);
  Put32(b, rate);
  Put32(b, rate * align);
  Put16(b, align);
  Put16(b, bits);
  return b;
}

inline Bytes Riff(const std::vector<Bytes>& chunks) {
  Bytes body{'W', 'A', 'V', 'E'};
  for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
  return Chunk("RIFF", body);
}

// A 16-bit mono PCM wave with the given samples.
inline Bytes Pcm16(const std::vector<int16_t>& samples, uint32_t rate = 22050) {
  Bytes data;
  for (int16_t s : samples) Put16(data, static_cast<uint16_t>(s));
  return Riff({Chunk("fmt ", Fmt(1, 1, rate, 16)), Chunk("data", data)});
}

inline void Write(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace wave_bytes
