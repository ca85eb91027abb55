// Text into the back buffer through the platform's fonts.
#include "library/draw/el_draw.h"
#include "platform/platform.h"

namespace {

constexpr char kMincho[] = "標準明朝";
constexpr char kGothic[] = "標準ゴシック";
constexpr uint8_t kShiftJisCharset = 128;

int Weight(int weight) {
  if (weight == 0) return 400;
  if (weight == 1) return 700;
  return 0;
}

}  // namespace

// Fields not named here keep what an earlier call left in the block.
void elDraw::BeginText(int face, int height, int angle, int weight, uint8_t italic,
                       uint8_t underline) {
  if (!font_block_) return;
  FontBlock& f = *font_block_;
  if (face == 0) f.face_name = kMincho;
  if (face == 1) f.face_name = kGothic;
  f.height = height;
  f.width = 0;
  f.escapement = static_cast<int>(static_cast<int64_t>(angle) * 10);
  f.weight = Weight(weight);
  f.italic = italic;
  f.underline = underline;
  f.charset = kShiftJisCharset;
  // A fresh drawing context: black text on an opaque white background.
  text_ = {open_, 0x000000, 0xFFFFFF, false};
}

void elDraw::SetTextColors(uint32_t text_colour, uint32_t back_colour, int transparent) {
  text_.text_colour = text_colour;
  text_.back_colour = back_colour;
  if (transparent != 0) text_.transparent = true;
}

void elDraw::WriteText(int x, int y, std::string_view text) {
  if (!text_.active || !font_block_) return;
  const int face = font_block_->face_name == kMincho ? 0 : 1;
  draw::DrawCall call;
  call.kind = draw::DrawCall::Kind::kText;
  call.blit.x = x;
  call.blit.y = y;
  call.face = face;
  call.height = font_block_->height;
  call.text_colour = text_.text_colour;
  call.back_colour = text_.back_colour;
  call.transparent = text_.transparent ? 1 : 0;
  Submit(call, text);
}

void elDraw::EndText() { text_.active = false; }

void elDraw::AllocFontBlock() { font_block_ = FontBlock(); }

void elDraw::FreeFontBlock() { font_block_.reset(); }
