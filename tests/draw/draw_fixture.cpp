#include "draw/draw_fixture.h"

#include <filesystem>

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
  test_bytes::WriteFile(dir_ + name, bytes);
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
  WriteFile(name, test_bytes::Bmp24(width, static_cast<int>(rows.size()), [&rows](int x, int y) {
              return rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
            }));
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
