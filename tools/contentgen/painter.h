// Anti-aliased shapes, gradients and glows on an Image.
#pragma once

#include <functional>
#include <vector>

#include "image.h"

struct Point {
  float x, y;
};

// Right and bottom are exclusive.
struct Rect {
  int x0, y0, x1, y1;
};

// The colour of a filled shape at a pixel centre.
using Fill = std::function<Rgb(float x, float y)>;
Fill Solid(Rgb c);
// From top at y0 to bottom at y1, flat beyond.
Fill VerticalRamp(float y0, Rgb top, float y1, Rgb bottom);
// From centre colour at (cx, cy) to edge colour at distance radius.
Fill RadialRamp(float cx, float cy, float radius, Rgb centre, Rgb edge);

void FillRect(Image& image, Rect r, const Fill& fill, float alpha = 1.0f);
void FillCircle(Image& image, float cx, float cy, float radius, const Fill& fill,
                float alpha = 1.0f);
void FillEllipse(Image& image, float cx, float cy, float rx, float ry, const Fill& fill,
                 float alpha = 1.0f);
void FillRoundedRect(Image& image, Rect r, float radius, const Fill& fill, float alpha = 1.0f);
void FillPolygon(Image& image, const std::vector<Point>& points, const Fill& fill,
                 float alpha = 1.0f);
void Ring(Image& image, float cx, float cy, float radius, float thickness, Rgb c,
          float alpha = 1.0f);
void RoundedFrame(Image& image, Rect r, float radius, float thickness, Rgb c, float alpha = 1.0f);
void Line(Image& image, Point a, Point b, float width, Rgb c, float alpha = 1.0f);
// Additive light that falls off smoothly to nothing at radius.
void Glow(Image& image, float cx, float cy, float radius, Rgb c, float strength);
