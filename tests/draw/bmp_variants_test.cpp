#include <gtest/gtest.h>

#include <cstdint>

#include "draw/draw_fixture.h"

namespace {

// Pure colours survive every BMP variant unchanged.
const std::vector<uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                        0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};
const std::vector<uint16_t> kAs565 = {0x0000, 0xF800, 0x07E0, 0x001F,
                                      0xFFE0, 0x07FF, 0xF81F, 0xFFFF};
constexpr int kWidth = 5, kHeight = 3;

struct Variant {
  const char* name;
  int bpp;
  uint32_t compression;
  bool top_down;
};

std::vector<std::vector<uint32_t>> Indices(int colours) {
  std::vector<std::vector<uint32_t>> rows(kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      rows[static_cast<size_t>(y)].push_back(static_cast<uint32_t>((x + 3 * y) % colours));
  return rows;
}

// Runs of one pixel each; RLE4 keeps it in the high nibble.
std::vector<uint8_t> Rle(const std::vector<std::vector<uint32_t>>& rows, int bpp) {
  std::vector<uint8_t> out;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    for (uint32_t p : *row) out.insert(out.end(), {1, static_cast<uint8_t>(bpp == 8 ? p : p << 4)});
    out.insert(out.end(), {0, 0});
  }
  out.insert(out.end(), {0, 1});
  return out;
}

uint32_t Direct(uint32_t rgb, const Variant& v) {
  const uint32_t r = rgb >> 16, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  if (v.bpp == 16 && v.compression == 3) return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
  if (v.bpp == 16) return (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
  return rgb;
}

BmpSpec Spec(const Variant& v, int colours) {
  BmpSpec s{.width = kWidth,
            .height = kHeight,
            .bpp = v.bpp,
            .compression = v.compression,
            .top_down = v.top_down};
  auto rows = Indices(colours);
  if (v.bpp <= 8) {
    s.palette.assign(kPalette.begin(), kPalette.begin() + colours);
    s.data = v.compression == 0 ? PackRows(rows, v.bpp, v.top_down) : Rle(rows, v.bpp);
    return s;
  }
  for (auto& row : rows)
    for (auto& p : row) p = Direct(kPalette[p], v);
  if (v.compression == 3) s.masks = {0xF800, 0x07E0, 0x001F};
  s.data = PackRows(rows, v.bpp, v.top_down);
  return s;
}

class SpriteBmpTest : public DrawTest, public ::testing::WithParamInterface<Variant> {};

TEST_P(SpriteBmpTest, LoadsEveryPixel) {
  const Variant v = GetParam();
  const int colours = v.bpp == 1 ? 2 : 8;
  WriteFile("img/v.bmp", test_bytes::Bmp(Spec(v, colours)));
  const int o = g_draw.LoadObject("img\\v.bmp", 2);
  ASSERT_EQ(o, 2) << LastBox();
  const elDraw::Object& slot = g_draw.Slot(o);
  ASSERT_EQ(slot.width, kWidth);
  ASSERT_EQ(slot.height, kHeight);
  std::vector<uint16_t> expected;
  for (const auto& row : Indices(colours))
    for (uint32_t i : row) expected.push_back(kAs565[i]);
  EXPECT_EQ(slot.surface.pixels, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, SpriteBmpTest,
    ::testing::Values(Variant{"mono", 1, 0, false}, Variant{"palette4", 4, 0, false},
                      Variant{"palette8", 8, 0, false}, Variant{"palette8TopDown", 8, 0, true},
                      Variant{"rle8", 8, 1, false}, Variant{"rle4", 4, 2, false},
                      Variant{"rgb555", 16, 0, false}, Variant{"rgb565", 16, 3, false},
                      Variant{"rgb24", 24, 0, false}, Variant{"rgb24TopDown", 24, 0, true},
                      Variant{"rgb32", 32, 0, false}),
    [](const ::testing::TestParamInfo<Variant>& p) { return p.param.name; });

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
  const BmpSpec s{.width = c.width,
                  .height = c.height,
                  .bpp = 8,
                  .compression = 1,
                  .palette = std::vector<uint32_t>(256, 0xFFFFFF),
                  .data = {2, 1, 0, 1}};
  WriteFile("img/big.bmp", Bmp(s));
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
