#include "text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace {

constexpr const char* kProportional = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";
constexpr const char* kFixed = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

std::map<std::tuple<bool, int, bool>, TTF_Font*> fonts;

TTF_Font* FontFor(const TextStyle& style) {
  const auto key = std::make_tuple(style.mono, style.size, style.bold);
  auto found = fonts.find(key);
  if (found != fonts.end()) return found->second;
  TTF_Font* font = TTF_OpenFont(style.mono ? kFixed : kProportional, style.size);
  if (font == nullptr) throw std::runtime_error(std::string("cannot open font: ") + TTF_GetError());
  TTF_SetFontStyle(font, style.bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL);
  TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
  fonts[key] = font;
  return font;
}

// How much each pixel of the rendered line is covered, 0..1.
struct Coverage {
  int width = 0, height = 0;
  std::vector<float> alpha;
  float At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
    return alpha[y * width + x];
  }
};

Coverage Render(const std::string& text, const TextStyle& style) {
  SDL_Surface* rendered =
      TTF_RenderUTF8_Blended(FontFor(style), text.c_str(), {255, 255, 255, 255});
  if (rendered == nullptr)
    throw std::runtime_error(std::string("cannot set text: ") + TTF_GetError());
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  Coverage c{argb->w, argb->h, std::vector<float>(static_cast<size_t>(argb->w) * argb->h)};
  for (int y = 0; y < argb->h; ++y) {
    const auto* row =
        reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
    for (int x = 0; x < argb->w; ++x) c.alpha[y * c.width + x] = (row[x] >> 24) / 255.0f;
  }
  SDL_FreeSurface(argb);
  return c;
}

// A soft halo: the coverage spread over radius pixels and normalised.
Coverage Spread(const Coverage& c, int radius) {
  Coverage out{c.width + 2 * radius, c.height + 2 * radius, {}};
  out.alpha.assign(static_cast<size_t>(out.width) * out.height, 0.0f);
  const float sigma = radius * 0.5f + 0.5f;
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      float sum = 0.0f, weight = 0.0f;
      for (int j = -radius; j <= radius; ++j) {
        for (int i = -radius; i <= radius; ++i) {
          const float w = std::exp(-(i * i + j * j) / (2 * sigma * sigma));
          sum += w * c.At(x - radius + i, y - radius + j);
          weight += w;
        }
      }
      out.alpha[y * out.width + x] = std::min(1.0f, 2.5f * sum / weight);
    }
  }
  return out;
}

int LeftEdge(int x, int width, Align align) {
  switch (align) {
    case Align::kLeft: return x;
    case Align::kCentre: return x - width / 2;
    case Align::kRight: return x - width;
  }
  return x;
}

}  // namespace

TextStyle Style(int size, Rgb colour, bool bold) {
  TextStyle s;
  s.size = size;
  s.colour = s.colour_bottom = colour;
  s.bold = bold;
  return s;
}

TextStyle GlowingStyle(int size, Rgb colour, Rgb colour_bottom, Rgb glow, int glow_radius) {
  TextStyle s = Style(size, colour, true);
  s.colour_bottom = colour_bottom;
  s.glow = glow;
  s.glow_radius = glow_radius;
  return s;
}

void OpenFonts() {
  if (TTF_Init() != 0) throw std::runtime_error(std::string("TTF_Init: ") + TTF_GetError());
}

void CloseFonts() {
  for (auto& [key, font] : fonts) TTF_CloseFont(font);
  fonts.clear();
  TTF_Quit();
}

void DrawText(Image& image, const std::string& text, int x, int y, Align align,
              const TextStyle& style) {
  const Coverage c = Render(text, style);
  const int left = LeftEdge(x, c.width, align);
  if (style.glow_radius > 0) {
    const Coverage halo = Spread(c, style.glow_radius);
    for (int j = 0; j < halo.height; ++j)
      for (int i = 0; i < halo.width; ++i)
        image.Blend(left + i - style.glow_radius, y + j - style.glow_radius, style.glow,
                    halo.At(i, j) * 0.85f);
  }
  for (int j = 0; j < c.height; ++j) {
    const Rgb colour = Mix(style.colour, style.colour_bottom, static_cast<float>(j) / c.height);
    for (int i = 0; i < c.width; ++i) {
      if (style.shadow) image.Blend(left + i + 2, y + j + 2, {12, 10, 24}, c.At(i, j) * 0.8f);
    }
    for (int i = 0; i < c.width; ++i) image.Blend(left + i, y + j, colour, c.At(i, j));
  }
}

int TextWidth(const std::string& text, const TextStyle& style) {
  int w = 0, h = 0;
  TTF_SizeUTF8(FontFor(style), text.c_str(), &w, &h);
  return w;
}
