// One whole game from start-up to quit, then a second start in the same folder.
#include <algorithm>
#include <fstream>
#include <functional>
#include <vector>

#include "content/game_params.h"
#include "frontend/save_file.h"
#include "game/game_state.h"
#include "platform/bitmap_file.h"
#include "scenario/scenario_fixture.h"
#include "scene/scene_state.h"

namespace {

using namespace platform;

// Whether the ranking font's glyph for digit d stands at (x, y) of the frame.
bool GlyphAt(const std::vector<uint16_t>& frame, const Image& font, int d, int x, int y) {
  int lit = 0;
  for (int gy = 0; gy < 26; ++gy)
    for (int gx = 0; gx < 13; ++gx) {
      const uint32_t rgb = font.pixels[static_cast<size_t>(20 + gy) * font.width + 14 * d + 1 + gx];
      const auto g = static_cast<uint16_t>((rgb >> 19 & 0x1F) << 11 | (rgb >> 10 & 0x3F) << 5 |
                                           (rgb >> 3 & 0x1F));
      if (g == 0) continue;
      ++lit;
      if (frame[static_cast<size_t>(y + gy) * 640 + x + gx] != g) return false;
    }
  return lit > 0;
}

using WholeRoadTest = ScenarioTest;

TEST_F(WholeRoadTest, LostGameEntersTheRankingAndComesBackNextTime) {
  const int scores[5] = {90000000, 10, 0, 0, 0};
  std::ofstream("save.dat", std::ios::binary)
      << "qorvane" << std::string(reinterpret_cast<const char*>(scores), sizeof scores);
  int titles = 0, score = -1;
  std::vector<int> ended;  // each game's score as it ended, the continued ones too
  const int result = Run(
      [&] {
        if (g_state.scene == SCENE_TITLE) {
          if (g_state.scene_entry == 1 && ++titles == 2) {
            Press(VK_UP);  // wraps to quit; Enter waits for the cursor to arrive
            hp.PressKey(hp.now + 20, VK_RETURN);
          } else if (titles == 1) {
            PressEvery(VK_RETURN, 500);
          }
        } else if (g_state.scene == SCENE_GAME) {
          hp.HoldKey(hp.now, VK_SPACE, 20);  // fire whenever the shot is ready, never steer
          score = g_game.score;
        } else {
          if (g_state.scene == SCENE_GAME_OVER && g_state.scene_entry == 1) ended.push_back(score);
          PressEvery(VK_RETURN, 300);  // Enter takes every continue offered
        }
      },
      30 * 60 * 1000);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(titles, 2);
  EXPECT_EQ(g_state.shutdown_state, 2);
  EXPECT_FALSE(hp.stalled);
  EXPECT_TRUE(hp.boxes.empty()) << hp.boxes.front().text;
  ASSERT_EQ(ended.size(), static_cast<size_t>(g_param.CONTINUES + 1));
  for (int s : ended) ASSERT_GT(s, 10) << "the scripted player should score";
  std::vector<int> best = {90000000, 10, 0, 0, 0};
  best.insert(best.end(), ended.begin(), ended.end());
  std::sort(best.begin(), best.end(), std::greater<>());
  best.resize(5);
  EXPECT_EQ(std::vector<int>(g_ranking.begin(), g_ranking.begin() + 5), best);
  const int final_score = best[1];

  // The second start reads it back; the ranking screen shows it with leading zeros.
  Restart();
  Image font;
  std::string why;
  ASSERT_TRUE(DecodeBitmapFile(LD_GAME_DIR "/img/font.bmp", font, why)) << why;
  std::vector<uint16_t> shown;
  titles = 0;
  Run(
      [&] {
        if (g_state.scene == SCENE_TITLE && g_state.scene_entry == 1) {
          const bool first = ++titles == 1;
          Press(first ? VK_DOWN : VK_UP);  // the ranking, then quit
          if (first) hp.PressKey(hp.now + 200, VK_DOWN);
          hp.PressKey(hp.now + (first ? 400 : 200), VK_RETURN);
        } else if (g_state.scene == SCENE_RANKING && g_state.scene_entry == 0 && shown.empty()) {
          shown = hp.frame;
          Press(VK_RETURN);
        } else if (g_state.scene != SCENE_RANKING && g_state.scene != SCENE_TITLE) {
          PressEvery(VK_RETURN, 300);
        }
      },
      5 * 60 * 1000);
  ASSERT_EQ(shown.size(), 640u * 480u);
  for (int c = 7, v = final_score; c >= 0; --c, v /= 10)
    EXPECT_TRUE(GlyphAt(shown, font, v % 10, 314 + 15 * c, 169 + 33)) << "column " << c;
  EXPECT_TRUE(GlyphAt(shown, font, 0, 314, 169 + 33 * 2));
  EXPECT_EQ(g_state.shutdown_state, 2);
}

}  // namespace
