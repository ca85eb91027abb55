#include "game/game_screen.h"

#include "game/game_fixture.h"
#include "library/draw/el_draw.h"

namespace {

// Pictures of one colour each on a black background; the frame as presented.
class HudScreen : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g_stage.BG = LoadPicture("bg.bmp", 640, 480, 0x000000);
    if (g_stage.BG == 0) GTEST_SKIP() << "needs the graphics library";
    g_stage.FONT = LoadPicture("font.bmp", 91, 20, 0x800000);
    g_stage.GAGE = LoadPicture("gage.bmp", 50, 19, 0x0000FF);
    g_stage.GAGE_BASE = LoadPicture("base.bmp", 640, 32, 0x000000);
    g_param.STOCK_IMG = LoadPicture("stock.bmp", 15, 15, 0x00FF00);
    Player().img = LoadPicture("player.bmp", 256, 64, 0xFFFFFF);
  }
  void DrawAndPresent() {
    DrawGameScreen();
    g_draw.Present();
  }
};

TEST_F(HudScreen, GaugeIsHitPointsWideAndNoWiderThanItsPicture) {
  for (const auto& [hit_points, width] : {std::pair{30, 30}, {500, 50}, {-20, 0}}) {
    Player().hp = hit_points;
    DrawAndPresent();
    EXPECT_EQ(hp.FramePixel(10 + width - 1, 10) == 0x001F, width > 0) << hit_points;
    EXPECT_NE(hp.FramePixel(10 + width, 10), 0x001F) << hit_points;
  }
}

}  // namespace
