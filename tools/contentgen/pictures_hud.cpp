#include <algorithm>
#include <string>

#include "names.h"
#include "painter.h"
#include "pictures.h"
#include "stages.h"
#include "text.h"

namespace {

// The insets where the game draws its digits share the digit picture's background, on the
// RGB565 grid so that the dithered strip keeps it flat and the digits' cells match it.
constexpr Rgb kInset{16, 12, 24};
constexpr Rgb kLabel{235, 205, 150};

void Inset(Image& image, Rect r) {
  FillRoundedRect(image, {r.x0 - 1, r.y0 - 1, r.x1 + 1, r.y1 + 1}, 4, Solid({120, 90, 60}));
  FillRoundedRect(image, r, 3, Solid(kInset));
}

void Label(Image& image, const std::string& en, const std::string& jp, int right) {
  const TextStyle small = Style(11, {200, 170, 130});
  const TextStyle big = Style(14, kLabel, true);
  const int width = std::max(TextWidth(en, big), TextWidth(jp, small));
  DrawText(image, en, right - width, 3, Align::kLeft, big);
  DrawText(image, jp, right - width, 18, Align::kLeft, small);
}

// The gauge is as wide as the player's full hit points, so a fresh player shows a full bar.
int GaugeWidth() { return PlayerKind().hp; }

// The strip's ornament: a silver crescent between two small stars on a thin line, cool and
// unlit, so that nobody takes it for the shot, a round orange spark.
void Crest(Image& image, int x) {
  const Rgb silver{200, 208, 232};
  const float cx = static_cast<float>(x);
  Line(image, {cx - 58, 16}, {cx - 16, 16}, 1, {150, 120, 90}, 0.7f);
  Line(image, {cx + 16, 16}, {cx + 58, 16}, 1, {150, 120, 90}, 0.7f);
  for (float side : {-1.0f, 1.0f}) {
    const float sx = cx + side * 22;
    FillPolygon(image, {{sx, 12}, {sx + 3, 16}, {sx, 20}, {sx - 3, 16}}, Solid(silver));
  }
  Image moon(20, 20);
  FillCircle(moon, 10, 10, 8, Solid(silver));
  FillCircle(moon, 14, 7, 7, Solid({}));
  image.PasteLit(moon, x - 10, 6);
}

// The strip above the play field: hit points from x 10, time at 424, score at 555.
Image GaugeBase() {
  const int end = 10 + GaugeWidth();
  Image image(639, 32);
  FillRect(image, {0, 0, 639, 32}, VerticalRamp(0, {52, 36, 62}, 32, {26, 18, 38}));
  FillRect(image, {0, 29, 639, 32}, VerticalRamp(29, {200, 150, 70}, 32, {110, 70, 30}));
  Inset(image, {8, 5, end + 2, 28});
  for (int x = 30; x < end; x += 20) FillRect(image, {x, 26, x + 1, 28}, Solid({70, 55, 80}));
  DrawText(image, "HP", end + 8, 3, Align::kLeft, Style(14, kLabel, true));
  DrawText(image, "体力", end + 8, 18, Align::kLeft, Style(11, {200, 170, 130}));
  Crest(image, 310);
  Label(image, "TIME", "残り時間", 414);
  Inset(image, {420, 5, 456, 28});
  Label(image, "SCORE", "得点", 544);
  Inset(image, {551, 5, 632, 28});
  return image;
}

// The bar grows from the red of danger to the gold of full health.
Image Gauge() {
  const int full = GaugeWidth();
  Image image(full, 19);
  for (int x = 0; x < full; ++x) {
    const float t = static_cast<float>(x) / (full - 1);
    const Rgb base = t < 0.5f ? Mix({215, 45, 40}, {250, 150, 45}, t * 2)
                              : Mix({250, 150, 45}, {255, 225, 110}, t * 2 - 1);
    for (int y = 0; y < 19; ++y) {
      const float shade = y < 4 ? 1.0f + (4 - y) * 0.08f : 1.0f - (y - 4) * 0.03f;
      image.Set(x, y, Scale(base, shade));
    }
  }
  return image;
}

// Digit d at (9d+1, 1), 8 x 18, on the inset colour.
Image HudFont() {
  Image image(100, 20);
  FillRect(image, {0, 0, 100, 20}, Solid(kInset));
  TextStyle digits = Style(17, {255, 226, 160}, true);
  digits.mono = true;
  digits.colour_bottom = {240, 160, 80};
  for (int d = 0; d < 10; ++d) {
    Image cell(8, 18);
    FillRect(cell, {0, 0, 8, 18}, Solid(kInset));
    DrawText(cell, std::to_string(d), 4, 0, Align::kCentre, digits);
    image.PasteKeyed(cell, 0, 0, 8, 18, 9 * d + 1, 1);
  }
  return image;
}

Image StageClear() {
  Image image(509, 59);
  Line(image, {10, 50}, {499, 50}, 2, {200, 140, 60});
  Line(image, {40, 8}, {469, 8}, 1.5f, {200, 140, 60}, 0.7f);
  DrawText(image, "STAGE CLEAR", 200, 6, Align::kCentre,
           GlowingStyle(40, {255, 245, 190}, {245, 160, 50}, {150, 60, 20}, 4));
  DrawText(image, "ステージクリア", 425, 16, Align::kCentre,
           GlowingStyle(22, {255, 235, 200}, {255, 190, 120}, {120, 50, 20}, 3));
  image.CleanKeyedEdges();
  return image;
}

// A spare life: a tiny lantern.
Image Stock() {
  Image c(60, 60);
  Glow(c, 30, 32, 30, {255, 160, 60}, 0.5f);
  FillEllipse(c, 30, 32, 19, 20, RadialRamp(26, 28, 24, {255, 240, 170}, {240, 140, 50}));
  FillRect(c, {19, 8, 41, 14}, Solid({170, 55, 40}));
  FillRect(c, {21, 50, 39, 56}, Solid({170, 55, 40}));
  for (int y : {24, 32, 40})
    Line(c, {14, static_cast<float>(y)}, {46, static_cast<float>(y)}, 1.5f, {180, 80, 30}, 0.5f);
  Image stock = c.Shrink(4);
  stock.CleanKeyedEdges();
  return stock;
}

// The shot: a lantern spark, white at the heart.
Image Shot() {
  Image c(64, 64);
  Glow(c, 32, 32, 32, {255, 140, 40}, 1.2f);
  FillCircle(c, 32, 32, 16, RadialRamp(32, 32, 16, {255, 255, 240}, {255, 190, 70}));
  FillCircle(c, 32, 32, 7, Solid({255, 255, 255}));
  Image shot = c.Shrink(4);
  shot.CleanKeyedEdges();
  return shot;
}

}  // namespace

void WriteHudPictures(const Pack& pack) {
  pack.DitheredPicture(name::kGaugeBase, GaugeBase());
  pack.Picture(name::kGauge, Gauge());
  pack.Picture(name::kHudFont, HudFont());
  pack.Picture(name::kStageClear, StageClear());
  pack.Picture(name::kStock, Stock());
  pack.Picture(name::kShot, Shot());
}
