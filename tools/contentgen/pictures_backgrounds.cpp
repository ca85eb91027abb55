#include <cmath>
#include <numbers>

#include "backgrounds.h"
#include "names.h"
#include "painter.h"
#include "pictures.h"
#include "random.h"
#include "stages.h"

namespace {

// The walls of the play field; everything inside is where play happens.
constexpr Rect kField{32, 32, 608, 448};

struct Theme {
  Rgb wall_light, wall_dark, rim;
};

bool InField(int x, int y) {
  return x >= kField.x0 && x < kField.x1 && y >= kField.y0 && y < kField.y1;
}

// Planks or blocks around the field, lit from the inside edge.
void PaintWalls(Image& image, const Theme& theme, uint32_t seed) {
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (InField(x, y)) continue;
      const bool seam = (x < 32 || x >= 608) ? (y % 40 == 0) : (x % 56 == 0);
      const float grain = Fractal(static_cast<float>(x), y * 0.25f, 24, seed, 3);
      Rgb c = Mix(theme.wall_dark, theme.wall_light, grain);
      if (seam) c = Scale(c, 0.55f);
      image.Set(x, y, c);
    }
  }
  RoundedFrame(image, {kField.x0 - 4, kField.y0 - 4, kField.x1 + 4, kField.y1 + 4}, 6, 4,
               theme.rim);
  for (int i = 0; i < 8; ++i) {
    FillRect(image, {kField.x0 + i, kField.y0, kField.x0 + i + 1, kField.y1}, Solid({0, 0, 0}),
             0.3f - i * 0.035f);
    FillRect(image, {kField.x0, kField.y0 + i, kField.x1, kField.y0 + i + 1}, Solid({0, 0, 0}),
             0.3f - i * 0.035f);
  }
}

// Small hanging lanterns on the walls, clear of the stock icons at the bottom left.
void WallLanterns(Image& image, Rgb paper) {
  const Point spots[] = {{16, 130}, {16, 340}, {624, 130}, {624, 340}, {320, 464}, {480, 464}};
  for (const Point& p : spots) {
    Glow(image, p.x, p.y, 34, {255, 150, 60}, 0.45f);
    FillEllipse(image, p.x, p.y, 9, 11, RadialRamp(p.x - 2, p.y - 3, 12, {255, 245, 200}, paper));
    FillRect(image,
             {static_cast<int>(p.x) - 6, static_cast<int>(p.y) - 13, static_cast<int>(p.x) + 6,
              static_cast<int>(p.y) - 10},
             Solid({60, 30, 25}));
  }
}

void ForField(Image& image, const std::function<Rgb(int, int)>& colour) {
  for (int y = kField.y0; y < kField.y1; ++y)
    for (int x = kField.x0; x < kField.x1; ++x) image.Set(x, y, colour(x, y));
}

// Night water with ripples and the moon's broken reflection.
Image Harbour() {
  Image image(640, 480);
  ForField(image, [](int x, int y) {
    const float n = Fractal(x * 0.5f, y * 2.0f, 60, 101);
    const float ripple = std::pow(std::max(0.0f, std::sin(y * 0.55f + n * 9.0f)), 12.0f);
    return Mix(Mix({6, 16, 36}, {18, 36, 66}, n), {70, 110, 160}, ripple * 0.3f);
  });
  Random r(7);
  for (int i = 0; i < 26; ++i) {
    const float y = r.Range(60, 430), w = r.Range(8, 40) * (1 - std::abs(y - 240) / 400);
    Line(image, {460 - w, y}, {460 + w, y}, 2, {150, 170, 200}, 0.25f);
  }
  for (int i = 0; i < 7; ++i)
    Glow(image, r.Range(60, 580), r.Range(60, 420), 22, {255, 150, 60}, 0.25f);
  PaintWalls(image, {{110, 78, 58}, {52, 34, 28}, {220, 170, 90}}, 11);
  WallLanterns(image, {240, 130, 50});
  return image;
}

// Dark marsh water, reeds along the banks and fireflies.
Image Marsh() {
  Image image(640, 480);
  ForField(image, [](int x, int y) {
    const float n = Fractal(static_cast<float>(x), static_cast<float>(y), 70, 202);
    return Mix({10, 30, 28}, {30, 62, 50}, n);
  });
  Random r(9);
  for (int i = 0; i < 90; ++i) {
    const bool left = i % 2 == 0;
    const float x = left ? r.Range(34, 70) : r.Range(570, 606), y = r.Range(40, 446);
    Line(image, {x, y}, {x + r.Range(-6, 6), y - r.Range(14, 34)}, 2, {60, 85, 45}, 0.8f);
  }
  for (int i = 0; i < 14; ++i)
    Glow(image, r.Range(80, 560), r.Range(60, 420), 10, {200, 255, 120}, 0.6f);
  PaintWalls(image, {{80, 70, 50}, {34, 30, 24}, {170, 190, 120}}, 21);
  WallLanterns(image, {230, 150, 60});
  return image;
}

