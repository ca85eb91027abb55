#include "platform/frame_scaler.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// Eight pixels at once, by the same formula: the products fit in 16 bits.
__m128i Widen(__m128i component, short multiplier, short bias) {
  return _mm_srli_epi16(
      _mm_add_epi16(_mm_mullo_epi16(component, _mm_set1_epi16(multiplier)), _mm_set1_epi16(bias)),
      6);
}

void Convert8(const uint16_t* in, uint32_t* out, const To32& c) {
  const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  const __m128i r = Widen(_mm_srli_epi16(p, 11), 527, 23);
  const __m128i g = Widen(_mm_and_si128(_mm_srli_epi16(p, 5), _mm_set1_epi16(0x3F)), 259, 33);
  const __m128i b = Widen(_mm_and_si128(p, _mm_set1_epi16(0x1F)), 527, 23);
  const __m128i zero = _mm_setzero_si128(), alpha = _mm_set1_epi32(static_cast<int>(c.alpha));
  const __m128i sr = _mm_cvtsi32_si128(c.shift_r), sg = _mm_cvtsi32_si128(c.shift_g),
                sb = _mm_cvtsi32_si128(c.shift_b);
  const auto place = [&](__m128i r32, __m128i g32, __m128i b32) {
    return _mm_or_si128(_mm_or_si128(alpha, _mm_sll_epi32(r32, sr)),
                        _mm_or_si128(_mm_sll_epi32(g32, sg), _mm_sll_epi32(b32, sb)));
  };
  _mm_storeu_si128(
      reinterpret_cast<__m128i*>(out),
      place(_mm_unpacklo_epi16(r, zero), _mm_unpacklo_epi16(g, zero), _mm_unpacklo_epi16(b, zero)));
  _mm_storeu_si128(
      reinterpret_cast<__m128i*>(out + 4),
      place(_mm_unpackhi_epi16(r, zero), _mm_unpackhi_epi16(g, zero), _mm_unpackhi_epi16(b, zero)));
}
#endif

// Pixels compared, kept and painted together while they are in cache.
constexpr int kRun = 32;

// A whole run is compared by a fixed-size memcmp, which the compiler expands inline.
bool SameRun(const uint16_t* a, const uint16_t* b, int n) {
  if (n == kRun) return std::memcmp(a, b, kRun * sizeof *a) == 0;
  return std::memcmp(a, b, static_cast<size_t>(n) * sizeof *a) == 0;
}

void Convert(const uint16_t* in, int n, uint32_t* out, const To32& c) {
  int i = 0;
#if defined(__SSE2__)
  for (; i + 8 <= n; i += 8) Convert8(in + i, out + i, c);
#endif
  for (; i < n; ++i) out[i] = c(in[i]);
}

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
  } else if (static_cast<int64_t>(target_width) * height <=
             static_cast<int64_t>(target_height) * width) {
    w = target_width;
    h = std::max(1, static_cast<int>(static_cast<int64_t>(target_width) * height / width));
  } else {
    h = target_height;
    w = std::max(1, static_cast<int>(static_cast<int64_t>(target_height) * width / height));
  }
  return {(target_width - w) / 2, (target_height - h) / 2, w, h};
}

PictureRect FillPicture(int width, int height, int target_width, int target_height) {
  if (width <= 0 || height <= 0 || target_width <= 0 || target_height <= 0) return {};
  int w = target_width, h = target_height;
  if (static_cast<int64_t>(target_width) * height <= static_cast<int64_t>(target_height) * width)
    h = std::max(1, static_cast<int>(static_cast<int64_t>(target_width) * height / width));
  else
    w = std::max(1, static_cast<int>(static_cast<int64_t>(target_height) * width / height));
  return {(target_width - w) / 2, (target_height - h) / 2, w, h};
}

