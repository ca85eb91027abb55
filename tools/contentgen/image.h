// An RGB picture in memory, the canvas every picture is painted on.
#pragma once

#include <cstdint>
#include <vector>

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

// The darkest channel maximum a keyed picture keeps; anything darker would show as a black rim.
constexpr int kLeastVisible = 48;
// The least brightness a pixel next to the key keeps: dimmer outlines read as dark rims.
constexpr int kLeastEdge = 72;
// Perceived brightness, 0 to 255.
inline int Luminance(Rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }
// True when the game's RGB565 conversion turns the colour into the black key.
inline bool IsKey(Rgb c) { return (c.r >> 3) == 0 && (c.g >> 2) == 0 && (c.b >> 3) == 0; }

// Linear mix of two colours: t 0 gives a, 1 gives b.
Rgb Mix(Rgb a, Rgb b, float t);
// The colour scaled towards black by factor (0..1 and beyond, clamped).
Rgb Scale(Rgb c, float factor);

class Image {
 public:
  // unit: pixels per painting unit; shapes are given in units, so art can be painted at any size.
  Image(int width, int height, float unit = 1.0f);

  float unit() const { return unit_; }
  int width() const { return width_; }
  int height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Rgb Get(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, Rgb c);
  // Lays c over the pixel with the given weight; outside the picture nothing happens.
  void Blend(int x, int y, Rgb c, float alpha);
  // Adds light: the pixel brightens towards c by amount, never past white.
  void AddLight(int x, int y, Rgb c, float amount);

  // Copies the non-black pixels of part (sx, sy, w, h) of source to (dx, dy).
  void PasteKeyed(const Image& source, int sx, int sy, int w, int h, int dx, int dy);
  // Lays a picture painted on black over this one: dark parts count as light added,
  // so glows blend in instead of leaving black squares.
  void PasteLit(const Image& source, int dx, int dy);
  // Makes a picture drawn with the black key end cleanly: near-black pixels that touch the
  // key become the key, and the dark inside parts are lifted to kLeastVisible.
  void CleanKeyedEdges();
  // Averages factor x factor blocks: painting large and shrinking smooths edges.
  Image Shrink(int factor) const;

 private:
  int Index(int x, int y) const { return y * width_ + x; }

  int width_;
  int height_;
  float unit_;
  std::vector<Rgb> pixels_;
};
