#include "image.h"

#include <algorithm>
#include <cmath>
#include <queue>

namespace {

uint8_t Clamp(float v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

Rgb Mix(Rgb a, Rgb b, float t) {
  return {Clamp(a.r + (b.r - a.r) * t), Clamp(a.g + (b.g - a.g) * t), Clamp(a.b + (b.b - a.b) * t)};
}

Rgb Scale(Rgb c, float factor) {
  return {Clamp(c.r * factor), Clamp(c.g * factor), Clamp(c.b * factor)};
}

Image::Image(int width, int height, float unit)
    : width_(width), height_(height), unit_(unit), pixels_(static_cast<size_t>(width) * height) {}

void Image::Set(int x, int y, Rgb c) {
  if (Inside(x, y)) pixels_[Index(x, y)] = c;
}

void Image::Blend(int x, int y, Rgb c, float alpha) {
  if (!Inside(x, y) || alpha <= 0.0f) return;
  Rgb& p = pixels_[Index(x, y)];
  p = Mix(p, c, std::min(alpha, 1.0f));
}

void Image::AddLight(int x, int y, Rgb c, float amount) {
  if (!Inside(x, y) || amount <= 0.0f) return;
  Rgb& p = pixels_[Index(x, y)];
  p = {Clamp(p.r + c.r * amount), Clamp(p.g + c.g * amount), Clamp(p.b + c.b * amount)};
}

void Image::PasteKeyed(const Image& source, int sx, int sy, int w, int h, int dx, int dy) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (!source.Inside(sx + x, sy + y)) continue;
      const Rgb c = source.Get(sx + x, sy + y);
      if (c.r != 0 || c.g != 0 || c.b != 0) Set(dx + x, dy + y, c);
    }
  }
}

void Image::PasteLit(const Image& source, int dx, int dy) {
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) {
      if (!Inside(dx + x, dy + y)) continue;
      const Rgb s = source.Get(x, y);
      const float alpha = std::min(1.0f, std::max({s.r, s.g, s.b}) / 64.0f);
      const Rgb d = Get(dx + x, dy + y);
      Set(dx + x, dy + y,
          {Clamp(d.r * (1 - alpha) + s.r), Clamp(d.g * (1 - alpha) + s.g),
           Clamp(d.b * (1 - alpha) + s.b)});
    }
  }
}

void Image::CleanKeyedEdges() {
  const auto dark = [](Rgb c) { return std::max({c.r, c.g, c.b}) < kLeastVisible; };
  const auto dim = [](Rgb c) { return Luminance(c) < kLeastEdge; };
  std::vector<bool> keyed(pixels_.size(), false);
  std::queue<int> open;
  for (int i = 0; i < static_cast<int>(pixels_.size()); ++i) {
    if (IsKey(pixels_[i])) keyed[i] = true, open.push(i);
  }
  // The key spreads through every dim pixel it touches: a fading glow ends in the key, not in
  // a dark rim that would show on the brighter floors.
  while (!open.empty()) {
    const int i = open.front();
    open.pop();
    const int x = i % width_, y = i / width_;
    const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
    for (const auto& n : next) {
      if (!Inside(n[0], n[1])) continue;
      const int j = Index(n[0], n[1]);
      if (!keyed[j] && dim(pixels_[j])) keyed[j] = true, open.push(j);
    }
  }
  for (size_t i = 0; i < pixels_.size(); ++i) {
    Rgb& p = pixels_[i];
    if (keyed[i]) {
      p = {};
    } else if (dark(p)) {
      p = Scale(p, static_cast<float>(kLeastVisible) / std::max({p.r, p.g, p.b}));
    }
  }
}

Image Image::Shrink(int factor) const {
  Image out(width_ / factor, height_ / factor, unit_ / factor);
  const float n = static_cast<float>(factor * factor);
  for (int y = 0; y < out.height_; ++y) {
    for (int x = 0; x < out.width_; ++x) {
      float r = 0, g = 0, b = 0;
      for (int j = 0; j < factor; ++j) {
        for (int i = 0; i < factor; ++i) {
          const Rgb c = Get(x * factor + i, y * factor + j);
          r += c.r;
          g += c.g;
          b += c.b;
        }
      }
      out.Set(x, y, {Clamp(r / n), Clamp(g / n), Clamp(b / n)});
    }
  }
  return out;
}
