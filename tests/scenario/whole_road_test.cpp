// One whole game from start-up to quit, then a second start in the same folder.
#include <fstream>
#include <iterator>

#include "frontend/ranking.h"
#include "game/game_state.h"
#include "library/draw/el_draw.h"
#include "platform/bitmap_file.h"
#include "scenario/scenario_fixture.h"
#include "scene/scene_state.h"

namespace {

using platform::VK_RETURN;
using platform::VK_SPACE;
using platform::VK_UP;
using platform::VK_DOWN;

uint16_t Rgb565(uint32_t rgb) {
  return static_cast<uint16_t>(((rgb >> 19) & 0x1F) << 11 | ((rgb >> 10) & 0x3F) << 5 | ((rgb >> 3) & 0x1F));
}

class WholeRoadTest : public ScenarioTest {
 protected:
  // Whether the ranking font's glyph for digit d stands at (x, y) of the ranking frame.
  bool GlyphAt(const platform::Image& font, int d, int x, int y) {
    int lit = 0;
    for (int gy = 0; gy < 26; ++gy)
      for (int gx = 0; gx < 13; ++gx) {
        const uint16_t g = Rgb565(font.pixels[static_cast<size_t>(20 + gy) * font.width + 14 * d + 1 + gx]);
        if (g == 0) continue;
        ++lit;
        if (ranking_frame[static_cast<size_t>(y + gy) * 640 + x + gx] != g) return false;
      }
    return lit > 0;
  }

  std::vector<uint16_t> ranking_frame;
};

TEST_F(WholeRoadTest, LostGameEntersTheRankingAndComesBackNextTime) {
  {
    std::ofstream save("save.dat", std::ios::binary);
    save.write("qorvane", 7);
    const int scores[5] = {90000000, 10, 0, 0, 0};
    save.write(reinterpret_cast<const char*>(scores), sizeof scores);
  }
  int titles = 0;
  int final_score = -1;
  bool played = false;
  bool quitting = false;
  const int result = Run(
      [&] {
        switch (g_state.scene) {
          case SCENE_TITLE:
            if (g_state.scene_entry == 1) ++titles;
            if (titles == 1) PressEvery(VK_RETURN, 500);
            if (titles == 2 && !quitting) {
              Press(VK_UP);  // wraps to quit; Enter waits for the cursor to arrive
              hp.PressKey(hp.now + 20, VK_RETURN);
              quitting = true;
            }
            break;
          case SCENE_GAME:
            played = true;
            hp.HoldKey(hp.now, VK_SPACE, 20);  // fire whenever the shot is ready, never steer
            final_score = g_game.score;
            break;
          default: PressEvery(VK_RETURN, 300); break;
        }
      },
      30 * 60 * 1000);
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(played);
  EXPECT_EQ(titles, 2);
  EXPECT_EQ(g_state.shutdown_state, 2);
  EXPECT_FALSE(hp.stalled);
  EXPECT_TRUE(hp.boxes.empty()) << hp.boxes.front().text;
  ASSERT_GT(final_score, 10) << "the scripted player should score";
  ASSERT_LT(final_score, 90000000);
  EXPECT_EQ(g_ranking[0], 90000000);
  EXPECT_EQ(g_ranking[1], final_score);
  EXPECT_EQ(g_ranking[2], 10);

  // The second start reads it back; the ranking screen shows it with leading zeros.
  Restart();
  platform::Image font;
  std::string why;
  ASSERT_TRUE(platform::DecodeBitmapFile(LD_GAME_DIR "/img/font.bmp", font, why)) << why;
  bool shown = false;
  int titles_again = 0;
  Run(
      [&] {
        if (g_state.scene == SCENE_TITLE) {
          if (g_state.scene_entry == 1) ++titles_again;
          if (g_state.scene_entry == 1 && titles_again == 1) {
            Press(VK_DOWN);
            hp.PressKey(hp.now + 200, VK_DOWN);
            hp.PressKey(hp.now + 400, VK_RETURN);
          } else if (g_state.scene_entry == 1) {
            Press(VK_UP);
            hp.PressKey(hp.now + 200, VK_RETURN);
          }
        } else if (g_state.scene == SCENE_RANKING && g_state.scene_entry == 0 && !shown) {
          shown = true;
          ranking_frame = hp.frame;
          Press(VK_RETURN);
        } else if (g_state.scene != SCENE_RANKING) {
          PressEvery(VK_RETURN, 300);
        }
      },
      5 * 60 * 1000);
  ASSERT_TRUE(shown);
  ASSERT_EQ(ranking_frame.size(), 640u * 480u);
  EXPECT_EQ(g_ranking[1], final_score);
  int digits[8];
  for (int c = 7, v = final_score; c >= 0; --c, v /= 10) digits[c] = v % 10;
  for (int c = 0; c < 8; ++c)
    EXPECT_TRUE(GlyphAt(font, digits[c], 314 + 15 * c, 169 + 33)) << "column " << c;
  EXPECT_TRUE(GlyphAt(font, 0, 314, 169 + 33 * 2));
  EXPECT_EQ(g_state.shutdown_state, 2);
}

}  // namespace
