// Cutting a rectangle copy to the clip rectangle, and refusing one whose
// source does not lie inside the picture.
#pragma once

#include <cstdint>

#include "library/draw/row_kernels.h"
#include "library/draw/surface.h"

namespace draw {

struct ClipRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// w x h pixels from (sx, sy) of a picture to (x, y). Wide enough that no
// caller's coordinates overflow while they are cut.
struct Blit {
  int64_t x = 0, y = 0, sx = 0, sy = 0, w = 0, h = 0;
};

// Cuts the copy of (sx, sy)-(ex, ey) to (x, y) at the clip rectangle; false when nothing is left.
inline bool ClipBlit(const ClipRect& clip, int x, int y, int sx, int sy, int ex, int ey,
                     Blit& out) {
  int64_t X = x, Y = y, SX = sx, SY = sy, EX = ex, EY = ey;
  if (X + (EX - SX) > clip.right) EX = clip.right - X + SX;
  if (Y + (EY - SY) > clip.bottom) EY = clip.bottom - Y + SY;
  if (X < clip.left) {
    SX += clip.left - X;
    X = clip.left;
  }
  if (Y < clip.top) {
    SY += clip.top - Y;
    Y = clip.top;
  }
  if (EX <= SX || EY <= SY) return false;
  out = {X, Y, SX, SY, EX - SX, EY - SY};
  return true;
}

inline bool InsidePicture(const Blit& b, const Surface& picture) {
  return b.sx >= 0 && b.sy >= 0 && b.sx + b.w <= picture.width && b.sy + b.h <= picture.height;
}

// The rows of a clipped copy that lies inside both surfaces.
inline Rows RowsOf(Surface& target, const Surface& picture, const Blit& b) {
  return {target.Row(static_cast<int>(b.y)) + b.x,
          picture.Row(static_cast<int>(b.sy)) + b.sx,
          target.pitch,
          picture.pitch,
          static_cast<int>(b.w),
          static_cast<int>(b.h)};
}

}  // namespace draw
