// Drawing tests: an open 640x480 display on the headless platform, and BMP
// files written into the program folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "library/draw/el_draw.h"
#include "support/headless_test.h"
#include "support/test_bytes.h"

using test_bytes::BmpSpec;
using test_bytes::PackRows;

class DrawTest : public HeadlessTest {
 protected:
  void SetUp() override;

 public:
  // Writes a 24-bit picture; pixels are RGB565 values, rows top to bottom.
  void WritePicture(const std::string& name, int width, const std::vector<uint16_t>& pixels);
  void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes);
  // Writes and loads a picture; its handle.
  int Picture(int width, const std::vector<uint16_t>& pixels);
  void FillBack(uint16_t value);
  uint16_t Back(int x, int y) { return g_draw.BackBuffer().Row(y)[x]; }
  // The last box shown, as "context : message".
  std::string LastBox() const;

  std::string dir_;
  int pictures_ = 0;
};

uint16_t Pack565(uint32_t r, uint32_t g, uint32_t b);
