// Drawing tests: an open 640x480 display on the headless platform, and BMP
// files written into the program folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "library/draw/el_draw.h"
#include "support/headless_test.h"

// What a BMP file holds, before its headers are written.
struct BmpSpec {
  int width = 0;
  int height = 0;  // written negative when top_down
  int bpp = 24;
  uint32_t compression = 0;  // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
  bool top_down = false;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint32_t> masks;    // red, green, blue for bit fields
  std::vector<uint8_t> data;      // the pixel array as stored
};

std::vector<uint8_t> BmpBytes(const BmpSpec& spec);
// Rows given top to bottom, as palette indices or pixel values; packed and
// padded to four bytes in the file's row order.
std::vector<uint8_t> PackRows(const std::vector<std::vector<uint32_t>>& rows, int bpp,
                              bool top_down);

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
