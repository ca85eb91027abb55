#include <gtest/gtest.h>

#include <string>

#include "draw/draw_fixture.h"

namespace {

using TextTest = DrawTest;
using FpsTest = DrawTest;

// Calls DrawFps count times at the current time.
void Frames(int count) {
  for (int i = 0; i < count; ++i) g_draw.DrawFps();
}

TEST_F(FpsTest, RatesAreCallsPerTwoSecondsWithMaximumAndMinimum) {
  hp.now = 1000;
  Frames(120);  // the first of them takes the empty sample
  hp.now = 3000;
  g_draw.DrawFps();
  EXPECT_STREQ(g_draw.FpsText(), "60.0 fps ( max 60.0 / min 60.0 )");
  hp.now = 5000;
  Frames(4);  // only the sampling call was counted
  EXPECT_STREQ(g_draw.FpsText(), "0.5 fps ( max 60.0 / min 0.5 )");
  hp.now = 9000;
  g_draw.DrawFps();  // four calls in four seconds still count over two
  EXPECT_STREQ(g_draw.FpsText(), "2.0 fps ( max 60.0 / min 0.5 )");
}

TEST_F(TextTest, TextIsWrittenOnlyBetweenBeginAndEnd) {
  g_draw.WriteText(0, 0, "early");
  g_draw.BeginText(0, 16, 0, 0, 0, 0);
  g_draw.WriteText(5, 6, "plain");
  g_draw.SetTextColors(0x0000FF, 0x00FF00, 1);
  g_draw.WriteText(7, 8, "\x83\x65\x83\x58\x83\x67");  // Shift-JIS, passed through as it is
  g_draw.EndText();
  g_draw.WriteText(0, 0, "late");
  ASSERT_EQ(hp.texts.size(), 2u);
  EXPECT_EQ(hp.texts[0].back_colour, 0xFFFFFFu);
  EXPECT_FALSE(hp.texts[0].transparent);
  EXPECT_EQ(hp.texts[1].text, "\x83\x65\x83\x58\x83\x67");
  EXPECT_EQ(hp.texts[1].text_colour, 0x0000FFu);
  EXPECT_TRUE(hp.texts[1].transparent);
}

}  // namespace
