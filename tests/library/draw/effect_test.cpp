#include <gtest/gtest.h>

#include <tuple>

#include "library/draw/draw_fixture.h"
#include "library/draw/row_kernels.h"

namespace {

using EffectTest = DrawTest;

// One source pixel over one back-buffer pixel.
uint16_t Half(EffectTest& t, uint16_t s, uint16_t d) {
  const int o = t.Picture(1, {s});
  g_draw.BackBuffer().Row(0)[0] = d;
  EXPECT_EQ(g_draw.DrawObjectHalf(0, 0, o, 0, 0, 1, 1), 1);
  g_draw.ReleaseObject(o);
  return g_draw.BackBuffer().Row(0)[0];
}

TEST_F(EffectTest, HalfBlendAddsTheHalvesOfEachComponent) {
  for (const auto& [s, d, blend] : {std::tuple{0xFFFF, 0x0000, 0x7BEF},
                                    {0xFFFF, 0xFFFF, 0xF7DE},
                                    {0xF800, 0x001F, 0x780F},
                                    {0x0000, 0x1234, 0x1234}})
    EXPECT_EQ(Half(*this, static_cast<uint16_t>(s), static_cast<uint16_t>(d)), blend)
        << s << " over " << d;
}

// The blends clip to the screen and read only the source rectangle asked for (one past the
// picture's edge draws nothing: BlitTest).
TEST_F(EffectTest, BlendsReadOnlyTheirSourceRectangle) {
  const int o = Picture(2, {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF});
  FillBack(0);
  EXPECT_EQ(g_draw.DrawObjectHalf(-1, 0, o, 0, 0, 2, 2) +
                g_draw.DrawObjectAlpha(1, 1, 0.5f, o, 1, 1, 2, 2),
            2);
  EXPECT_EQ(Back(0, 0), 0x7BEF);
  EXPECT_EQ(Back(1, 0), 0) << "the picture's second column stays in it";
  EXPECT_EQ(Back(1, 1), 0x7BEF);
}

// The formula itself, as written down: beta rounded to float once, products
// and sum in double, truncated.
uint16_t Formula(float alpha, uint16_t s, uint16_t d) {
  const float beta = 1.0f - alpha;
  const int shift[3] = {11, 5, 0}, max[3] = {31, 63, 31};
  uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    const int sc = (s >> shift[c]) & max[c], dc = (d >> shift[c]) & max[c];
    const int v =
        static_cast<int>(sc * static_cast<double>(alpha) + dc * static_cast<double>(beta));
    out |= static_cast<uint32_t>(v) << shift[c];
  }
  return static_cast<uint16_t>(out);
}

TEST(EffectAlphaExactTest, EveryKernelMatchesTheFormulaForEveryComponentPair) {
  // Pixel i pairs every red and blue source component with every destination
  // component, and every green with every green: 64 x 64 pixels.
  std::vector<uint16_t> src, dst;
  for (uint32_t y = 0; y < 64; ++y)
    for (uint32_t x = 0; x < 64; ++x) {
      src.push_back(Pack565(x & 31, x, 31 - (x & 31)));
      dst.push_back(Pack565(y & 31, y, (7 * y) & 31));
    }
  std::vector<float> alphas = {0.1f,   0.25f,       1.0f / 3.0f, 0.5f,  2.0f / 3.0f, 0.75f,
                               0.9f,   1.0f,        0.0f,        1e-3f, 1e-6f,       3e-8f,
                               1e-30f, 0.99999994f, -0.25f,      1.25f};
  for (int i = 1; i < 1000; ++i) alphas.push_back(static_cast<float>(i) / 1000.0f);
  for (int i = 1; i < 64; ++i) alphas.push_back(static_cast<float>(64 - i) / 64.0f);
  // Around the widest weights whose blend still fits 16-bit lanes (2^-10).
  for (float k : {1.0f, 511.0f, 1023.0f}) alphas.push_back(k / 1024.0f);
  for (float k : {1.0f, 1025.0f, 2047.0f}) alphas.push_back(k / 2048.0f);
  const draw::PixelFormat f = draw::DescribeFormat(0xF800, 0x07E0, 0x001F);
  for (float alpha : alphas) {
    const draw::AlphaWeights w = draw::MakeAlphaWeights(alpha, f);
    for (draw::Isa isa :
         {draw::Isa::kPlain, draw::Isa::kSse2, draw::Isa::kAvx2, draw::Isa::kAvx512}) {
      if (!draw::IsaSupported(isa)) continue;
      std::vector<uint16_t> got = dst;
      const draw::AlphaFn blend = w.integer ? draw::KernelsFor(isa).alpha : draw::AlphaFormula;
      blend({got.data(), src.data(), 64, 64, 64, 64}, w);
      for (size_t i = 0; i < src.size(); ++i)
        ASSERT_EQ(got[i], Formula(alpha, src[i], dst[i]))
            << "alpha " << alpha << " isa " << static_cast<int>(isa) << " pixel " << i;
    }
  }
}

}  // namespace