// A stone plaza with a festival mosaic.
Image Festival() {
  Image image(640, 480);
  ForField(image, [](int x, int y) {
    const float n = Fractal(static_cast<float>(x), static_cast<float>(y), 30, 303, 3);
    const bool grout = (x - 32) % 48 < 2 || (y - 32) % 48 < 2;
    const float tile =
        ValueNoise(static_cast<float>((x - 32) / 48), static_cast<float>((y - 32) / 48), 1, 17);
    Rgb c = Mix({44, 28, 34}, {72, 46, 50}, 0.5f * n + 0.5f * tile);
    return grout ? Scale(c, 0.5f) : c;
  });
  Ring(image, 320, 240, 120, 6, {140, 60, 50}, 0.6f);
  Ring(image, 320, 240, 100, 2, {180, 120, 70}, 0.5f);
  for (int a = 0; a < 12; ++a) {
    const float t = a * std::numbers::pi_v<float> / 6;
    Line(image, {320 + 100 * std::cos(t), 240 + 100 * std::sin(t)},
         {320 + 120 * std::cos(t), 240 + 120 * std::sin(t)}, 3, {180, 120, 70}, 0.5f);
  }
  PaintWalls(image, {{150, 40, 36}, {80, 18, 20}, {240, 190, 90}}, 31);
  WallLanterns(image, {250, 90, 70});
  return image;
}

// Ice with cracks and snow blown against the walls.
Image Canal() {
  Image image(640, 480);
  ForField(image, [](int x, int y) {
    const float n = Fractal(static_cast<float>(x), static_cast<float>(y), 90, 404);
    const float edge = std::min({x - 32, 608 - x, y - 32, 448 - y}) / 60.0f;
    const Rgb ice = Mix({20, 36, 54}, {44, 70, 94}, n);
    return Mix({120, 145, 165}, ice, std::min(1.0f, edge + n * 0.5f));
  });
  Random r(13);
  for (int i = 0; i < 9; ++i) {
    Point p{r.Range(80, 560), r.Range(70, 410)};
    float angle = r.Range(0, 6.28f);
    for (int s = 0; s < 7; ++s) {
      angle += r.Range(-0.7f, 0.7f);
      const Point q{p.x + 18 * std::cos(angle), p.y + 18 * std::sin(angle)};
      Line(image, p, q, 1.5f, {150, 190, 215}, 0.55f);
      p = q;
    }
  }
  PaintWalls(image, {{170, 180, 195}, {80, 90, 110}, {200, 235, 255}}, 41);
  WallLanterns(image, {230, 160, 80});
  return image;
}

// The tower floor: violet stone around a moon mosaic.
Image Tower() {
  Image image(640, 480);
  ForField(image, [](int x, int y) {
    const float n = Fractal(static_cast<float>(x), static_cast<float>(y), 40, 505);
    const float d = std::hypot(x - 320.0f, y - 240.0f);
    const float band =
        std::pow(std::max(0.0f, std::cos(d * 0.12f)), 30.0f) * (d < 190 ? 1.0f : 0.0f);
    return Mix(Mix({22, 14, 38}, {44, 30, 66}, n), {90, 70, 140}, band * 0.5f);
  });
  FillCircle(image, 320, 240, 52, Solid({150, 130, 190}), 0.25f);
  FillCircle(image, 340, 226, 46, Solid({30, 20, 50}), 0.35f);
  Random r(17);
  for (int i = 0; i < 60; ++i)
    image.AddLight(static_cast<int>(r.Range(34, 606)), static_cast<int>(r.Range(34, 446)),
                   {160, 140, 220}, 0.4f);
  PaintWalls(image, {{95, 80, 125}, {40, 30, 60}, {190, 160, 240}}, 51);
  WallLanterns(image, {200, 120, 240});
  return image;
}

// The sunken shrine: deep water turning around a whirl, vermilion walls.
Image Shrine() {
  Image image(640, 480);
  ForField(image, [](int x, int y) {
    const float dx = x - 320.0f, dy = y - 240.0f, d = std::hypot(dx, dy);
    const float n = Fractal(static_cast<float>(x), static_cast<float>(y), 50, 606);
    const float swirl =
        std::pow(std::max(0.0f, std::sin(std::atan2(dy, dx) * 3 + d * 0.05f + n * 3)), 8.0f) *
        std::max(0.0f, 1 - d / 260);
    return Mix(Mix({6, 26, 34}, {16, 52, 60}, n), {70, 150, 150}, swirl * 0.35f);
  });
  Random r(19);
  for (int i = 0; i < 40; ++i)
    Glow(image, r.Range(40, 600), r.Range(40, 440), 6, {120, 255, 220}, 0.35f);
  PaintWalls(image, {{170, 55, 40}, {80, 22, 20}, {240, 200, 120}}, 61);
  WallLanterns(image, {250, 120, 60});
  return image;
}