// Target pixel x samples the whole-multiple picture at (x + 0.5) * wide / out
// - 0.5, in exact integers: numerator over 2 * out.
std::vector<Tap> SharpTaps(int source, int out) {
  if (source <= 0 || out <= 0) return {};
  const int64_t scale = std::max(1, out / source), wide = scale * source;
  std::vector<Tap> taps(static_cast<size_t>(out));
  for (int64_t x = 0; x < out; ++x) {
    const int64_t at = std::max<int64_t>(0, (2 * x + 1) * wide - out), over = 2 * int64_t{out};
    const int64_t left = std::min(at / over, wide - 1), right = std::min(left + 1, wide - 1);
    Tap& t = taps[static_cast<size_t>(x)];
    t.first = static_cast<int>(left / scale);
    if (right / scale != left / scale) t.weight = static_cast<int>(at % over * 256 / over);
  }
  return taps;
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

void FrameScaler::SetFill(bool fill) {
  fill_ = fill;
  repaint_ = true;
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
    rect_ = fill_ ? FillPicture(width, height, target_.width, target_.height)
                  : FitPicture(width, height, target_.width, target_.height);
    stretching_ = fill_ && (rect_.width % width != 0 || rect_.height % height != 0);
    PaintAll();
    repaint_ = false;
  }
  if (stretching_) return ShowStretched(pixels, width, height, pitch, all);
  ChangedRows changed{target_.height, 0};
  for (int y = 0; y < height; ++y) {
    const auto [top, bottom] = TargetRowsOf(y, height);
    const uint16_t* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
    if (!ShowRow(row, y, width, all, top, bottom) || bottom <= top) continue;
    changed.first = std::min(changed.first, top);
    changed.last = std::max(changed.last, bottom);
  }
  if (all) return {0, target_.height};
  return changed;
}

// Compares the row with the one shown run by run: a run that changed is kept
// and painted while it is still in cache. Whole-number scales paint only the
// runs that changed, others the whole row.
bool FrameScaler::ShowRow(const uint16_t* row, int y, int width, bool all, int top, int bottom) {
  uint16_t* kept = &shown_[static_cast<size_t>(y) * static_cast<size_t>(width)];
  const bool whole = rect_.width % width == 0;
  bool changed = false;
  for (int x = 0; x < width; x += kRun) {
    const int n = std::min(kRun, width - x);
    if (!all && SameRun(kept + x, row + x, n)) continue;
    std::copy_n(row + x, n, kept + x);
    changed = true;
    if (whole && bottom > top) PaintSpan(row, x, n, top, bottom);
  }
  if (changed && !whole && bottom > top) PaintRow(row, top, bottom, width);
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
  auto* line =
      static_cast<uint8_t*>(target_.pixels) + static_cast<std::ptrdiff_t>(y) * target_.pitch;
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
  CopyDown(first, top, bottom,
           static_cast<size_t>(rect_.width) * static_cast<size_t>(target_.bytes_per_pixel));
}

// Pixels x to x + n of a source row at a whole-number scale, the same way.
void FrameScaler::PaintSpan(const uint16_t* row, int x, int n, int top, int bottom) {
  const int scale = rect_.width / shown_width_;
  uint8_t* first = static_cast<uint8_t*>(target_.pixels) +
                   static_cast<std::ptrdiff_t>(top) * target_.pitch +
                   static_cast<std::ptrdiff_t>(rect_.x + x * scale) * target_.bytes_per_pixel;
  if (target_.bytes_per_pixel == 4) {
    const To32 format{shift_r_, shift_g_, shift_b_, target_.alpha_mask};
    auto* out = reinterpret_cast<uint32_t*>(first);
    if (scale == 1) {
      Convert(row + x, n, out, format);
    } else {
      std::array<uint32_t, kRun> run;
      Convert(row + x, n, run.data(), format);
      for (int i = 0; i < n; ++i)
        std::fill_n(out + static_cast<std::ptrdiff_t>(i) * scale, scale,
                    run[static_cast<size_t>(i)]);
    }
  } else {
    ScaleRow(row + x, n, reinterpret_cast<uint16_t*>(first), n * scale, To16{});
  }
  CopyDown(first, top, bottom,
           static_cast<size_t>(n * scale) * static_cast<size_t>(target_.bytes_per_pixel));
}

