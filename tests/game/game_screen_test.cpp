#include "game/game_screen.h"

#include "game/game_fixture.h"
#include "library/draw/el_draw.h"
#include "scene/scene_state.h"

namespace {

constexpr uint16_t kWhite = 0xFFFF;
constexpr uint16_t kHalfWhite = 0x7BEF;

// Pictures with known colours on a black background; the frame as presented.
class HudScreen : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_stage.BG = LoadPicture("bg.bmp", 640, 480, 0x000000);
    if (g_stage.BG == 0) GTEST_SKIP() << "needs the graphics library";
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
  }
  void DrawAndPresent() {
    DrawGameScreen();
    g_draw.Present();
  }
  std::vector<int> Shown(int x, int n) const {
    std::vector<int> digits;
    for (int k = 0; k < n; ++k) digits.push_back((hp.FramePixel(x + 9 * k + 4, 10) >> 11) - 1);
    return digits;
  }
};

TEST_F(HudScreen, ScoreAndTimeDigits) {
  g_game.score = 12345;
  g_stage.INIT_TIME = 5;
  DrawAndPresent();
  EXPECT_EQ(Shown(555, 8), (std::vector<int>{0, 0, 0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(Shown(424, 3), (std::vector<int>{0, 0, 5}));
}

TEST_F(HudScreen, GaugeIsHitPointsWideAndNoWiderThanItsPicture) {
  for (const auto& [hit_points, width] : {std::pair{30, 30}, {500, 50}, {-20, 0}}) {
    Player().hp = hit_points;
    DrawAndPresent();
    EXPECT_EQ(hp.FramePixel(10 + width - 1, 10) == 0x001F, width > 0) << hit_points;
    EXPECT_NE(hp.FramePixel(10 + width, 10), 0x001F) << hit_points;
  }
}

// Protected: half strength, never animated; reviving: invisible; exploding:
// its frame from the second row.
TEST_F(HudScreen, PlayerPictureByState) {
  Player().animation = 1;
  Player().bom_img = 2;
  g_state.blink = 1;
  const std::pair<int, uint16_t> cases[] = {{STATE_PROTECTED, kHalfWhite},
                                            {STATE_ACTIVE, kWhite},
                                            {STATE_REVIVING, 0},
                                            {STATE_EXPLODING, (95 >> 2) << 5}};
  for (const auto& [state, colour] : cases) {
    Player().state = state;
    DrawAndPresent();
    EXPECT_EQ(hp.FramePixel(330, 250), colour) << state;
  }
}

}  // namespace
