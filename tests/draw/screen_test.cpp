#include <gtest/gtest.h>

#include "draw/draw_fixture.h"

namespace {

using DrawScreenTest = HeadlessTest;

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
