#include <gtest/gtest.h>

#include <cstdint>

#include "library/draw/draw_fixture.h"

namespace {

// Pure colours survive every BMP variant unchanged.
const std::vector<uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                        0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};
const std::vector<uint16_t> kAs565 = {0x0000, 0xF800, 0x07E0, 0x001F,
                                      0xFFE0, 0x07FF, 0xF81F, 0xFFFF};
constexpr int kWidth = 5, kHeight = 3;

// Palette index of each pixel, rows top to bottom.
uint32_t Index(int x, int y) { return static_cast<uint32_t>((x + 3 * y) % 8); }

// An 8-bit RLE picture (runs of one pixel, rows bottom up), a 16-bit 5-6-5
// bit-field one and a 24-bit top-down one.
BmpSpec Spec(int bpp) {
  BmpSpec s{.width = kWidth, .height = kHeight, .bpp = bpp, .top_down = bpp == 24};
  std::vector<std::vector<uint32_t>> rows(kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t i = Index(x, y);
      rows[static_cast<size_t>(y)].push_back(bpp == 8 ? i : bpp == 16 ? kAs565[i] : kPalette[i]);
    }
  if (bpp == 16) s.compression = 3, s.masks = {0xF800, 0x07E0, 0x001F};
  if (bpp != 8) {
    s.data = PackRows(rows, bpp, s.top_down);
    return s;
  }
  s.compression = 1;
  s.palette = kPalette;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    for (uint32_t p : *row) s.data.insert(s.data.end(), {1, static_cast<uint8_t>(p)});
    s.data.insert(s.data.end(), {0, 0});
  }
  s.data.insert(s.data.end(), {0, 1});
  return s;
}

class SpriteBmpTest : public DrawTest, public ::testing::WithParamInterface<int> {};

TEST_P(SpriteBmpTest, LoadsEveryPixel) {
  WriteFile("img/v.bmp", test_bytes::Bmp(Spec(GetParam())));
  const int o = g_draw.LoadObject("img\\v.bmp", 2);
  ASSERT_EQ(o, 2) << LastBox();
  const elDraw::Object& slot = g_draw.Slot(o);
  ASSERT_EQ(slot.width, kWidth);  // the pixels give the height
  std::vector<uint16_t> expected;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) expected.push_back(kAs565[Index(x, y)]);
  EXPECT_EQ(slot.surface.pixels, expected);
}

INSTANTIATE_TEST_SUITE_P(Variants, SpriteBmpTest, ::testing::Values(8, 16, 24));

// An RLE8 file of a few bytes may claim any size. Up to sixteen screens'
// worth loads; a larger claim, or a picture whose memory cannot be had, gets the
// box and 0 while the game goes on.
struct Claim {
  int width, height;
  size_t new_limit_mib;  // larger blocks are refused, as when memory runs out; 0: none
  int handle;
};

class ClaimedSizeTest : public DrawTest, public ::testing::WithParamInterface<Claim> {};

TEST_P(ClaimedSizeTest, LoadsOnlyWhatTheGameCanUse) {
  const Claim c = GetParam();
#if LD_LIMITS_NEW
  g_new_limit = c.new_limit_mib > 0 ? c.new_limit_mib << 20 : SIZE_MAX;
#else
  if (c.new_limit_mib > 0) GTEST_SKIP() << "the address sanitizer keeps operator new to itself";
#endif
  // Two pixels, then the end of the picture.
  WriteFile("img/big.bmp", test_bytes::Bmp({.width = c.width,
                                            .height = c.height,
                                            .bpp = 8,
                                            .compression = 1,
                                            .palette = std::vector<uint32_t>(256, 0xFFFFFF),
                                            .data = {2, 1, 0, 1}}));
  const int handle = g_draw.LoadObject("img\\big.bmp", elDraw::kOrdinary);
#if LD_LIMITS_NEW
  g_new_limit = SIZE_MAX;
#endif
  EXPECT_EQ(handle, c.handle);
  EXPECT_EQ(LastBox(), handle == 0 ? "elDraw::LoadObject : BMPファイルを読み込めません" : "");
}

INSTANTIATE_TEST_SUITE_P(Claims, ClaimedSizeTest,
                         ::testing::Values(Claim{8192, 8192, 0, 0}, Claim{8192, 601, 0, 0},
                                           Claim{8192, 600, 0, 2}, Claim{640, 7680, 0, 2},
                                           Claim{8192, 600, 16, 0}, Claim{8192, 600, 32, 2}));

}  // namespace
