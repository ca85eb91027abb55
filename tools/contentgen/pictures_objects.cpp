#include <cmath>
#include <numbers>

#include "names.h"
#include "painter.h"
#include "pictures.h"

namespace {

// Objects are painted on a 128-unit canvas, four times their 32-pixel size.
constexpr int kCanvas = 128;

using Painter = void (*)(Image&, int phase);

// One frame, or two side by side for animated objects.
Image Strip(Painter paint, int frames) {
  Image strip(32 * frames, 32);
  for (int f = 0; f < frames; ++f) {
    Image c(kCanvas, kCanvas);
    paint(c, f);
    strip.PasteKeyed(c.Shrink(4), 0, 0, 32, 32, 32 * f, 0);
  }
  strip.CleanKeyedEdges();
  return strip;
}

// Solid objects stand out: a dark base shadow, full shading and a light rim.
void StoneLantern(Image& c, int) {
  FillEllipse(c, 64, 118, 44, 9, Solid({18, 14, 24}));
  const Fill stone = VerticalRamp(20, {175, 172, 185}, 120, {85, 82, 100});
  FillRect(c, {38, 104, 90, 118}, stone);
  FillRect(c, {54, 82, 74, 106}, stone);
  FillRect(c, {36, 50, 92, 84}, stone);
  FillRect(c, {48, 56, 80, 78}, RadialRamp(64, 67, 20, {255, 235, 150}, {235, 120, 40}));
  Glow(c, 64, 67, 40, {255, 160, 60}, 0.6f);
  FillPolygon(c, {{22, 52}, {106, 52}, {84, 34}, {44, 34}},
              VerticalRamp(34, {150, 148, 165}, 52, {70, 68, 85}));
  FillCircle(c, 64, 26, 9, Solid({150, 148, 165}));
}

void Post(Image& c, int) {
  FillCircle(c, 66, 68, 46, Solid({18, 14, 20}));
  FillCircle(c, 64, 64, 44, RadialRamp(56, 56, 50, {170, 120, 75}, {95, 60, 35}));
  for (int r = 10; r < 44; r += 9) Ring(c, 64, 64, static_cast<float>(r), 2, {80, 48, 28}, 0.6f);
  Ring(c, 64, 64, 42, 6, {200, 180, 130}, 0.9f);
  Ring(c, 64, 64, 42, 2, {120, 100, 70}, 0.9f);
}

void Brazier(Image& c, int phase) {
  FillEllipse(c, 64, 118, 40, 8, Solid({18, 14, 20}));
  Line(c, {44, 84}, {34, 118}, 6, {70, 62, 70});
  Line(c, {84, 84}, {94, 118}, 6, {70, 62, 70});
  const float lean = phase ? 14.0f : -14.0f;
  Glow(c, 64, 52, 60, {255, 140, 50}, phase ? 0.7f : 0.5f);
  FillPolygon(c, {{40, 60}, {54, 30}, {64 + lean, 6}, {76, 30}, {88, 60}},
              VerticalRamp(6, {255, 240, 170}, 60, {240, 90, 30}));
  FillPolygon(c,
              {{52, 60}, {60, 40}, {64 - lean * 0.5f, phase ? 30.0f : 20.0f}, {74, 42}, {78, 60}},
              Solid({255, 250, 220}), 0.8f);
  FillPolygon(c, {{30, 56}, {98, 56}, {86, 88}, {42, 88}},
              VerticalRamp(56, {130, 115, 120}, 88, {55, 48, 58}));
  Line(c, {30, 57}, {98, 57}, 3, {200, 180, 170});
}

// A squat granite mooring bollard under a cap of snow, icicles hanging from it: warm grey and
// round-topped, where the crystals that share its stage are cut gems of blue light.
void SnowBollard(Image& c, int) {
  FillEllipse(c, 64, 116, 46, 10, Solid({14, 18, 30}));
  const Fill granite = VerticalRamp(36, {185, 168, 150}, 118, {105, 92, 82});
  FillRoundedRect(c, {28, 44, 100, 118}, 12, granite);
  FillRect(c, {34, 50, 46, 112}, Solid({215, 200, 182}), 0.6f);
  FillRect(c, {86, 50, 96, 112}, Solid({70, 60, 56}), 0.5f);
  FillRect(c, {26, 80, 102, 90}, VerticalRamp(80, {130, 110, 100}, 90, {85, 72, 66}));
  FillEllipse(c, 64, 40, 46, 20, Solid({238, 242, 250}));
  FillEllipse(c, 56, 33, 28, 10, Solid({255, 255, 255}));
  for (float x : {38.0f, 56.0f, 74.0f, 90.0f})
    FillPolygon(c, {{x - 5, 54}, {x + 5, 54}, {x, 72}}, Solid({225, 240, 250}));
}

void MoonStone(Image& c, int phase) {
  FillEllipse(c, 64, 118, 38, 8, Solid({16, 12, 24}));
  FillPolygon(c, {{40, 118}, {44, 26}, {64, 8}, {84, 26}, {88, 118}},
              VerticalRamp(8, {130, 115, 160}, 118, {55, 45, 80}));
  Glow(c, 64, 58, 40, {180, 110, 255}, phase ? 0.9f : 0.4f);
  FillCircle(c, 64, 58, 16, Solid(phase ? Rgb{245, 230, 255} : Rgb{200, 170, 240}));
  FillCircle(c, 71, 53, 14, VerticalRamp(40, {110, 95, 140}, 70, {80, 65, 110}));
  Line(c, {44, 27}, {64, 9}, 2, {200, 190, 230}, 0.8f);
}

// Pass-over objects lie flat: dim, outlined, no shadow.
void Lily(Image& c, int) {
  FillPolygon(c,
              {{64, 64},
               {64 + 46 * std::cos(0.2f), 64 - 46 * std::sin(0.2f)},
               {110, 80},
               {90, 108},
               {50, 112},
               {20, 88},
               {18, 50},
               {40, 22},
               {80, 18},
               {104, 36}},
              RadialRamp(60, 70, 50, {70, 120, 60}, {35, 75, 40}), 0.85f);
  for (int a = 0; a < 6; ++a) {
    const float t = a * std::numbers::pi_v<float> / 3 + 0.9f;
    Line(c, {60, 70}, {60 + 38 * std::cos(t), 70 + 38 * std::sin(t)}, 2, {90, 140, 80}, 0.6f);
  }
  FillCircle(c, 78, 50, 9, Solid({235, 150, 185}));
  FillCircle(c, 78, 50, 4, Solid({255, 230, 140}));
}

void FloatLantern(Image& c, int phase) {
  // Ripples lit by the lantern, broad enough to stay warm light once shrunk, never grey specks.
  Ring(c, 64, 76, 40, 6, {255, 205, 130});
  Ring(c, 64, 76, 28, 5, {255, 215, 150}, 0.9f);
  Glow(c, 64, 64, 54, {255, 170, 70}, phase ? 0.55f : 0.35f);
  FillRoundedRect(c, {46, 46, 82, 84}, 6, VerticalRamp(46, {255, 230, 160}, 84, {230, 120, 50}));
  FillRect(c, {42, 82, 86, 90}, Solid({110, 50, 35}));
  FillCircle(c, 64, 62, phase ? 10.0f : 7.0f, Solid({255, 250, 220}), 0.8f);
}

void Frost(Image& c, int) {
  for (int a = 0; a < 6; ++a) {
    const float t = a * std::numbers::pi_v<float> / 3;
    const Point tip{64 + 48 * std::cos(t), 64 + 48 * std::sin(t)};
    Line(c, {64, 64}, tip, 4, {150, 200, 225}, 0.6f);
    for (float f : {0.45f, 0.7f}) {
      const Point m{64 + 48 * f * std::cos(t), 64 + 48 * f * std::sin(t)};
      Line(c, m, {m.x + 14 * std::cos(t + 0.9f), m.y + 14 * std::sin(t + 0.9f)}, 3, {150, 200, 225},
           0.5f);
      Line(c, m, {m.x + 14 * std::cos(t - 0.9f), m.y + 14 * std::sin(t - 0.9f)}, 3, {150, 200, 225},
           0.5f);
    }
  }
  FillCircle(c, 64, 64, 8, Solid({200, 235, 250}), 0.6f);
}

void Rune(Image& c, int phase) {
  const Rgb ink = phase ? Rgb{210, 160, 255} : Rgb{120, 90, 170};
  if (phase) Glow(c, 64, 64, 60, {150, 90, 255}, 0.35f);
  Ring(c, 64, 64, 48, 4, ink);
  Ring(c, 64, 64, 36, 2, ink, 0.7f);
  for (int a = 0; a < 3; ++a) {
    const float t = a * 2 * std::numbers::pi_v<float> / 3 - std::numbers::pi_v<float> / 2;
    const float u = t + 2 * std::numbers::pi_v<float> / 3;
    Line(c, {64 + 36 * std::cos(t), 64 + 36 * std::sin(t)},
         {64 + 36 * std::cos(u), 64 + 36 * std::sin(u)}, 3, ink);
  }
  FillCircle(c, 64, 64, 7, Solid(ink));
}

}  // namespace

void WriteObjectPictures(const Pack& pack) {
  pack.Picture(name::kStoneLantern, Strip(StoneLantern, 1));
  pack.Picture(name::kPost, Strip(Post, 1));
  pack.Picture(name::kBrazier, Strip(Brazier, 2));
  pack.Picture(name::kBollard, Strip(SnowBollard, 1));
  pack.Picture(name::kMoonStone, Strip(MoonStone, 2));
  pack.Picture(name::kLily, Strip(Lily, 1));
  pack.Picture(name::kFloatLantern, Strip(FloatLantern, 2));
  pack.Picture(name::kFrost, Strip(Frost, 1));
  pack.Picture(name::kRune, Strip(Rune, 2));
}
