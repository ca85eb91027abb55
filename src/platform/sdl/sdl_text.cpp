#include "platform/sdl/sdl_text.h"

#include <cerrno>
#include <cstdio>

namespace platform {

namespace {

const char* const kGothicFiles[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
};
const char* const kMinchoFiles[] = {
    "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf",
    "/usr/share/fonts/truetype/ipafont-mincho/ipam.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-mincho.ttf",
};

template <size_t N>
TTF_Font* OpenFirst(const char* const (&files)[N], int size) {
  for (const char* file : files)
    if (TTF_Font* f = TTF_OpenFont(file, size)) return f;
  return nullptr;
}

// 0x00BBGGRR to RGB565 by truncation, as the pictures are converted.
uint16_t ToRgb565(uint32_t bgr) {
  const uint32_t r = bgr & 0xFF, g = (bgr >> 8) & 0xFF, b = (bgr >> 16) & 0xFF;
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

void Put(PixelView t, int x, int y, uint16_t value) {
  if (x >= 0 && y >= 0 && x < t.width && y < t.height)
    t.pixels[static_cast<size_t>(y) * static_cast<size_t>(t.pitch) + static_cast<size_t>(x)] =
        value;
}

}  // namespace

SdlText::SdlText() {
  ready_ = TTF_WasInit() != 0 || TTF_Init() == 0;
  from_cp932_ = iconv_open("UTF-32LE", "CP932");
}

SdlText::~SdlText() {
  for (auto& f : fonts_)
    if (f->ttf != nullptr) TTF_CloseFont(f->ttf);
  if (from_cp932_ != reinterpret_cast<iconv_t>(-1)) iconv_close(from_cp932_);
  if (ready_) TTF_Quit();
}

// The largest size whose line height fits the cell; hinted for single-colour
// pixels, as the old desktop drew small Japanese text.
TTF_Font* SdlText::OpenFont(int face, int height) {
  TTF_Font* f = face == 0 ? OpenFirst(kMinchoFiles, height) : nullptr;
  if (f == nullptr) f = OpenFirst(kGothicFiles, height);
  if (f == nullptr) {
    if (!missing_said_)
      std::fputs("lantern-drift: no IPA font under /usr/share/fonts; text is not shown\n", stderr);
    missing_said_ = true;
    return nullptr;
  }
  for (int size = height; size > 1 && TTF_FontHeight(f) > height;) TTF_SetFontSize(f, --size);
  TTF_SetFontHinting(f, TTF_HINTING_MONO);
  return f;
}

SdlText::Font& SdlText::FontFor(int face, int height) {
  for (auto& f : fonts_)
    if (f->face == face && f->cell == height) return *f;
  auto f = std::make_unique<Font>();
  f->face = face;
  f->cell = height;
  f->ttf = ready_ && height > 0 ? OpenFont(face, height) : nullptr;
  fonts_.push_back(std::move(f));
  return *fonts_.back();
}

const SdlText::Glyph& SdlText::GlyphFor(Font& font, char32_t ch) {
  auto found = font.glyphs.find(ch);
  if (found != font.glyphs.end()) return found->second;
  Glyph& g = font.glyphs[ch];
  int advance = 0;
  if (TTF_GlyphMetrics32(font.ttf, ch, nullptr, nullptr, nullptr, nullptr, &advance) == 0)
    g.advance = advance;
  SDL_Surface* s = TTF_RenderGlyph32_Solid(font.ttf, ch, SDL_Color{255, 255, 255, 255});
  if (s == nullptr) return g;
  g.width = s->w;
  g.height = s->h;
  g.ink.resize(static_cast<size_t>(s->w) * static_cast<size_t>(s->h));
  for (int y = 0; y < s->h; ++y) {
    const auto* row = static_cast<const uint8_t*>(s->pixels) +
                      static_cast<size_t>(y) * static_cast<size_t>(s->pitch);
    for (int x = 0; x < s->w; ++x)
      g.ink[static_cast<size_t>(y) * static_cast<size_t>(s->w) + static_cast<size_t>(x)] =
          row[x] != 0;
  }
  SDL_FreeSurface(s);
  return g;
}

void SdlText::DrawGlyph(Pen& pen, const Font& font, const Glyph& glyph) {
  if (!pen.transparent)
    for (int y = 0; y < font.cell; ++y)
      for (int x = 0; x < glyph.advance; ++x) Put(pen.target, pen.x + x, pen.y + y, pen.back);
  for (int y = 0; y < glyph.height; ++y)
    for (int x = 0; x < glyph.width; ++x)
      if (glyph.ink[static_cast<size_t>(y) * static_cast<size_t>(glyph.width) +
                    static_cast<size_t>(x)])
        Put(pen.target, pen.x + x, pen.y + y, pen.text);
  pen.x += glyph.advance;
}

void SdlText::Draw(PixelView target, int x, int y, const std::string& sjis_text, int face,
                   int height, uint32_t text_colour, uint32_t back_colour, bool transparent) {
  Font& font = FontFor(face, height);
  if (font.ttf == nullptr || from_cp932_ == reinterpret_cast<iconv_t>(-1)) return;
  Pen pen{target, x, y, ToRgb565(text_colour), ToRgb565(back_colour), transparent};
  iconv(from_cp932_, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(sjis_text.data());
  size_t in_left = sjis_text.size();
  while (in_left > 0) {
    char32_t chars[64];
    char* out = reinterpret_cast<char*>(chars);
    size_t out_left = sizeof chars;
    const size_t result = iconv(from_cp932_, &in, &in_left, &out, &out_left);
    const size_t count = (sizeof chars - out_left) / sizeof chars[0];
    for (size_t i = 0; i < count; ++i) DrawGlyph(pen, font, GlyphFor(font, chars[i]));
    // A byte that is not Shift-JIS is passed over.
    if (result == static_cast<size_t>(-1) && errno != E2BIG) {
      ++in;
      --in_left;
    }
  }
}

}  // namespace platform
