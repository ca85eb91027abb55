#include "character_art.h"

#include <cmath>
#include <numbers>

#include "painter.h"
#include "text.h"

namespace {

// Frames are painted four times finer than wanted, in units of a 128-unit canvas (192 for the
// bosses), then shrunk.
constexpr int kScale = 4;

struct Palette {
  Rgb light, mid, dark, glow;
};

Palette PaletteOf(Look look) {
  switch (look) {
    case Look::kLumi: return {{255, 240, 170}, {245, 150, 50}, {170, 60, 30}, {255, 170, 60}};
    case Look::kWisp: return {{215, 250, 255}, {70, 160, 240}, {30, 60, 160}, {80, 170, 255}};
    case Look::kEmber: return {{255, 220, 240}, {235, 80, 160}, {130, 30, 100}, {255, 90, 170}};
    case Look::kMoth: return {{240, 228, 255}, {170, 140, 220}, {80, 60, 130}, {190, 160, 255}};
    case Look::kCrystal: return {{235, 255, 255}, {120, 215, 235}, {40, 105, 150}, {150, 240, 255}};
    case Look::kJelly: return {{225, 255, 240}, {90, 215, 170}, {30, 115, 100}, {100, 255, 190}};
    case Look::kEclipse: return {{235, 215, 255}, {120, 70, 180}, {45, 22, 80}, {175, 95, 255}};
    case Look::kMaelstrom: return {{210, 255, 245}, {40, 170, 170}, {12, 60, 70}, {60, 220, 210}};
    case Look::kQueen: return {{255, 246, 215}, {245, 190, 95}, {150, 85, 60}, {255, 205, 120}};
    case Look::kBell: return {{255, 240, 190}, {215, 150, 60}, {125, 75, 30}, {255, 190, 90}};
  }
  return {};
}

Point Facing(int facing) {
  const Point dirs[] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
  return dirs[facing & 3];
}

// Two eyes that look the way the character faces.
void Eyes(Image& c, float cx, float cy, float gap, float r, int facing, Rgb pupil) {
  const Point d = Facing(facing);
  for (float side : {-1.0f, 1.0f}) {
    const float ex = cx + side * gap + d.x * r * 0.8f, ey = cy + d.y * r * 0.6f;
    FillEllipse(c, ex, ey, r * 0.8f, r, Solid({250, 250, 255}));
    FillCircle(c, ex + d.x * r * 0.35f, ey + d.y * r * 0.4f, r * 0.55f, Solid(pupil));
    FillCircle(c, ex - r * 0.2f, ey - r * 0.35f, r * 0.2f, Solid({255, 255, 255}));
  }
}

// Quarter turns clockwise of a square canvas.
Image Turn(const Image& source, int turns) {
  Image out = source;
  for (int t = 0; t < turns; ++t) {
    Image next(out.height(), out.width());
    for (int y = 0; y < out.height(); ++y)
      for (int x = 0; x < out.width(); ++x) next.Set(out.height() - 1 - y, x, out.Get(x, y));
    out = next;
  }
  return out;
}

void PaintLumiFace(Image& c, int facing, const Palette& p) {
  const Rgb ink{90, 35, 20};
  if (facing == 2) {
    Line(c, {64, 30}, {64, 104}, 2.5f, p.dark, 0.5f);
    const float u = c.unit();
    DrawText(c, "灯", static_cast<int>(64 * u), static_cast<int>(44 * u), Align::kCentre,
             Style(static_cast<int>(40 * u), {170, 40, 30}, true));
    return;
  }
  const float shift = facing == 1 ? 14.0f : facing == 3 ? -14.0f : 0.0f;
  const float gap = facing == 0 ? 12.0f : 9.0f;
  for (float side : {-1.0f, 1.0f}) {
    FillEllipse(c, 64 + shift + side * gap, 64, 4.5f, 6.5f, Solid(ink));
    FillCircle(c, 63 + shift + side * gap, 61, 1.8f, Solid({255, 255, 240}));
    FillEllipse(c, 64 + shift + side * (gap + 9), 76, 6, 3.5f, Solid({255, 120, 110}), 0.45f);
  }
  Line(c, {60 + shift, 79}, {64 + shift, 82}, 2.5f, ink);
  Line(c, {64 + shift, 82}, {68 + shift, 79}, 2.5f, ink);
}

// The player: a round paper lantern with a tassel.
void PaintLumi(Image& c, int facing, int phase, const Palette& p) {
  Glow(c, 64, 66, 64, p.glow, phase ? 0.55f : 0.4f);
  const float sway = (facing == 1 ? -8.0f : facing == 3 ? 8.0f : 0.0f) + (phase ? 5.0f : -5.0f);
  Line(c, {64, 112}, {64 + sway, 126}, 3.5f, {210, 50, 40});
  FillEllipse(c, 64, 66, 40, 43, RadialRamp(56, 56, 50, p.light, p.mid));
  Ring(c, 64, 66, 39, 5, p.dark, 0.35f);
  for (int k = -3; k <= 3; ++k) {
    const float y = 66 + k * 11.0f, half = 40 * std::sqrt(1 - std::pow((y - 66) / 43, 2.0f));
    Line(c, {64 - half + 2, y}, {64 + half - 2, y}, 2.0f, p.dark, 0.35f);
  }
  if (phase) FillCircle(c, 64, 68, 22, Solid(p.light), 0.35f);
  FillRoundedRect(c, {42, 17, 86, 30}, 4, VerticalRamp(17, {200, 70, 50}, 30, {120, 30, 25}));
  FillRoundedRect(c, {46, 103, 82, 114}, 4, VerticalRamp(103, {200, 70, 50}, 114, {120, 30, 25}));
  Line(c, {54, 18}, {64, 6}, 3, {110, 40, 30});
  Line(c, {64, 6}, {74, 18}, 3, {110, 40, 30});
  PaintLumiFace(c, facing, p);
}

// Chasing spirit: a cold flame whose tail streams behind it.
void PaintWisp(Image& c, int facing, int phase, const Palette& p) {
  const Point d = Facing(facing), n{-d.y, d.x};
  const float hx = 64 + d.x * 10, hy = 64 + d.y * 10;
  const float wiggle = phase ? 12.0f : -12.0f;
  Glow(c, hx, hy, 62, p.glow, 0.4f);
  FillPolygon(
      c,
      {{hx + n.x * 27, hy + n.y * 27},
       {hx - d.x * 30 + n.x * (18 + wiggle * 0.3f), hy - d.y * 30 + n.y * (18 + wiggle * 0.3f)},
       {hx - d.x * 58 + n.x * wiggle, hy - d.y * 58 + n.y * wiggle},
       {hx - d.x * 32 - n.x * (14 - wiggle * 0.3f), hy - d.y * 32 - n.y * (14 - wiggle * 0.3f)},
       {hx - n.x * 27, hy - n.y * 27}},
      RadialRamp(hx, hy, 60, p.mid, p.dark));
  FillCircle(c, hx, hy, 30, RadialRamp(hx - 9, hy - 9, 40, p.light, p.mid));
  FillCircle(c, hx - 8, hy - 9, 10, Solid({255, 255, 255}), 0.35f);
  Eyes(c, hx, hy + 2, 11, 7, facing, p.dark);
}

// Fleeing moth, painted head-down and turned to its facing; the queen wears a crown.
Image PaintMoth(int facing, int phase, const Palette& p, const Image& canvas, bool crown) {
  Image c = canvas;
  Glow(c, 64, 64, 60, p.glow, 0.3f);
  const float spread = phase ? 16.0f : 28.0f;
  for (float side : {-1.0f, 1.0f}) {
    FillEllipse(c, 64 + side * spread, 52, spread + 4, 24,
                RadialRamp(64 + side * spread, 50, 30, p.light, p.mid));
    FillEllipse(c, 64 + side * spread * 0.8f, 80, spread * 0.7f + 4, 16,
                RadialRamp(64, 80, 30, p.mid, p.dark));
    FillCircle(c, 64 + side * spread * 1.2f, 50, 6, Solid({250, 200, 120}));
    FillCircle(c, 64 + side * spread * 1.2f, 50, 3, Solid(p.dark));
  }
  FillEllipse(c, 64, 62, 9, 28, VerticalRamp(34, p.mid, 90, p.dark));
  Line(c, {60, 94}, {50, 116}, 2.5f, p.light);
  Line(c, {68, 94}, {78, 116}, 2.5f, p.light);
  FillCircle(c, 64, 92, 9, Solid(p.mid));
  Eyes(c, 64, 94, 5, 3.5f, 0, p.dark);
  if (crown) {
    FillPolygon(c, {{50, 100}, {54, 120}, {60, 108}, {64, 124}, {68, 108}, {74, 120}, {78, 100}},
                VerticalRamp(100, {255, 250, 200}, 124, {240, 170, 60}));
    FillCircle(c, 64, 112, 3, Solid({255, 120, 160}));
  }
  const int turns[] = {0, 3, 2, 1};
  return Turn(c, turns[facing & 3]);
}

// Hard chaser: a faceted ice crystal.
void PaintCrystal(Image& c, int facing, int phase, const Palette& p) {
  Glow(c, 64, 64, 62, p.glow, 0.3f);
  const Point rim[] = {{64, 10}, {100, 42}, {94, 94}, {64, 118}, {34, 94}, {28, 42}};
  const Point d = Facing(facing);
  const Point centre{64 + d.x * 6, 62 + d.y * 6};
  const Rgb shades[] = {p.light, p.mid, p.dark, p.mid, p.light, p.mid};
  for (int i = 0; i < 6; ++i) FillPolygon(c, {centre, rim[i], rim[(i + 1) % 6]}, Solid(shades[i]));
  for (const Point& r : rim) Line(c, centre, r, 1.5f, {255, 255, 255}, 0.5f);
  Eyes(c, centre.x, centre.y + 4, 10, 6.5f, facing, {20, 60, 110});
  if (phase) {
    Line(c, {96, 18}, {96, 42}, 3, {255, 255, 255});
    Line(c, {84, 30}, {108, 30}, 3, {255, 255, 255});
    Glow(c, 96, 30, 14, {255, 255, 255}, 0.8f);
  }
}

// Drifter: a jellyfish that only moves when pushed.
void PaintJelly(Image& c, int facing, int phase, const Palette& p) {
  Glow(c, 64, 60, 62, p.glow, 0.3f);
  for (int i = 0; i < 4; ++i) {
    const float x = 40 + i * 16.0f, sway = ((i + phase) % 2 ? 7.0f : -7.0f);
    Line(c, {x, 76}, {x + sway, 98}, 4, p.mid);
    Line(c, {x + sway, 98}, {x - sway * 0.5f, 120}, 3, p.mid, 0.8f);
  }
  std::vector<Point> dome;
  for (int a = 0; a <= 24; ++a) {
    const float t = std::numbers::pi_v<float> * (1 + a / 24.0f);
    dome.push_back({64 + 44 * std::cos(t), 72 + 48 * std::sin(t)});
  }
  for (int s = 0; s <= 8; ++s) dome.push_back({108 - s * 11.0f, s % 2 ? 84.0f : 76.0f});
  FillPolygon(c, dome, RadialRamp(52, 40, 60, p.light, p.mid));
  FillEllipse(c, 50, 40, 12, 8, Solid({255, 255, 255}), 0.45f);
  Eyes(c, 64, 58, 12, 6.5f, facing, p.dark);
}

// The bosses: a dark moon with a burning rim; the Maelstrom's body turns in a whirl.
void PaintEclipse(Image& c, int facing, const Palette& p, bool whirl) {
  const Point d = Facing(facing);
  const Rgb eye = whirl ? Rgb{255, 200, 70} : Rgb{255, 80, 120};
  Glow(c, 96, 96, 94, p.glow, 0.55f);
  Ring(c, 96, 96, 80, 7, p.mid, 0.9f);
  // Lit from inside, so the body stands out on the dark floors it fights on.
  FillCircle(c, 96, 96, 70, RadialRamp(76, 76, 96, Mix(p.mid, p.light, 0.45f), p.mid));
  for (int arm = 0; whirl && arm < 3; ++arm) {
    for (int k = 0; k < 24; ++k) {
      const float t = arm * 2.094f + k * 0.2f, r = 12 + k * 2.4f;
      const float u = t + 0.2f, s = r + 2.4f;
      Line(c, {96 + r * std::cos(t), 96 + r * std::sin(t)},
           {96 + s * std::cos(u), 96 + s * std::sin(u)}, 4, p.dark, 0.35f + k * 0.02f);
    }
  }
  FillCircle(c, 96 - d.x * 48, 96 - d.y * 48, 20, Solid(p.light), 0.5f);
  for (float side : {-1.0f, 1.0f}) {
    const float ex = 96 + side * 22 + d.x * 22, ey = 92 + d.y * 22;
    FillEllipse(c, ex, ey, 13, 7, Solid(eye));
    FillEllipse(c, ex, ey, 6, 4, Solid({255, 230, 240}));
  }
  Line(c, {70 + d.x * 22, 70 + d.y * 18}, {86 + d.x * 22, 78 + d.y * 18}, 4, eye);
  Line(c, {122 + d.x * 22, 70 + d.y * 18}, {106 + d.x * 22, 78 + d.y * 18}, 4, eye);
}

// The temple bell: bronze that moves only when struck, a crest that glows, eyes on its waist.
void PaintBell(Image& c, int facing, int phase, const Palette& p) {
  const Point d = Facing(facing);
  Glow(c, 96, 100, 94, p.glow, phase ? 0.6f : 0.45f);
  FillCircle(c, 96, 20, 11, Solid(p.mid));
  FillRoundedRect(c, {58, 24, 134, 50}, 12, VerticalRamp(24, p.light, 50, p.mid));
  FillPolygon(c, {{60, 44}, {132, 44}, {146, 146}, {166, 168}, {26, 168}, {46, 146}},
              VerticalRamp(44, p.light, 168, p.mid));
  Line(c, {52, 104}, {140, 104}, 5, p.dark, 0.8f);
  Line(c, {44, 150}, {148, 150}, 5, p.dark, 0.8f);
  FillCircle(c, 96 + d.x * 10, 76, 16, RadialRamp(92, 72, 22, {255, 255, 235}, p.glow),
             phase ? 1.0f : 0.8f);
  Eyes(c, 96 + d.x * 24, 126 + d.y * 6, 20, 9, facing, p.dark);
}

void PaintBurst(Image& c, float frame_t, const Palette& p, float unit) {
  const float centre = 64 * unit, t = frame_t;
  FillCircle(c, centre, centre, (40 * (1 - t) + 4) * unit,
             RadialRamp(centre, centre, 40 * unit, {255, 255, 240}, p.glow), 1 - 0.6f * t);
  Ring(c, centre, centre, (12 + 46 * t) * unit, (10 * (1 - t) + 2) * unit, p.mid, 1 - t * 0.8f);
  for (int i = 0; i < 10; ++i) {
    const float a = (i * 36 + (i * 17) % 23) * std::numbers::pi_v<float> / 180;
    const float dist = (14 + 48 * t) * unit;
    const Point tip{centre + std::cos(a) * dist, centre + std::sin(a) * dist};
    Line(c, {centre + std::cos(a) * dist * 0.6f, centre + std::sin(a) * dist * 0.6f}, tip, 3 * unit,
         p.glow, 1 - t);
    FillCircle(c, tip.x, tip.y, (7 * (1 - t) + 1.5f) * unit, Solid(p.light));
  }
}

}  // namespace

