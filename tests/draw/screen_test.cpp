#include <gtest/gtest.h>

#include "draw/draw_fixture.h"

namespace {

using DrawScreenTest = HeadlessTest;

TEST(DrawFormatTest, MasksGiveShiftsMaximaAndHalfMask) {
  const draw::PixelFormat f565 = draw::DescribeFormat(0xF800, 0x07E0, 0x001F);
  EXPECT_EQ(f565.shift, (std::array<uint32_t, 3>{11, 5, 0}));
  EXPECT_EQ(f565.max, (std::array<uint32_t, 3>{31, 63, 31}));
  EXPECT_EQ(f565.half_mask, 0x7BEFu);
  EXPECT_EQ(draw::DescribeFormat(0x7C00, 0x03E0, 0x001F).half_mask, 0x3DEFu);
  EXPECT_EQ(draw::DescribeFormat(0xFF0000, 0xFF00, 0xFF).half_mask, 0x7F7F7Fu);
}

TEST_F(DrawScreenTest, ScreenOpensTheDisplayAndSetsTheLibraryUp) {
  ASSERT_EQ(g_draw.Screen(-1, 0, 1), 1);
  EXPECT_TRUE(hp.display_open);
  EXPECT_EQ(g_draw.BackBuffer().width, 640);
  EXPECT_EQ(g_draw.BackBuffer().height, 480);
  EXPECT_EQ(g_draw.Clip().right, 640);
  EXPECT_EQ(g_draw.Format().shift[0], 11u);
  EXPECT_TRUE(g_draw.Font().has_value());
  EXPECT_TRUE(hp.boxes.empty());
}

TEST_F(DrawScreenTest, AnImpossibleSizeIsReportedAndStopsTheSetUp) {
  EXPECT_EQ(g_draw.Screen(0, 480, 1), 0);
  ASSERT_EQ(hp.boxes.size(), 1u);
  EXPECT_EQ(hp.boxes[0].text, "elDraw::Screen : 裏画面が生成できません");
  EXPECT_FALSE(hp.display_open);
  EXPECT_FALSE(g_draw.Font().has_value());
  g_draw.DrawObject(0, 0, 0, 0, 0, 1, 1);
  g_draw.DrawFps();
  g_draw.Present();
  EXPECT_EQ(hp.frames_presented, 0);
}

}  // namespace
