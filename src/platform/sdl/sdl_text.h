// Text on SDL: SDL_ttf with the IPA fonts, Shift-JIS (CP932) converted by
// iconv, each glyph rendered once and kept, so a frame's text allocates nothing.
#pragma once

#include <SDL_ttf.h>
#include <iconv.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"

namespace platform {

class SdlText {
 public:
  SdlText();
  ~SdlText();
  SdlText(const SdlText&) = delete;
  SdlText& operator=(const SdlText&) = delete;

  // face 0: Mincho, 1: Gothic; height: the character cell in pixels.
  void Draw(PixelView target, int x, int y, const std::string& sjis_text, int face, int height,
            uint32_t text_colour, uint32_t back_colour, bool transparent);

 private:
  struct Glyph {
    int advance = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> ink;  // width x height, 1 where the glyph is drawn
  };
  struct Font {
    int face = 0;
    int cell = 0;
    TTF_Font* ttf = nullptr;  // none: no font file, text skipped
    std::unordered_map<char32_t, Glyph> glyphs;
  };
  struct Pen {
    PixelView target;
    int x, y;
    uint16_t text, back;
    bool transparent;
  };

  Font& FontFor(int face, int height);
  TTF_Font* OpenFont(int face, int height);
  const Glyph& GlyphFor(Font& font, char32_t ch);
  void DrawGlyph(Pen& pen, const Font& font, const Glyph& glyph);

  bool ready_ = false;
  bool missing_said_ = false;
  iconv_t from_cp932_ = reinterpret_cast<iconv_t>(-1);
  std::vector<std::unique_ptr<Font>> fonts_;
};

}  // namespace platform
