// A frame that draws what the frame before drew is neither drawn nor compared
// again, and the picture shown is the one drawing it would give.
#include <gtest/gtest.h>

#include <functional>

#include "library/draw/draw_fixture.h"

namespace {

using RepeatFrameTest = DrawTest;

constexpr uint16_t kWhite = 0xFFFF, kRed = 0xF800, kBlue = 0x001F;

void Text(const char* text) {
  g_draw.BeginText(1, 12, 0, 0, 0, 0);
  g_draw.WriteText(100, 0, text);
  g_draw.EndText();
}

TEST_F(RepeatFrameTest, RepeatsOnlyWhatDrawingAgainWouldNotChange) {
  const int red = Picture(2, {kRed, kRed, kRed, kRed});
  const int white = Picture(2, {kWhite, kWhite, kWhite, kWhite});
  WritePicture("img/blue.bmp", 2, {kBlue, kBlue, kBlue, kBlue});
  const uint16_t half_white = (kWhite >> 1) & 0x7BEF;
  uint16_t blended_thrice = 0;  // over black
  for (int i = 0; i < 3; ++i)
    blended_thrice = static_cast<uint16_t>(((blended_thrice >> 1) & 0x7BEF) + half_white);
  struct Case {
    const char* what;
    std::function<void(int frame)> draw;
    bool repeated;  // the third frame is presented as the second
    uint16_t at_0_0, at_100_0;
  } cases[] = {
      {"copies", [&](int) { g_draw.DrawObjectOpaque(0, 0, red, 0, 0, 2, 2); }, true, kRed, 0},
      {"a blend over its own result", [&](int) { g_draw.DrawObjectHalf(0, 0, white, 0, 0, 2, 2); },
       false, blended_thrice, 0},
      {"a blend after a clear",
       [&](int) { g_draw.ClearScreen(), g_draw.DrawObjectHalf(0, 0, white, 0, 0, 2, 2); }, true,
       half_white, 0},
      {"text", [&](int) { Text("A"); }, true, 0, kWhite},
      {"text that changes", [&](int frame) { Text(frame == 3 ? "B" : "A"); }, false, 0, kWhite},
      // The first copy was put off as a repeat; the picture it meant is the old one.
      {"a picture replaced after a copy",
       [&](int frame) {
         g_draw.DrawObjectOpaque(0, 0, red, 0, 0, 2, 2);
         if (frame < 3) return;
         g_draw.SwapObject("img\\blue.bmp", red, 2);
         g_draw.DrawObjectOpaque(100, 0, red, 0, 0, 2, 2);
       },
       false, kRed, kBlue},
      {"the buffer written directly",
       [&](int frame) {
         if (frame == 3) g_draw.BackBuffer().pixels[0] = g_draw.BackBuffer().pixels[5] = kBlue;
         g_draw.DrawObjectOpaque(0, 0, red, 0, 0, 2, 2);
       },
       false, kRed, 0},
  };
  for (const Case& c : cases) {
    FillBack(0);
    g_draw.SwapObject("img\\p0.bmp", red, 2);
    int repeated = 0;
    for (int frame = 1; frame <= 3; ++frame) {
      repeated = hp.frames_repeated;
      c.draw(frame);
      g_draw.Present();
      repeated = hp.frames_repeated - repeated;
    }
    EXPECT_EQ(repeated, c.repeated ? 1 : 0) << c.what;
    EXPECT_EQ(hp.FramePixel(0, 0), c.at_0_0) << c.what;
    EXPECT_EQ(hp.FramePixel(100, 0), c.at_100_0) << c.what;
  }
}

}  // namespace
