#include "support/test_bytes.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace test_bytes {

void Put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

Bytes PackRows(const std::vector<std::vector<uint32_t>>& rows, int bpp, bool top_down) {
  Bytes out;
  for (size_t i = 0; i < rows.size(); ++i) {
    for (uint32_t v : rows[top_down ? i : rows.size() - 1 - i])
      for (int b = 0; b < bpp / 8; ++b) out.push_back(static_cast<uint8_t>(v >> (8 * b)));
    while (out.size() % 4 != 0) out.push_back(0);
  }
  return out;
}

Bytes Bmp(const BmpSpec& s) {
  const uint32_t masks_size = s.compression == 3 ? 12 : 0;
  const uint32_t offset = 14 + 40 + masks_size + 4 * static_cast<uint32_t>(s.palette.size());
  Bytes out = {'B', 'M'};
  const auto size = static_cast<uint32_t>(s.data.size());
  for (uint32_t v : {offset + size, 0u, offset, 40u, static_cast<uint32_t>(s.width),
                     static_cast<uint32_t>(s.top_down ? -s.height : s.height)})
    Put32(out, v);
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(s.bpp));
  for (uint32_t v :
       {s.compression, size, 2835u, 2835u, static_cast<uint32_t>(s.palette.size()), 0u})
    Put32(out, v);
  for (uint32_t m : s.masks) Put32(out, m);
  for (uint32_t c : s.palette) Put32(out, c);
  out.insert(out.end(), s.data.begin(), s.data.end());
  return out;
}

Bytes Bmp24(int width, int height, const Painter& paint) {
  std::vector<std::vector<uint32_t>> rows(static_cast<size_t>(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) rows[static_cast<size_t>(y)].push_back(paint(x, y));
  return Bmp({.width = width, .height = height, .data = PackRows(rows, 24, false)});
}

Bytes Bmp24(int width, int height, uint32_t rgb) {
  return Bmp24(width, height, [rgb](int, int) { return rgb; });
}

Bytes Chunk(const std::string& id, const Bytes& body) {
  Bytes b(id.begin(), id.end());
  Put32(b, static_cast<uint32_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() % 2 == 1) b.push_back(0);
  return b;
}

Bytes Fmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
  const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
  Bytes b;
  for (uint32_t v : {uint32_t{tag}, uint32_t{channels}}) Put16(b, v);
  for (uint32_t v : {rate, rate * align}) Put32(b, v);
  for (uint32_t v : {uint32_t{align}, uint32_t{bits}}) Put16(b, v);
  return b;
}

Bytes Riff(const std::vector<Bytes>& chunks) {
  Bytes body{'W', 'A', 'V', 'E'};
  for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
  return Chunk("RIFF", body);
}

Bytes Pcm16(const std::vector<int16_t>& samples, uint32_t rate) {
  Bytes data;
  for (int16_t s : samples) Put16(data, static_cast<uint16_t>(s));
  return Riff({Chunk("fmt ", Fmt(1, 1, rate, 16)), Chunk("data", data)});
}

Bytes Midi(uint16_t ticks_per_quarter, const Bytes& events) {
  Bytes b = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1};
  b.push_back(static_cast<uint8_t>(ticks_per_quarter >> 8));
  b.push_back(static_cast<uint8_t>(ticks_per_quarter));
  b.insert(b.end(), {'M', 'T', 'r', 'k'});
  for (int shift = 24; shift >= 0; shift -= 8)
    b.push_back(static_cast<uint8_t>(events.size() >> shift));
  b.insert(b.end(), events.begin(), events.end());
  return b;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

void WriteFile(const std::string& path, const std::string& bytes) {
  const std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace test_bytes
