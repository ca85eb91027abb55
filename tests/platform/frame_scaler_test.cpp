// The picture converted and scaled into a window's own pixels.
#include "platform/frame_scaler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using platform::ChangedRows;
using platform::FrameScaler;
using platform::TargetPixels;

constexpr int kW = 4, kH = 3;

// A picture whose neighbouring pixels differ in all three components.
std::vector<uint16_t> Picture(int w = kW, int h = kH) {
  std::vector<uint16_t> p(static_cast<size_t>(w * h));
  for (int i = 0; i < w * h; ++i)
    p[static_cast<size_t>(i)] = static_cast<uint16_t>(
        (((i * 3 + 1) & 31) << 11) | (((i * 5 + 2) & 63) << 5) | ((31 - i * 2) & 31));
  return p;
}

struct Window {
  int width, height, bpp;
  uint32_t r, g, b, a;
  std::vector<uint32_t> words;
  int Stride() const { return (width * bpp + 3) / 4; }  // in words
  TargetPixels Pixels() {
    words.assign(static_cast<size_t>(Stride() * height), 0xDEADBEEF);
    return {words.data(), width, height, Stride() * 4, bpp, r, g, b, a};
  }
  uint32_t At(int x, int y) const {
    const uint32_t w = words[static_cast<size_t>(Stride() * y + x * bpp / 4)];
    return bpp == 4 ? w : x % 2 == 0 ? (w & 0xFFFF) : (w >> 16);
  }
  uint32_t Shown(uint16_t p) const {
    if (bpp == 2) return p;
    // Each component widened to 8 bits, rounded, at its mask's place.
    auto at = [](uint32_t v, int bits, uint32_t mask) {
      return static_cast<uint32_t>(std::lround(v * 255.0 / ((1 << bits) - 1)))
             << __builtin_ctz(mask);
    };
    return at(p >> 11, 5, r) | at((p >> 5) & 63, 6, g) | at(p & 31, 5, b) | a;
  }
};

// Every pixel of the window: the picture's pixel under it, or black in the bars.
void ExpectShown(const Window& w, const std::vector<uint16_t>& pic, platform::PictureRect rect,
                 int pic_w = kW, int pic_h = kH) {
  const uint32_t black = w.bpp == 4 ? w.a : 0;
  for (int y = 0; y < w.height; ++y)
    for (int x = 0; x < w.width; ++x) {
      const bool inside =
          x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height;
      const uint32_t want =
          inside ? w.Shown(pic[static_cast<size_t>((y - rect.y) * pic_h / rect.height * pic_w +
                                                   (x - rect.x) * pic_w / rect.width)])
                 : black;
      ASSERT_EQ(w.At(x, y), want) << w.width << "x" << w.height << " at " << x << "," << y;
    }
}

TEST(FrameScalerTest, ConvertsScalesAndLetterboxesIntoEachFormat) {
  struct Case {
    Window window;
    platform::PictureRect rect;
  } cases[] = {
      {{4, 3, 4, 0xFF0000, 0xFF00, 0xFF, 0}, {0, 0, 4, 3}},
      {{11, 7, 4, 0xFF0000, 0xFF00, 0xFF, 0}, {1, 0, 8, 6}},             // 2x, bars round it
      {{13, 12, 4, 0xFF, 0xFF00, 0xFF0000, 0xFF000000}, {0, 1, 12, 9}},  // 3x, blue first, alpha
      {{9, 6, 2, 0xF800, 0x07E0, 0x001F, 0}, {0, 0, 8, 6}},
      {{3, 3, 4, 0xFF0000, 0xFF00, 0xFF, 0}, {0, 0, 3, 2}},  // smaller: shrunk, shape kept
  };
  const std::vector<uint16_t> pic = Picture();
  for (Case& c : cases) {
    FrameScaler scaler;
    scaler.SetTarget(c.window.Pixels());
    const ChangedRows rows = scaler.Show(pic.data(), kW, kH, kW);
    EXPECT_EQ(std::make_pair(rows.first, rows.last), std::make_pair(0, c.window.height));
    ExpectShown(c.window, pic, c.rect);
  }
}

// Rows are compared and painted in runs of pixels: a change in the middle of
// a wide row repaints it right, in both formats and scaled, and leaves the
// runs around it as they were. No change repaints nothing; a new target, all.
TEST(FrameScalerTest, ChangesInsideWideRowsAtEachScale) {
  constexpr int kWide = 75, kTall = 2;
  for (Window w : {Window{kWide, kTall, 4, 0xFF, 0xFF00, 0xFF0000, 0xFF000000, {}},
                   Window{2 * kWide + 1, 2 * kTall, 4, 0xFF0000, 0xFF00, 0xFF, 0, {}},
                   Window{kWide, kTall, 2, 0xF800, 0x07E0, 0x001F, 0, {}}}) {
    FrameScaler scaler;
    scaler.SetTarget(w.Pixels());
    std::vector<uint16_t> pic = Picture(kWide, kTall);
    const int scale = w.width / kWide;
    const platform::PictureRect rect{(w.width - kWide * scale) / 2, 0, kWide * scale,
                                     kTall * scale};
    scaler.Show(pic.data(), kWide, kTall, kWide);
    EXPECT_TRUE(scaler.Show(pic.data(), kWide, kTall, kWide).empty());
    for (int x : {40, 0, 74}) {
      pic[static_cast<size_t>(kWide + x)] ^= 0xA5A5;
      const ChangedRows rows = scaler.Show(pic.data(), kWide, kTall, kWide);
      EXPECT_EQ(std::make_pair(rows.first, rows.last), std::make_pair(scale, 2 * scale));
      ExpectShown(w, pic, rect, kWide, kTall);
    }
    scaler.SetTarget(w.Pixels());
    EXPECT_EQ(scaler.Show(pic.data(), kWide, kTall, kWide).last, w.height);
    ExpectShown(w, pic, rect, kWide, kTall);
  }
}

