#include "bmp_writer.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// BITMAPFILEHEADER followed by a BITMAPINFOHEADER for a bottom-up 24-bit picture.
void PutHeaders(std::vector<uint8_t>& out, const Image& image, uint32_t pixel_bytes) {
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + pixel_bytes);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, image.width());
  Put32(out, image.height());
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, pixel_bytes);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
}

}  // namespace

void WriteBmp(const std::string& path, const Image& image) {
  const uint32_t row_bytes = (image.width() * 3 + 3) & ~3u;
  std::vector<uint8_t> out;
  PutHeaders(out, image, row_bytes * image.height());
  for (int y = image.height() - 1; y >= 0; --y) {
    const size_t row_start = out.size();
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.Get(x, y);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    out.resize(row_start + row_bytes, 0);
  }
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}
