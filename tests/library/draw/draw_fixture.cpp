#include "library/draw/draw_fixture.h"

#include <algorithm>

#include "library/ui/start.h"

void DrawTest::SetUp() {
  HeadlessTest::SetUp();
  hp.program_path = MakeTempDir() + "lantern-drift";
  ASSERT_EQ(StartLibrary(640, 480, 1), 1);
}

// Each RGB565 component widened exactly, so that truncation gives it back.
void DrawTest::WritePicture(const std::string& name, int width,
                            const std::vector<uint16_t>& pixels) {
  const int height = static_cast<int>(pixels.size()) / width;
  WriteFile(name, test_bytes::Bmp24(width, height, [&](int x, int y) {
              const uint32_t p = pixels[static_cast<size_t>(y * width + x)];
              return ((p >> 11) << 19) | (((p >> 5) & 63) << 10) | ((p & 31) << 3);
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
