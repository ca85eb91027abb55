// The front end of the keys of our own: stages.dat, the stage select and the continue box.
#include <algorithm>
#include <filesystem>
#include <string>

#include "content/game_params.h"
#include "frontend/save_file.h"
#include "frontend/script_scenes.h"
#include "frontend/stage_progress.h"
#include "frontend/title_scene.h"
#include "game/game_state.h"
#include "scene/scene_state.h"
#include "shell/main_loop.h"
#include "shell/window_proc.h"
#include "support/headless_test.h"
#include "support/test_bytes.h"

namespace {

class FrontExtrasTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    MakeTempDir();
    g_window.active = 1;
    hp.CreateMainWindow("t", false, false);
    ResetFrameClock();
    g_param.INIT_STAGE = 1;
    g_param.MAX_STAGE = 5;
    g_param.PLAYER_STOCK = 3;
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) {
      RunFrame();
      hp.now += 16;
    }
  }
};

TEST(StageProgress, BytesRoundTripAndDamagedFilesReachOnlyWhatTheySay) {
  Reached reached{};
  reached[1] = reached[7] = reached[63] = true;
  EXPECT_EQ(ReachedIn(ProgressBytes(reached)), reached);
  const struct {
    std::string bytes;
    int reached_count;
  } cases[] = {{"ldstag", 0},
               {"xxstages\1\1", 0},
               {std::string("ldstages\1\2\0\1", 12), 2},
               {"ldstages" + std::string(200, '\1'), 64}};
  for (const auto& c : cases) {
    const Reached r = ReachedIn(c.bytes);
    EXPECT_EQ(std::count(r.begin(), r.end(), true), c.reached_count) << c.bytes.size();
  }
}

TEST_F(FrontExtrasTest, MarkReachedKeepsStagesBesideSaveDat) {
  std::filesystem::create_directory("saves");
  ReadSaveFile("saves/save.dat");
  for (int stage : {-1, 3, 64, 3, 2}) MarkReached(stage);
  const Reached r = ReadProgress();
  EXPECT_TRUE(std::filesystem::exists("saves/stages.dat"));
  EXPECT_EQ(std::count(r.begin(), r.end(), true), 2);
  EXPECT_TRUE(r[2] && r[3]);
}

TEST_F(FrontExtrasTest, StageSelectOffersReachedStagesOnlyWhenOn) {
  Reached reached{};
  reached[3] = reached[9] = true;  // 9 lies past MAX_STAGE
  test_bytes::WriteFile("stages.dat", ProgressBytes(reached));
  for (int on : {0, 1}) {
    g_param.STAGE_SELECT = on;
    g_state.scene = SCENE_TITLE;
    g_state.prev_scene = 0;
    Frames(1);
    g_state.select = 1;
    Frames(1);
    EXPECT_EQ(g_title.select_open, on);
    if (on == 1) {
      EXPECT_EQ(g_title.stage_count, 2);
      g_state.down = 1;
      Frames(1);
      g_state.select = 1;
      Frames(1);
    }
    EXPECT_EQ(g_state.scene, SCENE_STAGE_INTRO);
    EXPECT_EQ(g_game.stage, on == 1 ? 3 : 1);
  }
}

TEST_F(FrontExtrasTest, AContinueRanksTheEndedGameThenStartsAgainFromZero) {
  test_bytes::WriteFile("data/demo_go.dat", "");
  for (int continues : {0, 1}) {
    g_ranking.fill(0);
    g_param.CONTINUES = continues;
    g_game.continues_left = continues;
    g_game.stage = 4;
    g_game.score = 700;
    g_state.scene = SCENE_GAME_OVER;
    g_state.prev_scene = 0;
    Frames(3);
    if (continues == 1) {
      EXPECT_EQ(g_state.scene, SCENE_GAME_OVER);  // the box waits
      EXPECT_EQ(g_ranking[0], 0);
      g_state.select = 1;
      Frames(1);
    }
    EXPECT_EQ(g_ranking[0], 700);
    EXPECT_EQ(g_state.scene, continues == 1 ? SCENE_STAGE_INTRO : SCENE_TITLE);
    EXPECT_EQ(g_game.score, continues == 1 ? 0 : 700);
    EXPECT_EQ(g_game.stage, 4);
  }
}

}  // namespace
