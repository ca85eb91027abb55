// Drawing tests: an open 640x480 display on the headless platform, and BMP
// files written into the program folder (the current directory).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "library/draw/el_draw.h"
#include "support/headless_test.h"
#include "support/test_bytes.h"

using test_bytes::BmpSpec;
using test_bytes::PackRows;
using test_bytes::WriteFile;

constexpr uint16_t Pack565(uint32_t r, uint32_t g, uint32_t b) {
  return static_cast<uint16_t>((r << 11) | (g << 5) | b);
}

class DrawTest : public HeadlessTest {
 protected:
  void SetUp() override;

 public:
  // Writes a 24-bit picture; pixels are RGB565 values, rows top to bottom.
  static void WritePicture(const std::string& name, int width, const std::vector<uint16_t>& pixels);
  // Writes and loads a picture; its handle.
  int Picture(int width, const std::vector<uint16_t>& pixels);
  static void FillBack(uint16_t value);
  static uint16_t Back(int x, int y) { return g_draw.BackBuffer().Row(y)[x]; }
  // The last box shown, as "context : message".
  std::string LastBox() const { return hp.boxes.empty() ? "" : hp.boxes.back().text; }

  int pictures_ = 0;
};
