#include "painter.h"

#include <algorithm>
#include <cmath>

namespace {

// A shape as a signed distance: negative inside, positive outside, in pixels.
using Distance = std::function<float(float x, float y)>;

// Paints every pixel of the box by how much of it the shape covers.
void PaintShape(Image& image, float x0, float y0, float x1, float y1, const Distance& distance,
                const Fill& fill, float alpha) {
  const float u = image.unit();
  const int left = std::max(0, static_cast<int>(std::floor(x0 * u)) - 1);
  const int top = std::max(0, static_cast<int>(std::floor(y0 * u)) - 1);
  const int right = std::min(image.width(), static_cast<int>(std::ceil(x1 * u)) + 1);
  const int bottom = std::min(image.height(), static_cast<int>(std::ceil(y1 * u)) + 1);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const float px = (x + 0.5f) / u, py = (y + 0.5f) / u;
      const float cover = std::clamp(0.5f - distance(px, py) * u, 0.0f, 1.0f);
      if (cover > 0.0f) image.Blend(x, y, fill(px, py), cover * alpha);
    }
  }
}

float SegmentDistance(Point p, Point a, Point b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float length2 = dx * dx + dy * dy;
  float t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0f;
  t = std::clamp(t, 0.0f, 1.0f);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

float RoundedRectDistance(Rect r, float radius, float x, float y) {
  const float cx = (r.x0 + r.x1) * 0.5f, cy = (r.y0 + r.y1) * 0.5f;
  const float hx = (r.x1 - r.x0) * 0.5f - radius, hy = (r.y1 - r.y0) * 0.5f - radius;
  const float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
  const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

}  // namespace

Fill Solid(Rgb c) {
  return [c](float, float) { return c; };
}

Fill VerticalRamp(float y0, Rgb top, float y1, Rgb bottom) {
  return
      [=](float, float y) { return Mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.f, 1.f)); };
}

Fill RadialRamp(float cx, float cy, float radius, Rgb centre, Rgb edge) {
  return [=](float x, float y) {
    return Mix(centre, edge, std::clamp(std::hypot(x - cx, y - cy) / radius, 0.0f, 1.0f));
  };
}

void FillRect(Image& image, Rect r, const Fill& fill, float alpha) {
  const float u = image.unit();
  const auto px = [u](int v) { return static_cast<int>(std::lround(v * u)); };
  for (int y = std::max(0, px(r.y0)); y < std::min(image.height(), px(r.y1)); ++y) {
    for (int x = std::max(0, px(r.x0)); x < std::min(image.width(), px(r.x1)); ++x) {
      image.Blend(x, y, fill((x + 0.5f) / u, (y + 0.5f) / u), alpha);
    }
  }
}

void FillCircle(Image& image, float cx, float cy, float radius, const Fill& fill, float alpha) {
  PaintShape(
      image, cx - radius, cy - radius, cx + radius, cy + radius,
      [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; }, fill, alpha);
}

void FillEllipse(Image& image, float cx, float cy, float rx, float ry, const Fill& fill,
                 float alpha) {
  const float scale = std::min(rx, ry);
  PaintShape(
      image, cx - rx, cy - ry, cx + rx, cy + ry,
      [=](float x, float y) { return (std::hypot((x - cx) / rx, (y - cy) / ry) - 1.0f) * scale; },
      fill, alpha);
}

void FillRoundedRect(Image& image, Rect r, float radius, const Fill& fill, float alpha) {
  PaintShape(
      image, r.x0, r.y0, r.x1, r.y1,
      [=](float x, float y) { return RoundedRectDistance(r, radius, x, y); }, fill, alpha);
}

void FillPolygon(Image& image, const std::vector<Point>& points, const Fill& fill, float alpha) {
  float x0 = points[0].x, y0 = points[0].y, x1 = x0, y1 = y0;
  for (const Point& p : points) {
    x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
    x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
  }
  const auto distance = [&points](float x, float y) {
    float nearest = 1e9f;
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const Point a = points[j], b = points[i];
      nearest = std::min(nearest, SegmentDistance({x, y}, a, b));
      if ((b.y > y) != (a.y > y) && x < (a.x - b.x) * (y - b.y) / (a.y - b.y) + b.x)
        inside = !inside;
    }
    return inside ? -nearest : nearest;
  };
  PaintShape(image, x0, y0, x1, y1, distance, fill, alpha);
}

void Ring(Image& image, float cx, float cy, float radius, float thickness, Rgb c, float alpha) {
  const float outer = radius + thickness * 0.5f;
  PaintShape(
      image, cx - outer, cy - outer, cx + outer, cy + outer,
      [=](float x, float y) {
        return std::abs(std::hypot(x - cx, y - cy) - radius) - thickness * 0.5f;
      },
      Solid(c), alpha);
}

void RoundedFrame(Image& image, Rect r, float radius, float thickness, Rgb c, float alpha) {
  PaintShape(
      image, r.x0, r.y0, r.x1, r.y1,
      [=](float x, float y) {
        return std::abs(RoundedRectDistance(r, radius, x, y) + thickness * 0.5f) - thickness * 0.5f;
      },
      Solid(c), alpha);
}

void Line(Image& image, Point a, Point b, float width, Rgb c, float alpha) {
  const float h = width * 0.5f;
  PaintShape(
      image, std::min(a.x, b.x) - h, std::min(a.y, b.y) - h, std::max(a.x, b.x) + h,
      std::max(a.y, b.y) + h,
      [=](float x, float y) {
        return SegmentDistance({x, y}, a, b) - h;
      },
      Solid(c), alpha);
}

void Glow(Image& image, float cx, float cy, float radius, Rgb c, float strength) {
  const float u = image.unit();
  const int left = std::max(0, static_cast<int>((cx - radius) * u));
  const int right = std::min(image.width(), static_cast<int>((cx + radius) * u) + 1);
  const int top = std::max(0, static_cast<int>((cy - radius) * u));
  const int bottom = std::min(image.height(), static_cast<int>((cy + radius) * u) + 1);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const float d = std::hypot((x + 0.5f) / u - cx, (y + 0.5f) / u - cy) / radius;
      if (d >= 1.0f) continue;
      const float fall = (1.0f - d) * (1.0f - d);
      image.AddLight(x, y, c, fall * strength);
    }
  }
}
