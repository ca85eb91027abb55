#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <tuple>

#include "library/draw/draw_fixture.h"
#include "library/draw/row_kernels.h"

namespace {

using BlitTest = DrawTest;

constexpr uint16_t kBack = 0xFFFF;

// Pixels that tell where they came from, and are never black or kBack.
uint16_t Numbered(int x, int y) { return static_cast<uint16_t>(1 + (x + 640 * y) % 0xFFFE); }

int Numbered(DrawTest& t, int w, int h) {
  std::vector<uint16_t> p;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.push_back(Numbered(x, y));
  return t.Picture(w, p);
}

// How many back-buffer pixels differ from kBack.
int Changed() {
  int n = 0;
  for (uint16_t p : g_draw.BackBuffer().pixels) n += p != kBack;
  return n;
}

TEST_F(BlitTest, CopiesAreCutAtTheEdges) {
  const int o = Numbered(*this, 100, 50);
  // At x, y, w x h: the back buffer's first and last changed pixels, from which picture pixels.
  for (const auto& [x, y, w, h, first, last] :
       {std::tuple{600, 0, 100, 50, Numbered(0, 0), Numbered(39, 49)},
        {-10, 5, 30, 20, Numbered(10, 0), Numbered(29, 19)}}) {
    FillBack(kBack);
    g_draw.DrawObject(x, y, o, 0, 0, w, h);
    const int x0 = std::max(x, 0), x1 = std::min(x + w, 640) - 1;
    EXPECT_EQ(Back(x0, y), first) << x;
    EXPECT_EQ(Back(x1, y + h - 1), last) << x;
    EXPECT_EQ(Changed(), (x1 - x0 + 1) * h) << x;
  }
}

TEST_F(BlitTest, NothingIsDrawnOutsideTheScreenOrThePicture) {
  const int o = Numbered(*this, 30, 20);
  FillBack(kBack);
  const int cases[][6] = {{640, 0, 0, 0, 30, 20},
                          {0, 480, 0, 0, 30, 20},
                          {-30, 0, 0, 0, 30, 20},
                          {0, -20, 0, 0, 30, 20},
                          {0, 0, 0, 0, 31, 20},
                          {0, 0, -1, 0, 30, 20},
                          {0, 0, 0, 0, 30, 21},
                          {0, 0, 5, 5, 5, 9},
                          {0, 0, 9, 0, 3, 20},
                          {INT_MAX, 0, 0, 0, 30, 20},
                          {INT_MIN, INT_MIN, 0, 0, 30, 20},
                          {-5, 0, INT_MAX - 2, 0, INT_MAX, 5},
                          {0, 0, INT_MIN, 0, INT_MAX, 20}};
  for (const auto& c : cases) {
    g_draw.DrawObject(c[0], c[1], o, c[2], c[3], c[4], c[5]);
    g_draw.DrawObjectOpaque(c[0], c[1], o, c[2], c[3], c[4], c[5]);
    EXPECT_EQ(g_draw.DrawObjectHalf(c[0], c[1], o, c[2], c[3], c[4], c[5]), 1);
    EXPECT_EQ(g_draw.DrawObjectAlpha(c[0], c[1], 0.5f, o, c[2], c[3], c[4], c[5]), 1);
  }
  g_draw.ReleaseObject(o);
  g_draw.DrawObject(0, 0, o, 0, 0, 1, 1);
  EXPECT_EQ(g_draw.DrawObjectHalf(0, 0, o, 0, 0, 1, 1), 0);
  EXPECT_EQ(Changed(), 0);
}

TEST_F(BlitTest, KeyedCopyShowsTheBackBufferThroughBlack) {
  const int o = Picture(3, {0xF800, 0x0000, 0x001F});
  FillBack(kBack);
  g_draw.DrawObject(0, 0, o, 0, 0, 3, 1);
  EXPECT_EQ(Back(1, 0), kBack);
  EXPECT_EQ(Back(2, 0), 0x001F) << "the row goes on past the key";
  g_draw.DrawObjectOpaque(0, 0, o, 0, 0, 3, 1);
  EXPECT_EQ(Back(1, 0), 0x0000);
}

// Every SIMD version agrees with the plain loop, over every row length up to
// a few vectors (the tails included) and random pixels with many keyed ones.
TEST(BlitKernelTest, SimdRowsMatchThePlainRows) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pixel(0, 0xFFFF), coin(0, 3);
  for (draw::Isa isa : {draw::Isa::kSse2, draw::Isa::kAvx2, draw::Isa::kAvx512}) {
    if (!draw::IsaSupported(isa)) continue;
    const draw::Kernels& k = draw::KernelsFor(isa);
    for (int n = 0; n <= 70; ++n) {
      std::vector<uint16_t> src(static_cast<size_t>(n) + 1), dst(src.size());
      for (size_t i = 0; i < src.size(); ++i) {
        src[i] = coin(random) == 0 ? 0 : static_cast<uint16_t>(pixel(random));
        dst[i] = static_cast<uint16_t>(pixel(random));
      }
      auto want = dst, got = dst;
      draw::KeyedRow(want.data(), src.data(), n, 0);
      k.keyed({got.data(), src.data(), 0, 0, n, 1}, 0);
      ASSERT_EQ(got, want) << "keyed, n " << n;
      want = got = dst;
      draw::HalfRow(want.data(), src.data(), n, 0x7BEF);
      k.half({got.data(), src.data(), 0, 0, n, 1}, 0x7BEF);
      ASSERT_EQ(got, want) << "half, n " << n;
    }
  }
}

}  // namespace
