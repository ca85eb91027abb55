#include "game/digits.h"
#include "game/game_fixture.h"
#include "game/game_screen.h"
#include "library/draw/el_draw.h"
#include "scene/scene_state.h"

namespace {

TEST(DigitTest, SplitKeepsLeadingZerosMostSignificantFirst) {
  int d[8];
  SplitDigits(12345, d, 8);
  EXPECT_EQ(std::vector<int>(d, d + 8), (std::vector<int>{0, 0, 0, 1, 2, 3, 4, 5}));
  SplitDigits(5, d, 3);
  EXPECT_EQ(std::vector<int>(d, d + 3), (std::vector<int>{0, 0, 5}));
  SplitDigits(99999999, d, 8);
  EXPECT_EQ(std::vector<int>(d, d + 8), std::vector<int>(8, 9));
}

constexpr uint16_t kWhite = 0xFFFF;
constexpr uint16_t kHalfWhite = 0x7BEF;

// Pictures with known colours on a black background; the frame as presented.
class HudScreen : public GameTest {
 protected:
  bool LoadScreenPictures() {
    g_stage.BG = LoadPicture("bg.bmp", 640, 480, 0x000000);
    if (g_stage.BG == 0) return false;
    // Glyph d is red 8 * (d + 1): 5-6-5 red d + 1.
    g_stage.FONT = LoadPicture("font.bmp", 91, 20, [](int x, int) {
      return static_cast<uint32_t>(8 * ((x - 1) / 9 + 1)) << 16;
    });
    g_stage.GAGE = LoadPicture("gage.bmp", 50, 19, 0x0000FF);
    g_stage.GAGE_BASE = LoadPicture("base.bmp", 640, 32, 0x000000);
    g_param.STOCK_IMG = LoadPicture("stock.bmp", 15, 15, 0x00FF00);
    g_param.SHOT_IMG = LoadPicture("shot.bmp", 8, 8, 0xFFFFFF);
    g_param.SHOT_SIZE_X = g_param.SHOT_SIZE_Y = 8;
    // Facing frames white; explosion frame e in row 1 green 32 * (e + 1).
    Player().img = LoadPicture("player.bmp", 256, 64, [](int x, int y) {
      return y < 32 ? 0xFFFFFFu : static_cast<uint32_t>(32 * (x / 32 + 1) - 1) << 8;
    });
    return true;
  }
  void DrawAndPresent() {
    DrawGameScreen();
    g_draw.Present();
  }
  int Glyph(int x) const { return (hp.FramePixel(x + 4, 10) >> 11) - 1; }
  std::vector<int> Shown(int x, int n) const {
    std::vector<int> digits;
    for (int k = 0; k < n; ++k) digits.push_back(Glyph(x + 9 * k));
    return digits;
  }
};

TEST_F(HudScreen, ScoreAndTimeDigits) {
  if (!LoadScreenPictures()) GTEST_SKIP() << "needs the graphics library";
  g_game.score = 12345;
  g_stage.INIT_TIME = 5;
  DrawAndPresent();
  EXPECT_EQ(Shown(555, 8), (std::vector<int>{0, 0, 0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(Shown(424, 3), (std::vector<int>{0, 0, 5}));
}

TEST_F(HudScreen, GaugeIsHitPointsWideAndNoWiderThanItsPicture) {
  if (!LoadScreenPictures()) GTEST_SKIP() << "needs the graphics library";
  constexpr uint16_t kBlue = 0x001F;
  Player().hp = 30;
  DrawAndPresent();
  EXPECT_EQ(hp.FramePixel(10 + 29, 10), kBlue);
  EXPECT_NE(hp.FramePixel(10 + 30, 10), kBlue);
  Player().hp = 500;
  DrawAndPresent();
  EXPECT_EQ(hp.FramePixel(10 + 49, 10), kBlue);
  EXPECT_NE(hp.FramePixel(10 + 50, 10), kBlue);
  Player().hp = -20;
  DrawAndPresent();
  EXPECT_NE(hp.FramePixel(10, 10), kBlue);
}

TEST_F(HudScreen, ProtectedPlayerIsHalfStrengthAndRevivingInvisible) {
  if (!LoadScreenPictures()) GTEST_SKIP() << "needs the graphics library";
  Player().state = STATE_PROTECTED;
  Player().animation = 1;  // never animated while protected
  g_state.blink = 1;
  DrawAndPresent();
  EXPECT_EQ(hp.FramePixel(330, 250), kHalfWhite);
  Player().state = STATE_ACTIVE;
  DrawAndPresent();
  EXPECT_EQ(hp.FramePixel(330, 250), kWhite);
  Player().state = STATE_REVIVING;
  DrawAndPresent();
  EXPECT_EQ(hp.FramePixel(330, 250), 0);
}

TEST_F(HudScreen, ExplosionShowsItsFrameFromTheSecondRow) {
  if (!LoadScreenPictures()) GTEST_SKIP() << "needs the graphics library";
  Player().state = STATE_EXPLODING;
  Player().bom_img = 2;
  DrawAndPresent();
  EXPECT_EQ(hp.FramePixel(330, 250), (95 >> 2) << 5);
}

TEST_F(HudScreen, TrailFadesBehindTheOpaqueHead) {
  if (!LoadScreenPictures()) GTEST_SKIP() << "needs the graphics library";
  g_param.SHOT_SHADOW = 4;
  Shot& s = g_game.shot;
  s.state = SHOT_FLYING;
  for (int i = 0; i < 4; ++i) {
    s.x[i] = 100.0f + 20.0f * static_cast<float>(3 - i);
    s.y[i] = 300.0f;
  }
  s.x[1] = 157.0f;  // right behind the head, partly under it
  DrawAndPresent();
  EXPECT_EQ(hp.FramePixel(102, 302), 0x39E7);  // segment 3, weight 0.25
  EXPECT_EQ(hp.FramePixel(122, 302), 0x7BEF);  // segment 2, 0.5
  EXPECT_EQ(hp.FramePixel(158, 302), 0xBDF7);  // segment 1, 0.75
  EXPECT_EQ(hp.FramePixel(162, 302), kWhite);  // the head covers it
  s.state = SHOT_SPENT;
  DrawAndPresent();
  EXPECT_EQ(hp.FramePixel(162, 302), 0);
}

}  // namespace
