#include "draw/draw_fixture.h"

#include <filesystem>
#include <fstream>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PackRow(std::vector<uint8_t>& out, const std::vector<uint32_t>& row, int bpp) {
  const size_t start = out.size();
  if (bpp < 8) {
    const int per_byte = 8 / bpp;
    for (size_t i = 0; i < row.size(); i += static_cast<size_t>(per_byte)) {
      uint32_t byte = 0;
      for (int k = 0; k < per_byte; ++k) {
        const uint32_t v =
            i + static_cast<size_t>(k) < row.size() ? row[i + static_cast<size_t>(k)] : 0;
        byte |= v << (8 - bpp * (k + 1));
      }
      out.push_back(static_cast<uint8_t>(byte));
    }
  } else {
    for (uint32_t v : row)
      for (int b = 0; b < bpp / 8; ++b) out.push_back(static_cast<uint8_t>(v >> (8 * b)));
  }
  while ((out.size() - start) % 4 != 0) out.push_back(0);
}

}  // namespace

std::vector<uint8_t> PackRows(const std::vector<std::vector<uint32_t>>& rows, int bpp,
                              bool top_down) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < rows.size(); ++i)
    PackRow(out, rows[top_down ? i : rows.size() - 1 - i], bpp);
  return out;
}

std::vector<uint8_t> BmpBytes(const BmpSpec& s) {
  const uint32_t masks_size = s.compression == 3 ? 12 : 0;
  const uint32_t offset = 14 + 40 + masks_size + 4 * static_cast<uint32_t>(s.palette.size());
  std::vector<uint8_t> out = {'B', 'M'};
  Put32(out, offset + static_cast<uint32_t>(s.data.size()));
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(s.width));
  Put32(out, static_cast<uint32_t>(s.top_down ? -s.height : s.height));
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(s.bpp));
  Put32(out, s.compression);
  Put32(out, static_cast<uint32_t>(s.data.size()));
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, static_cast<uint32_t>(s.palette.size()));
  Put32(out, 0);
  for (uint32_t m : s.masks) Put32(out, m);
  for (uint32_t c : s.palette) Put32(out, c);
  out.insert(out.end(), s.data.begin(), s.data.end());
  return out;
}

uint16_t Pack565(uint32_t r, uint32_t g, uint32_t b) {
  return static_cast<uint16_t>((r << 11) | (g << 5) | b);
}

void DrawTest::SetUp() {
  HeadlessTest::SetUp();
  dir_ = MakeTempDir();
  std::filesystem::create_directory(dir_ + "img");
  hp.program_path = dir_ + "lantern-drift";
  ASSERT_EQ(g_draw.Screen(640, 480, 1), 1);
}

void DrawTest::WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  std::ofstream(dir_ + name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// Each RGB565 component widened exactly, so that truncation gives it back.
void DrawTest::WritePicture(const std::string& name, int width,
                            const std::vector<uint16_t>& pixels) {
  std::vector<std::vector<uint32_t>> rows;
  for (size_t i = 0; i < pixels.size(); i += static_cast<size_t>(width)) {
    rows.emplace_back();
    for (size_t x = i; x < i + static_cast<size_t>(width); ++x) {
      const uint32_t p = pixels[x];
      rows.back().push_back(((p >> 11) << 19) | (((p >> 5) & 63) << 10) | ((p & 31) << 3));
    }
  }
  BmpSpec s;
  s.width = width;
  s.height = static_cast<int>(rows.size());
  s.data = PackRows(rows, 24, false);
  WriteFile(name, BmpBytes(s));
}

int DrawTest::Picture(int width, const std::vector<uint16_t>& pixels) {
  const std::string n = std::to_string(pictures_++);
  WritePicture("img/p" + n + ".bmp", width, pixels);
  return g_draw.LoadObject("img\\p" + n + ".bmp", 2);
}

void DrawTest::FillBack(uint16_t value) {
  std::fill(g_draw.BackBuffer().pixels.begin(), g_draw.BackBuffer().pixels.end(), value);
}

std::string DrawTest::LastBox() const {
  if (hp.boxes.empty()) return "";
  return hp.boxes.back().text;
}
