// Text set in IPA Gothic through SDL_ttf, laid onto an Image.
#pragma once

#include <string>

#include "image.h"

enum class Align { kLeft, kCentre, kRight };

struct TextStyle {
  int size = 16;
  Rgb colour{255, 255, 255};
  Rgb colour_bottom{255, 255, 255};  // the glyphs shade from colour to this downwards
  bool bold = false;
  bool mono = false;  // the fixed-pitch face, for digits
  Rgb glow{0, 0, 0};  // black: no glow
  int glow_radius = 0;
  bool shadow = false;
};

TextStyle Style(int size, Rgb colour, bool bold = false);
TextStyle GlowingStyle(int size, Rgb colour, Rgb colour_bottom, Rgb glow, int glow_radius);

// Opens the fonts; throws when they are missing.
void OpenFonts();
void CloseFonts();

// Draws one line of UTF-8 text; y is the top of the line box, x the anchor of align.
void DrawText(Image& image, const std::string& text, int x, int y, Align align,
              const TextStyle& style);
int TextWidth(const std::string& text, const TextStyle& style);
