#include "frontend/title_scene.h"
#include "scene/scene_state.h"
#include "shell/main_loop.h"
#include "shell/window_proc.h"
#include "support/headless_test.h"

namespace {

class TitleTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    MakeTempDir();
    g_state.scene = SCENE_TITLE;
    g_window.active = 1;
    hp.CreateMainWindow("t", false, false);
    ResetFrameClock();
  }
  // Runs frames until the scene changes or the limit is reached; returns the frames run.
  int Frames(int limit) {
    int n = 0;
    while (n < limit && g_state.scene == SCENE_TITLE && g_state.shutdown_state == 0) {
      RunFrame();
      hp.now += 16;
      ++n;
    }
    return n;
  }
};

// Where Up and Down wrap to: AFrameOfDaysArrivesInOneStep.
TEST_F(TitleTest, TheCursorGlidesInOneTwelfthOfASecond) {
  Frames(1);
  g_state.up = 1;
  Frames(1);  // the key sets the target; the glide starts next frame
  const uint32_t start = hp.now;
  while (g_title.current != g_title.target) Frames(1);
  // 16 ms frames: the 83 ms glide ends on the sixth.
  EXPECT_EQ(hp.now - start, 6u * 16u);
}

TEST_F(TitleTest, KeysWaitForTheCursorToArrive) {
  Frames(1);
  g_state.down = 1;
  Frames(1);
  g_state.down = 1;    // pending while the cursor glides
  g_state.select = 1;  // likewise: chosen on arrival, for the entry arrived at
  Frames(20);
  // The pending Down moved on to entry 2 first; Enter then chose that entry.
  EXPECT_EQ(g_state.scene, SCENE_RANKING);
}

// A record or a stopped clock can put days between two frames: the cursor's
// position would then leave the int range; it arrives in that one frame, on
// either wrap.
TEST_F(TitleTest, AFrameOfDaysArrivesInOneStep) {
  Frames(1);
  for (const auto& [key, arrive_at] : {std::pair{&g_state.up, 424}, {&g_state.down, 334}}) {
    *key = 1;
    Frames(1);
    hp.now += 45u * 24u * 3600u * 1000u;
    Frames(1);
    EXPECT_EQ(g_title.cursor_y, arrive_at);
  }
}

}  // namespace