int LookSize(Look look) {
  return look == Look::kEclipse || look == Look::kMaelstrom || look == Look::kQueen ||
                 look == Look::kBell
             ? 48
             : 32;
}

namespace {

// The size a look is painted at: the queen is a moth painted larger.
float PaintedSize(Look look) {
  return look == Look::kQueen ? 32.0f : static_cast<float>(LookSize(look));
}

}  // namespace

Image CharacterFrame(Look look, int facing, int phase, int pixels, Rgb ground) {
  const Palette p = PaletteOf(look);
  const int size = pixels > 0 ? pixels : LookSize(look);
  const float painted = PaintedSize(look);
  Image c(size * kScale, size * kScale, size / painted);
  FillRect(c, {0, 0, static_cast<int>(4 * painted), static_cast<int>(4 * painted)}, Solid(ground));
  switch (look) {
    case Look::kLumi: PaintLumi(c, facing, phase, p); break;
    case Look::kWisp:
    case Look::kEmber: PaintWisp(c, facing, phase, p); break;
    case Look::kMoth: c = PaintMoth(facing, phase, p, c, false); break;
    case Look::kQueen: c = PaintMoth(facing, phase, p, c, true); break;
    case Look::kBell: PaintBell(c, facing, phase, p); break;
    case Look::kCrystal: PaintCrystal(c, facing, phase, p); break;
    case Look::kJelly: PaintJelly(c, facing, phase, p); break;
    case Look::kEclipse: PaintEclipse(c, facing, p, false); break;
    case Look::kMaelstrom: PaintEclipse(c, facing, p, true); break;
  }
  return c.Shrink(kScale);
}

Image ExplosionFrame(Look look, int frame, int count, int pixels) {
  const int size = pixels > 0 ? pixels : LookSize(look);
  const float unit = size / 32.0f;
  Image c(size * kScale, size * kScale);
  PaintBurst(c, (frame + 0.5f) / count, PaletteOf(look), unit);
  return c.Shrink(kScale);
}
