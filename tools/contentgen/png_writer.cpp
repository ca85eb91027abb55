#include "png_writer.h"

#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// Alpha from the two paintings; the colour is what lies over black, undone by that alpha.
std::vector<uint8_t> Rgba(const Image& on_black, const Image& on_white) {
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(on_black.width()) * on_black.height() * 4);
  for (int y = 0; y < on_black.height(); ++y) {
    for (int x = 0; x < on_black.width(); ++x) {
      const Rgb b = on_black.Get(x, y), w = on_white.Get(x, y);
      const int alpha = 255 - std::min({w.r - b.r, w.g - b.g, w.b - b.b});
      const auto channel = [alpha](uint8_t v) {
        return static_cast<uint8_t>(alpha > 0 ? std::min(255, v * 255 / alpha) : 0);
      };
      out.insert(out.end(), {channel(b.r), channel(b.g), channel(b.b),
                             static_cast<uint8_t>(std::clamp(alpha, 0, 255))});
    }
  }
  return out;
}

}  // namespace

void WritePng(const std::string& path, const Image& on_black, const Image& on_white) {
  std::vector<uint8_t> pixels = Rgba(on_black, on_white);
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) throw std::runtime_error("cannot write " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng failed on " + path);
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(on_black.width()),
               static_cast<png_uint_32>(on_black.height()), 8, PNG_COLOR_TYPE_RGBA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < on_black.height(); ++y)
    png_write_row(png, pixels.data() + static_cast<size_t>(y) * on_black.width() * 4);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
}