TEST(FrameScalerTest, RefusesFormatsItCannotWrite) {
  uint32_t pixels[16] = {};
  const TargetPixels cases[] = {
      {pixels, 4, 4, 12, 3, 0xFF0000, 0xFF00, 0xFF, 0},      // packed 24-bit
      {pixels, 4, 4, 8, 2, 0x7C00, 0x03E0, 0x1F, 0},         // 15-bit
      {pixels, 4, 4, 16, 4, 0x3FF00000, 0xFFC00, 0x3FF, 0},  // 10 bits a component
      {pixels, 4, 4, 8, 4, 0xFF0000, 0xFF00, 0xFF, 0},       // pitch shorter than a row
      {nullptr, 4, 4, 16, 4, 0xFF0000, 0xFF00, 0xFF, 0},
  };
  for (const TargetPixels& t : cases) {
    EXPECT_FALSE(platform::CanShowInto(t)) << t.bytes_per_pixel << " " << t.red_mask;
    FrameScaler scaler;
    scaler.SetTarget(t);
    const uint16_t pic[16] = {0xFFFF};
    EXPECT_TRUE(scaler.Show(pic, 4, 4, 4).empty());
  }
  EXPECT_EQ(pixels[0], 0u);
}

// SCALE=fit: the largest rectangle of the picture's shape, centred.
TEST(FrameScalerTest, FillKeepsThePicturesShapeOnCommonScreens) {
  struct Case {
    int width, height;
    platform::PictureRect rect;
  } cases[] = {
      {640, 480, {0, 0, 640, 480}},     {1366, 768, {171, 0, 1024, 768}},
      {1280, 800, {107, 0, 1066, 800}}, {1920, 1080, {240, 0, 1440, 1080}},
      {1280, 1024, {0, 32, 1280, 960}}, {500, 400, {0, 12, 500, 375}},
  };
  for (const Case& c : cases) {
    const platform::PictureRect r = platform::FillPicture(640, 480, c.width, c.height);
    EXPECT_EQ(std::tie(r.x, r.y, r.width, r.height),
              std::tie(c.rect.x, c.rect.y, c.rect.width, c.rect.height))
        << c.width << "x" << c.height;
  }
}

// Target pixel x samples the whole multiple at (x + 0.5) * wide / out - 0.5:
// only where that falls between two source pixels does it blend them.
TEST(FrameScalerTest, SharpTapsBlendOnlyAtTheSeams) {
  using Taps = std::vector<std::pair<int, int>>;
  struct Case {
    int source, out;
    Taps taps;  // first source pixel, weight of the next in 256ths
  } cases[] = {
      {4, 4, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
      {2, 4, {{0, 0}, {0, 0}, {1, 0}, {1, 0}}},
      {2, 5, {{0, 0}, {0, 0}, {0, 128}, {1, 0}, {1, 0}}},
      {3, 4, {{0, 0}, {0, 160}, {1, 96}, {2, 0}}},
  };
  for (const Case& c : cases) {
    Taps got;
    for (const platform::Tap& t : platform::SharpTaps(c.source, c.out))
      got.emplace_back(t.first, t.weight);
    EXPECT_EQ(got, c.taps) << c.source << " onto " << c.out;
  }
}

// A 2x2 chequer stretched onto 5x5 between bars: corners pure, the seam
// blended, and a change of the lower row repaints only the rows it reaches.
TEST(FrameScalerTest, FillStretchesAndRepaintsTheRowsAChangeReaches) {
  Window w{7, 5, 4, 0xFF0000, 0xFF00, 0xFF, 0, {}};
  FrameScaler scaler;
  scaler.SetFill(true);
  scaler.SetTarget(w.Pixels());
  std::vector<uint16_t> pic = {0xFFFF, 0, 0, 0xFFFF};
  EXPECT_EQ(scaler.Show(pic.data(), 2, 2, 2).last, 5);
  const std::pair<int, int> at[] = {{0, 0}, {1, 1}, {5, 4}, {6, 4}, {3, 2}, {3, 0}, {2, 4}};
  const uint32_t want[] = {0, 0xFFFFFF, 0xFFFFFF, 0, 0x808080, 0x808080, 0};
  for (size_t i = 0; i < std::size(at); ++i)
    EXPECT_EQ(w.At(at[i].first, at[i].second), want[i]) << at[i].first << "," << at[i].second;
  pic[2] = 0xFFFF;
  const ChangedRows rows = scaler.Show(pic.data(), 2, 2, 2);
  EXPECT_EQ(std::make_pair(rows.first, rows.last), std::make_pair(2, 5));
  EXPECT_EQ(w.At(2, 4), 0xFFFFFFu);
  EXPECT_EQ(w.At(3, 2), 0xC0C0C0u);  // the seam between grey and white
}

}  // namespace
