// Shows an RGB565 picture in a window's own pixels: converted to the window's
// format, scaled nearest-neighbour by the largest whole multiple that fits (or
// shrunk to fit a smaller window), centred between black bars; or, to fill the
// window, that multiple stretched linearly. Rows equal to those shown last time
// are not touched again, in the same pass that converts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace platform {

// A window's pixels: 2 bytes a pixel (RGB565 only) or 4 bytes with these masks.
struct TargetPixels {
  void* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;  // in bytes
  int bytes_per_pixel = 0;
  uint32_t red_mask = 0, green_mask = 0, blue_mask = 0, alpha_mask = 0;
};

// The rows of the target that changed, first to last exclusive (empty: none).
struct ChangedRows {
  int first = 0;
  int last = 0;
  bool empty() const { return last <= first; }
};

// Where the picture lands in the target.
struct PictureRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// Whole multiples when they fit, the exact fit (shape kept) when the target is smaller.
PictureRect FitPicture(int width, int height, int target_width, int target_height);
// The largest rectangle of the picture's shape in the target, centred.
PictureRect FillPicture(int width, int height, int target_width, int target_height);

// One target column (or row) of a stretch: source pixel first, blended with
// first + 1 by weight 256ths (0: first alone).
struct Tap {
  int first = 0;
  int weight = 0;
};
// A sharp stretch of source pixels onto out: each pixel repeated by the largest
// whole multiple that fits (at least 1), then that scaled linearly, so only the
// seams between two pixels blend.
std::vector<Tap> SharpTaps(int source, int out);

// Whether Show can write into a target of this format.
bool CanShowInto(const TargetPixels& target);

class FrameScaler {
 public:
  // A new or resized target: the next Show paints all of it, bars included.
  void SetTarget(const TargetPixels& target);
  // fill: the picture fills the target (FillPicture) rather than FitPicture.
  void SetFill(bool fill);
  // Paints the picture (pitch in pixels) and returns the target rows it changed.
  ChangedRows Show(const uint16_t* pixels, int width, int height, int pitch);
  // The next Show paints the whole target.
  bool Repainting() const { return repaint_; }

 private:
  bool ShowRow(const uint16_t* row, int y, int width, bool all, int top, int bottom);
  void PaintAll();
  std::pair<int, int> TargetRowsOf(int source_y, int height) const;
  void PaintRow(const uint16_t* row, int top, int bottom, int width);
  void PaintSpan(const uint16_t* row, int x, int n, int top, int bottom);
  void CopyDown(uint8_t* first, int top, int bottom, size_t bytes);
  void FillRow(int y, int x, int count);
  ChangedRows ShowStretched(const uint16_t* pixels, int width, int height, int pitch, bool all);
  void StretchRow(const uint16_t* row, int y, int width);
  void PaintBlend(int target_y, const Tap& tap);

  TargetPixels target_;
  PictureRect rect_;
  int shift_r_ = 0, shift_g_ = 0, shift_b_ = 0;
  bool repaint_ = true;
  bool fill_ = false;
  bool stretching_ = false;          // filling, past a whole multiple
  std::vector<Tap> columns_, rows_;  // taps of the stretch, per target column and row
  std::vector<uint32_t> stretched_;  // each source row stretched across, 0x00RRGGBB
  int shown_width_ = 0, shown_height_ = 0;
  std::vector<uint16_t> shown_;  // the picture as painted last time
};

}  // namespace platform
