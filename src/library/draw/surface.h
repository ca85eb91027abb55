// A picture in ordinary memory: RGB565 pixels (red 0xF800, green 0x07E0, blue 0x001F).
#pragma once

#include <cstdint>
#include <vector>

struct Surface {
  int width = 0;
  int height = 0;
  int pitch = 0;     // pixels per row
  uint16_t key = 0;  // pixels of this value are skipped by keyed copies
  std::vector<uint16_t> pixels;

  void Create(int w, int h) {
    width = w;
    height = h;
    pitch = w;
    pixels.assign(static_cast<size_t>(w) * h, 0);
  }
  uint16_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * pitch; }
  const uint16_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * pitch; }
};
