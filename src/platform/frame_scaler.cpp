#include "platform/frame_scaler.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

namespace platform {

namespace {

constexpr uint32_t kRed565 = 0xF800, kGreen565 = 0x07E0, kBlue565 = 0x001F;

int LowestBit(uint32_t mask) {
  int shift = 0;
  while (shift < 32 && ((mask >> shift) & 1u) == 0) ++shift;
  return shift;
}

bool EightBitMask(uint32_t mask) { return mask != 0 && (mask >> LowestBit(mask)) == 0xFFu; }

// 5 and 6 bits to the nearest 8-bit value, as a graphics card converts them:
// round(v * 255 / 31) and round(v * 255 / 63) without a division.
struct To32 {
  int shift_r, shift_g, shift_b;
  uint32_t alpha;
  uint32_t operator()(uint32_t p) const {
    const uint32_t r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
    return (((r * 527 + 23) >> 6) << shift_r) | (((g * 259 + 33) >> 6) << shift_g) |
           (((b * 527 + 23) >> 6) << shift_b) | alpha;
  }
};

struct To16 {
  uint16_t operator()(uint16_t p) const { return p; }
};

template <typename Out, typename Convert>
void ScaleRow(const uint16_t* in, int width, Out* out, int out_width, Convert convert) {
  if (out_width == width) {
    for (int x = 0; x < width; ++x) out[x] = static_cast<Out>(convert(in[x]));
    return;
  }
  if (out_width % width == 0) {
    const int scale = out_width / width;
    for (int x = 0; x < width; ++x) {
      const Out v = static_cast<Out>(convert(in[x]));
      for (int k = 0; k < scale; ++k) out[x * scale + k] = v;
    }
    return;
  }
  for (int x = 0; x < out_width; ++x)
    out[x] = static_cast<Out>(convert(in[static_cast<int64_t>(x) * width / out_width]));
}

}  // namespace

PictureRect FitPicture(int width, int height, int target_width, int target_height) {
  if (width <= 0 || height <= 0 || target_width <= 0 || target_height <= 0) return {};
  int w = width, h = height;
  const int scale = std::min(target_width / width, target_height / height);
  if (scale >= 1) {
    w = width * scale;
    h = height * scale;
  } else if (static_cast<int64_t>(target_width) * height <= static_cast<int64_t>(target_height) * width) {
    w = target_width;
    h = std::max(1, static_cast<int>(static_cast<int64_t>(target_width) * height / width));
  } else {
    h = target_height;
    w = std::max(1, static_cast<int>(static_cast<int64_t>(target_height) * width / height));
  }
  return {(target_width - w) / 2, (target_height - h) / 2, w, h};
}

bool CanShowInto(const TargetPixels& t) {
  if (t.pixels == nullptr || t.width <= 0 || t.height <= 0) return false;
  if (t.bytes_per_pixel == 2)
    return t.red_mask == kRed565 && t.green_mask == kGreen565 && t.blue_mask == kBlue565 &&
           t.pitch >= t.width * 2;
  return t.bytes_per_pixel == 4 && EightBitMask(t.red_mask) && EightBitMask(t.green_mask) &&
         EightBitMask(t.blue_mask) && t.pitch >= t.width * 4 && t.pitch % 4 == 0;
}

void FrameScaler::SetTarget(const TargetPixels& target) {
  target_ = target;
  shift_r_ = LowestBit(target.red_mask);
  shift_g_ = LowestBit(target.green_mask);
  shift_b_ = LowestBit(target.blue_mask);
  repaint_ = true;
}

bool FrameScaler::RowChanged(const uint16_t* row, int y, int width) {
  uint16_t* kept = &shown_[static_cast<size_t>(y) * static_cast<size_t>(width)];
  if (std::memcmp(kept, row, static_cast<size_t>(width) * sizeof *row) == 0) return false;
  std::memcpy(kept, row, static_cast<size_t>(width) * sizeof *row);
  return true;
}

ChangedRows FrameScaler::Show(const uint16_t* pixels, int width, int height, int pitch) {
  if (!CanShowInto(target_) || width <= 0 || height <= 0 || pitch < width) return {};
  if (width != shown_width_ || height != shown_height_) {
    shown_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    shown_width_ = width;
    shown_height_ = height;
    repaint_ = true;
  }
  const bool all = repaint_;
  if (all) {
    rect_ = FitPicture(width, height, target_.width, target_.height);
    PaintAll();
    repaint_ = false;
  }
  ChangedRows changed{target_.height, 0};
  for (int y = 0; y < height; ++y) {
    const uint16_t* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
    if (!RowChanged(row, y, width) && !all) continue;
    const auto [top, bottom] = TargetRowsOf(y, height);
    if (bottom <= top) continue;
    PaintRow(row, top, bottom, width);
    changed.first = std::min(changed.first, top);
    changed.last = std::max(changed.last, bottom);
  }
  if (all) return {0, target_.height};
  return changed;
}

// Target row y shows picture row y * height / rect height (nearest neighbour,
// as the columns): picture row source_y covers the target rows [first, last).
std::pair<int, int> FrameScaler::TargetRowsOf(int source_y, int height) const {
  auto first_showing = [&](int64_t y) {
    return rect_.y + static_cast<int>((y * rect_.height + height - 1) / height);
  };
  return {first_showing(source_y), first_showing(source_y + 1)};
}

// The bars: every target pixel outside the picture, black.
void FrameScaler::PaintAll() {
  for (int y = 0; y < target_.height; ++y) {
    if (y < rect_.y || y >= rect_.y + rect_.height) {
      FillRow(y, 0, target_.width);
      continue;
    }
    FillRow(y, 0, rect_.x);
    FillRow(y, rect_.x + rect_.width, target_.width - rect_.x - rect_.width);
  }
}

void FrameScaler::FillRow(int y, int x, int count) {
  if (count <= 0) return;
  auto* line = static_cast<uint8_t*>(target_.pixels) + static_cast<std::ptrdiff_t>(y) * target_.pitch;
  const uint32_t black = target_.bytes_per_pixel == 4 ? target_.alpha_mask : 0;
  if (target_.bytes_per_pixel == 2) {
    std::memset(line + static_cast<std::ptrdiff_t>(x) * 2, 0, static_cast<size_t>(count) * 2);
    return;
  }
  auto* out = reinterpret_cast<uint32_t*>(line) + x;
  std::fill(out, out + count, black);
}

// Converts and scales one source row into its first target row, then copies
// that row down to the others it covers.
void FrameScaler::PaintRow(const uint16_t* row, int top, int bottom, int width) {
  auto* base = static_cast<uint8_t*>(target_.pixels);
  uint8_t* first = base + static_cast<std::ptrdiff_t>(top) * target_.pitch +
                   static_cast<std::ptrdiff_t>(rect_.x) * target_.bytes_per_pixel;
  if (target_.bytes_per_pixel == 4)
    ScaleRow(row, width, reinterpret_cast<uint32_t*>(first), rect_.width,
             To32{shift_r_, shift_g_, shift_b_, target_.alpha_mask});
  else
    ScaleRow(row, width, reinterpret_cast<uint16_t*>(first), rect_.width, To16{});
  const size_t bytes = static_cast<size_t>(rect_.width) * static_cast<size_t>(target_.bytes_per_pixel);
  for (int y = top + 1; y < bottom; ++y)
    std::memcpy(first + static_cast<std::ptrdiff_t>(y - top) * target_.pitch, first, bytes);
}

}  // namespace platform
