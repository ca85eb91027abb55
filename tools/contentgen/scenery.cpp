#include "scenery.h"

#include <algorithm>
#include <cmath>

#include "random.h"
#include "text.h"

void Sky(Image& image, int horizon, float dawn, uint32_t seed) {
  const Rgb top = Mix({6, 8, 26}, {70, 90, 160}, dawn);
  const Rgb low = Mix({34, 30, 74}, {255, 170, 120}, dawn);
  FillRect(image, {0, 0, image.width(), horizon},
           VerticalRamp(0, top, static_cast<float>(horizon), low));
  Random r(seed);
  for (int i = 0; i < 160; ++i) {
    const int x = r.Below(image.width()), y = r.Below(std::max(1, horizon - 20));
    const float bright = r.Range(0.2f, 1.0f) * (1 - dawn);
    image.AddLight(x, y, {230, 230, 255}, bright);
    if (bright > 0.85f) Glow(image, x + 0.5f, y + 0.5f, 4, {200, 210, 255}, 0.5f);
  }
}

void Moon(Image& image, float x, float y, float radius) {
  Glow(image, x, y, radius * 3.5f, {120, 130, 200}, 0.35f);
  FillCircle(image, x, y, radius,
             RadialRamp(x - radius * 0.3f, y - radius * 0.3f, radius * 1.6f, {255, 252, 230},
                        {220, 210, 170}));
  FillCircle(image, x + radius * 0.3f, y + radius * 0.1f, radius * 0.18f, Solid({200, 190, 160}),
             0.5f);
  FillCircle(image, x - radius * 0.35f, y + radius * 0.4f, radius * 0.12f, Solid({200, 190, 160}),
             0.5f);
}

void Water(Image& image, int horizon, float dawn, float reflect_x, uint32_t seed) {
  const Rgb deep = Mix({6, 14, 34}, {60, 70, 110}, dawn),
            near = Mix({16, 34, 66}, {120, 100, 120}, dawn);
  for (int y = horizon; y < image.height(); ++y) {
    const float depth = static_cast<float>(y - horizon) / std::max(1, image.height() - horizon);
    for (int x = 0; x < image.width(); ++x) {
      const float n = Fractal(x * 0.4f, y * 2.5f, 50, seed);
      const float ripple =
          std::pow(std::max(0.0f, std::sin(y * 0.7f / (0.3f + depth) + n * 8)), 10.0f);
      const float column = std::max(0.0f, 1 - std::abs(x - reflect_x) / (30 + 60 * depth));
      Rgb c = Mix(deep, near, depth * 0.7f + n * 0.3f);
      c = Mix(c, Mix({140, 160, 210}, {255, 210, 150}, dawn), ripple * (0.2f + 0.8f * column));
      image.Set(x, y, c);
    }
  }
}

void FloatingLantern(Image& image, float x, float y, float scale, bool lit) {
  const Rgb paper = lit ? Rgb{255, 200, 110} : Rgb{90, 90, 100};
  if (lit) Glow(image, x, y, 40 * scale, {255, 150, 60}, 0.55f);
  FillEllipse(image, x, y + 14 * scale, 14 * scale, 3 * scale,
              Solid(lit ? Rgb{255, 170, 80} : Rgb{50, 55, 70}), 0.5f);
  const Rect body{static_cast<int>(x - 9 * scale), static_cast<int>(y - 12 * scale),
                  static_cast<int>(x + 9 * scale), static_cast<int>(y + 10 * scale)};
  FillRoundedRect(
      image, body, 3 * scale,
      VerticalRamp(static_cast<float>(body.y0), lit ? Rgb{255, 240, 190} : Rgb{120, 120, 130},
                   static_cast<float>(body.y1), paper));
  FillRect(image,
           {body.x0 - static_cast<int>(2 * scale), body.y1, body.x1 + static_cast<int>(2 * scale),
            body.y1 + static_cast<int>(std::max(1.0f, 3 * scale))},
           Solid({90, 40, 30}));
}

void LanternFleet(Image& image, int horizon, int count, bool lit, uint32_t seed) {
  Random r(seed);
  for (int i = 0; i < count; ++i) {
    const float depth = std::pow(r.Unit(), 1.6f);
    const float y = horizon + 6 + depth * (image.height() - horizon - 40);
    FloatingLantern(image, r.Range(10, image.width() - 10.0f), y, 0.25f + depth * 0.9f, lit);
  }
}

void Panel(Image& image, Rect r, float alpha) {
  FillRoundedRect(
      image, r, 10,
      VerticalRamp(static_cast<float>(r.y0), {26, 20, 48}, static_cast<float>(r.y1), {14, 10, 30}),
      alpha);
  RoundedFrame(image, r, 10, 2, {210, 160, 80}, 0.9f);
}

Image PanelPicture(int width, int height) {
  Image image(width, height);
  Panel(image, {0, 0, width, height}, 1.0f);
  return image;
}

void TwoLanguages(Image& image, int x, int y, const std::string& en, const std::string& jp,
                  int size) {
  TextStyle style = Style(size, {250, 240, 220}, true);
  style.shadow = true;
  DrawText(image, en, x, y, Align::kCentre, style);
  TextStyle jstyle = Style(size - 2, {255, 215, 160});
  jstyle.shadow = true;
  DrawText(image, jp, x, y + size + 8, Align::kCentre, jstyle);
}