void FrameScaler::CopyDown(uint8_t* first, int top, int bottom, size_t bytes) {
  for (int y = top + 1; y < bottom; ++y)
    std::memcpy(first + static_cast<std::ptrdiff_t>(y - top) * target_.pitch, first, bytes);
}

// Source rows that changed are stretched across once; each target row is then
// the blend of its two stretched rows, painted when either of them changed.
ChangedRows FrameScaler::ShowStretched(const uint16_t* pixels, int width, int height, int pitch,
                                       bool all) {
  if (all) {
    columns_ = SharpTaps(width, rect_.width);
    rows_ = SharpTaps(height, rect_.height);
    stretched_.assign(static_cast<size_t>(height) * static_cast<size_t>(rect_.width), 0);
  }
  std::vector<bool> changed(static_cast<size_t>(height), all);
  for (int y = 0; y < height; ++y) {
    const uint16_t* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
    uint16_t* kept = &shown_[static_cast<size_t>(y) * static_cast<size_t>(width)];
    if (!all && std::equal(row, row + width, kept)) continue;
    std::copy_n(row, width, kept);
    changed[static_cast<size_t>(y)] = true;
    StretchRow(row, y, width);
  }
  ChangedRows rows{target_.height, 0};
  for (int y = 0; y < rect_.height; ++y) {
    const Tap& tap = rows_[static_cast<size_t>(y)];
    const size_t second = static_cast<size_t>(tap.first + (tap.weight > 0 ? 1 : 0));
    if (!changed[static_cast<size_t>(tap.first)] && !changed[second]) continue;
    PaintBlend(rect_.y + y, tap);
    rows.first = std::min(rows.first, rect_.y + y);
    rows.last = std::max(rows.last, rect_.y + y + 1);
  }
  if (all) return {0, target_.height};
  return rows;
}

namespace {

// Both colours 0x00RRGGBB; weight of b in 256ths, rounded.
uint32_t Blend(uint32_t a, uint32_t b, int weight) {
  if (weight == 0) return a;
  const uint32_t w = static_cast<uint32_t>(weight), v = 256 - w;
  const uint32_t rb = ((a & 0xFF00FF) * v + (b & 0xFF00FF) * w + 0x800080) >> 8;
  const uint32_t g = ((a & 0xFF00) * v + (b & 0xFF00) * w + 0x8000) >> 8;
  return (rb & 0xFF00FF) | (g & 0xFF00);
}

}  // namespace

void FrameScaler::StretchRow(const uint16_t* row, int y, int width) {
  const To32 rgb{16, 8, 0, 0};
  uint32_t* out = &stretched_[static_cast<size_t>(y) * static_cast<size_t>(rect_.width)];
  for (size_t x = 0; x < columns_.size(); ++x) {
    const Tap& t = columns_[x];
    const int second = std::min(t.first + 1, width - 1);
    out[x] = Blend(rgb(row[t.first]), rgb(row[second]), t.weight);
  }
}

void FrameScaler::PaintBlend(int target_y, const Tap& tap) {
  const size_t w = static_cast<size_t>(rect_.width);
  const uint32_t* a = &stretched_[static_cast<size_t>(tap.first) * w];
  const uint32_t* b = tap.weight > 0 ? a + w : a;
  uint8_t* line = static_cast<uint8_t*>(target_.pixels) +
                  static_cast<std::ptrdiff_t>(target_y) * target_.pitch +
                  static_cast<std::ptrdiff_t>(rect_.x) * target_.bytes_per_pixel;
  for (size_t x = 0; x < w; ++x) {
    const uint32_t c = Blend(a[x], b[x], tap.weight);
    const uint32_t r = c >> 16, g = (c >> 8) & 0xFF, bl = c & 0xFF;
    if (target_.bytes_per_pixel == 4)
      reinterpret_cast<uint32_t*>(line)[x] =
          (r << shift_r_) | (g << shift_g_) | (bl << shift_b_) | target_.alpha_mask;
    else
      reinterpret_cast<uint16_t*>(line)[x] =
          static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (bl >> 3));
  }
}

}  // namespace platform
