// The game's own readers take every file of the default pack without a complaint.
#include <unistd.h>

#include <string>

#include "content/game_dat.h"
#include "content/game_params.h"
#include "content/scene_script.h"
#include "content/stage_data.h"
#include "content/stage_file.h"
#include "library/sound/el_sound.h"
#include "support/headless_test.h"

namespace {

class PackThroughTheReaders : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_EQ(chdir(LD_GAME_DIR), 0);
    hp.program_path = LD_GAME_DIR "/lantern-drift";
    g_sound.InitSound();
  }
  void ExpectNoBox(const std::string& after) {
    EXPECT_TRUE(hp.boxes.empty()) << after << ": " << (hp.boxes.empty() ? "" : hp.boxes[0].text);
    hp.boxes.clear();
  }
};

TEST_F(PackThroughTheReaders, GameDatStagesAndScriptsLoadEveryPictureAndSound) {
  ApplyGameDat(ReadGameDatFile("Data\\game.dat"));
  ExpectNoBox("game.dat");
  ASSERT_GE(g_param.MAX_STAGE - g_param.INIT_STAGE, 5);
  EXPECT_NE(g_param.SHOT_IMG, 0);
  EXPECT_NE(g_param.STOCK_IMG, 0);
  EXPECT_NE(g_sound_role.bomb, g_sound_role.ok) << "every role has its own sound";
  for (int s = g_param.INIT_STAGE; s < g_param.MAX_STAGE; ++s) {
    const std::string n = std::to_string(s);
    EXPECT_FALSE(ApplyStageFile(ReadStageFileAt("data\\data" + n + ".dat")));
    ExpectNoBox("stage " + n);
    EXPECT_NE(g_stage.BG, 0) << n;
    EXPECT_NE(g_stage.STAGE_CLEAR, 0) << n;
    for (int e = 0; e < g_stage.ENEMY_NUMBER; ++e) {
      EXPECT_NE(g_chars[e].img, 0) << "stage " << n << " character " << e;
      EXPECT_EQ(g_chars[e].state, g_chars[e].turn == 0 ? STATE_ACTIVE : STATE_WAITING) << n << " " << e;
    }
    for (int o = 0; o < g_stage.OBJECT_NUMBER; ++o) EXPECT_NE(g_objects[o].img, 0) << n << " " << o;
    EXPECT_GT(ApplySceneScript(ReadSceneScriptAt("data\\demo" + n + ".dat")).count, 0) << n;
    ExpectNoBox("introduction " + n);
  }
  for (const char* script : {"data\\demo_op.dat", "data\\demo_end.dat", "data\\demo_go.dat"}) {
    EXPECT_GT(ApplySceneScript(ReadSceneScriptAt(script)).count, 0) << script;
    ExpectNoBox(script);
  }
}

}  // namespace
