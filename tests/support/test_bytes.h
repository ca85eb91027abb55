// The bytes of the files the program reads (BMP, WAV, MIDI) and a writer for any file,
// built for tests, benchmarks and fuzzers alike.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace test_bytes {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint32_t v);
void Put32(Bytes& b, uint32_t v);

// What a BMP file holds, before its headers are written.
struct BmpSpec {
  int width = 0;
  int height = 0;  // written negative when top_down
  int bpp = 24;
  uint32_t compression = 0;  // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
  bool top_down = false;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint32_t> masks;    // red, green, blue for bit fields
  Bytes data;                     // the pixel array as stored
};
Bytes Bmp(const BmpSpec& spec);
// Rows given top to bottom as pixel values of 8 bits or more; packed and
// padded to four bytes in the file's row order.
Bytes PackRows(const std::vector<std::vector<uint32_t>>& rows, int bpp, bool top_down);
// A 24-bit bottom-up BMP; paint gives 0xRRGGBB for each pixel.
using Painter = std::function<uint32_t(int x, int y)>;
Bytes Bmp24(int width, int height, const Painter& paint);
Bytes Bmp24(int width, int height, uint32_t rgb);

// RIFF WAVE: a chunk (padded to an even size), a format block, the file.
Bytes Chunk(const std::string& id, const Bytes& body);
Bytes Fmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits);
Bytes Riff(const std::vector<Bytes>& chunks);
// A 16-bit mono PCM wave with the given samples.
Bytes Pcm16(const std::vector<int16_t>& samples, uint32_t rate = 22050);

// A format-0 standard MIDI file of one track; events are the track's bytes,
// end of track included.
Bytes Midi(uint16_t ticks_per_quarter, const Bytes& events);

// Writes bytes to path, creating its folders.
void WriteFile(const std::string& path, const Bytes& bytes);
void WriteFile(const std::string& path, const std::string& bytes);
// The bytes of path; empty if it cannot be read.
std::string ReadFile(const std::string& path);

}  // namespace test_bytes
