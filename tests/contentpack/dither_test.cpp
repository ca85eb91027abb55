// The generator's dither: what the game's RGB565 truncation makes of each stored colour.
#include "contentgen/dither.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The stored channel truncates to the painted one's level or the next one up.
bool LevelOrNext(int painted, int stored, int shift) {
  const int level = painted >> shift, got = stored >> shift;
  return got == level || got == level + 1;
}

// Over one 4 x 4 tile every colour keeps its key-ness, lands on the level the truncation gives
// or the next, and averages within a step of the painted colour.
TEST(Dither, KeepsTheKeyAndAveragesThePaintedColour) {
  const Rgb colours[] = {{0, 0, 0},      {7, 3, 7},       {8, 0, 0},      {0, 4, 0},
                         {0, 0, 8},      {7, 4, 7},       {12, 6, 12},    {26, 20, 48},
                         {250, 170, 60}, {128, 129, 130}, {255, 255, 255}};
  for (const Rgb c : colours) {
    const std::string what =
        std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        const Rgb d = Dither565(c, x + 8, y + 4);
        EXPECT_EQ(IsKey(d), IsKey(c)) << what;
        EXPECT_TRUE(LevelOrNext(c.r, d.r, 3)) << what;
        EXPECT_TRUE(LevelOrNext(c.g, d.g, 2)) << what;
        EXPECT_TRUE(LevelOrNext(c.b, d.b, 3)) << what;
        r += d.r, g += d.g, b += d.b;
      }
    if (IsKey(c) || c.r == 255) continue;  // the key goes black; white tops out a step below
    EXPECT_NEAR(r / 16, c.r, 4.0) << what;
    EXPECT_NEAR(g / 16, c.g, 2.0) << what;
    EXPECT_NEAR(b / 16, c.b, 4.0) << what;
  }
}

// A colour on the truncation grid is a flat fill the sheets match exactly: it stays as painted.
TEST(Dither, LeavesColoursOnTheGridAsTheyAre) {
  for (const Rgb c : {Rgb{16, 12, 24}, Rgb{248, 252, 248}, Rgb{8, 4, 8}, Rgb{200, 100, 40}})
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        const Rgb d = Dither565(c, x, y);
        EXPECT_TRUE(d.r == c.r && d.g == c.g && d.b == c.b) << +c.r << "," << +c.g << "," << +c.b;
      }
}

}  // namespace