// Boards of a night market between the stalls, with lantern light pooled on them.
Image Market() {
  Image image(640, 480);
  ForField(image, [](int x, int y) {
    const float n = Fractal(static_cast<float>(x), y * 0.3f, 40, 707, 3);
    const bool seam = (y - 32) % 24 < 2;
    const Rgb c = Mix({40, 26, 22}, {66, 44, 34}, n);
    return seam ? Scale(c, 0.6f) : c;
  });
  Random r(23);
  for (int i = 0; i < 10; ++i)
    Glow(image, r.Range(60, 580), r.Range(60, 420), 40, {255, 140, 60}, 0.18f);
  PaintWalls(image, {{130, 70, 50}, {60, 30, 24}, {250, 190, 110}}, 71);
  WallLanterns(image, {250, 110, 60});
  return image;
}

// Dark river under a willow bridge: long planks and drifting leaves.
Image Bridge() {
  Image image(640, 480);
  ForField(image, [](int x, int y) {
    const float n = Fractal(x * 0.4f, static_cast<float>(y), 50, 808);
    const bool plank = (x - 32) % 64 < 2;
    const Rgb c = Mix({18, 34, 30}, {38, 60, 48}, n);
    return plank ? Scale(c, 0.65f) : c;
  });
  Random r(29);
  for (int i = 0; i < 40; ++i) {
    const Point p{r.Range(50, 590), r.Range(50, 430)};
    const float a = r.Range(0, 6.28f);
    Line(image, p, {p.x + 8 * std::cos(a), p.y + 8 * std::sin(a)}, 2.5f, {110, 150, 70}, 0.5f);
  }
  PaintWalls(image, {{120, 100, 70}, {50, 42, 30}, {190, 210, 130}}, 81);
  WallLanterns(image, {240, 160, 70});
  return image;
}

// A terrace under the night sky: slate tiles and sky lanterns rising far below.
Image Terrace() {
  Image image(640, 480);
  ForField(image, [](int x, int y) {
    const float n = Fractal(static_cast<float>(x), static_cast<float>(y), 35, 909, 3);
    const bool grout = (x - 32) % 64 < 2 || (y - 32) % 64 < 2;
    const Rgb c = Mix({16, 20, 44}, {34, 40, 74}, n);
    return grout ? Scale(c, 0.6f) : c;
  });
  Random r(31);
  for (int i = 0; i < 18; ++i)
    Glow(image, r.Range(50, 590), r.Range(50, 430), 9, {255, 170, 90}, 0.35f);
  for (int i = 0; i < 70; ++i)
    image.AddLight(static_cast<int>(r.Range(34, 606)), static_cast<int>(r.Range(34, 446)),
                   {180, 190, 255}, 0.35f);
  PaintWalls(image, {{90, 95, 130}, {36, 38, 62}, {200, 200, 250}}, 91);
  WallLanterns(image, {250, 150, 80});
  return image;
}

// The belfry floor: red lacquer boards round a golden ring where the bell hangs.
Image Belfry() {
  Image image(640, 480);
  ForField(image, [](int x, int y) {
    const float n = Fractal(static_cast<float>(x), y * 0.35f, 45, 1010, 3);
    const float d = std::hypot(x - 320.0f, y - 240.0f);
    const float ring = std::pow(std::max(0.0f, std::cos((d - 150) * 0.06f)), 20.0f) *
                       (std::abs(d - 150) < 40 ? 1.0f : 0.0f);
    return Mix(Mix({40, 14, 14}, {66, 24, 20}, n), {140, 100, 40}, ring * 0.5f);
  });
  Random r(37);
  for (int i = 0; i < 30; ++i)
    Glow(image, r.Range(40, 600), r.Range(40, 440), 7, {255, 200, 110}, 0.3f);
  PaintWalls(image, {{150, 110, 60}, {70, 44, 24}, {255, 215, 120}}, 101);
  WallLanterns(image, {255, 140, 60});
  return image;
}

}  // namespace

Image StageBackground(int stage) {
  switch (stage) {
    case 1: return Harbour();
    case 2: return Marsh();
    case 3: return Festival();
    case 4: return Canal();
    case 5: return Tower();
    case 6: return Shrine();
    case 7: return Market();
    case 8: return Bridge();
    case 9: return Terrace();
    default: return Belfry();
  }
}

void WriteBackgrounds(const Pack& pack) {
  for (const Stage& stage : Stages())
    pack.DitheredPicture(name::Background(stage.number), StageBackground(stage.number));
}
