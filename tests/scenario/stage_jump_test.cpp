// An author's run: --stage starts at a stage's introduction, F5 reads the
// edited files again, a refused edit leaves the stage playing, and a stage
// file's card lines are written over the introduction.
#include "frontend/stage_jump.h"

#include <filesystem>
#include <vector>

#include "content/stage_data.h"
#include "game/game_state.h"
#include "library/draw/el_draw.h"
#include "library/sound/el_sound.h"
#include "scenario/scenario_fixture.h"
#include "scene/scene_state.h"
#include "support/test_bytes.h"

namespace {

using namespace platform;

class StageJumpTest : public ScenarioTest {
 protected:
  void SetUp() override {
    ScenarioTest::SetUp();
    std::filesystem::remove("data");
    std::filesystem::copy(LD_GAME_DIR "/data", "data");
  }
  // Replaces the line of data/name that starts with from.
  static void Edit(const std::string& name, const std::string& from, const std::string& to) {
    std::string bytes = test_bytes::ReadFile("data/" + name);
    const size_t at = bytes.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    test_bytes::WriteFile("data/" + name, bytes.replace(at, bytes.find('\n', at) - at, to));
  }
  // Plays from --stage 3 for the virtual time given; at calls at each frame.
  void PlayStage3(uint32_t limit_ms, const std::function<void()>& at) {
    JumpToStage(3);
    Run(
        [&] {
          if (g_state.scene_entry == 1) entered.push_back(g_state.scene);
          at();
        },
        limit_ms);
  }
  std::vector<int> entered;  // the scenes, as each was entered
};

TEST_F(StageJumpTest, RefusesStagesTheGameDoesNotHave) {
  std::filesystem::remove("data/data4.dat");
  struct Case {
    int stage;
    std::string said;
  } cases[] = {
      {3, ""},
      {0, "this game's stages are 1 to 10 (INIT_STAGE and MAX_STAGE of "},
      {11, "this game's stages are 1 to 10 (INIT_STAGE and MAX_STAGE of "},
      {4, dir + "data/data4.dat: no such file; add the stage file or name another stage"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StageJumpRefusal(dir, c.stage).substr(0, c.said.size()), c.said) << c.stage;
}

TEST_F(StageJumpTest, CardLinesAreWrittenOverTheIntroduction) {
  Edit("data3.dat", "#STAGE_NAME:", "#CARD_TITLE:Paper Festival\n#CARD_HINT:Mind the lanterns");
  PlayStage3(3000, [] {});
  struct Want {
    const char* text;
    int x, y, height;
  } wants[] = {{"Paper Festival", 208, 140, 32}, {"Mind the lanterns", 252, 380, 16}};
  for (const Want& w : wants) {
    int ink = 0, shadow = 0;
    for (const HeadlessPlatform::TextCall& t : hp.texts) {
      if (t.text != w.text || t.height != w.height || !t.transparent) continue;
      ink += t.x == w.x && t.y == w.y && t.text_colour != 0;
      shadow += t.x == w.x + 2 && t.y == w.y + 2 && t.text_colour == 0;
    }
    EXPECT_GT(ink, 0) << w.text;
    EXPECT_EQ(shadow, ink) << w.text;
  }
}

TEST_F(StageJumpTest, F5RestartsTheStageFromTheEditedFiles) {
  int games = 0, time = 0, pictures = 0, sounds = 0;
  PlayStage3(30000, [&] {
    if (g_state.scene != SCENE_GAME || g_state.scene_entry != 1) return;
    if (++games == 1) {
      pictures = g_draw.LoadedCount();
      sounds = g_sound.UsedCount();
      Edit("data3.dat", "#INIT_TIME:", "#INIT_TIME:77");
      hp.PressKey(hp.now + 1000, VK_F5);
    } else {
      time = g_stage.INIT_TIME;
      EXPECT_EQ(g_draw.LoadedCount(), pictures) << "the last stage's pictures are released";
      EXPECT_EQ(g_sound.UsedCount(), sounds);
      hp.stop_at = hp.now;
    }
  });
  EXPECT_EQ(entered, (std::vector{SCENE_STAGE_INTRO, SCENE_GAME, SCENE_STAGE_INTRO, SCENE_GAME}));
  EXPECT_EQ(time, 77);
  EXPECT_TRUE(hp.boxes.empty());
}

TEST_F(StageJumpTest, ARefusedFileShowsItsBoxAndTheStagePlaysOn) {
  struct Case {
    const char *file, *from, *to, *box;
  } cases[] = {
      {"data3.dat", "#ENEMY_NUMBER:", "#ENEMY_NUMBER:99", "データが読み込めませんでした。"},
      {"game.dat", "#SHOT_SHADOW:", "#SHOT_SHADOW:0", "game.datが読み込めませんでした。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Restart();
    entered.clear();
    std::filesystem::remove_all("data");
    std::filesystem::copy(LD_GAME_DIR "/data", "data");
    int time = 0;
    PlayStage3(20000, [&] {
      if (g_state.scene == SCENE_GAME && g_state.scene_entry == 1) {
        Edit(c.file, c.from, c.to);
        hp.PressKey(hp.now + 1000, VK_F5);
      }
      if (g_state.scene == SCENE_GAME) time = g_stage.INIT_TIME;
    });
    ASSERT_EQ(hp.boxes.size(), 1u);
    EXPECT_EQ(hp.boxes[0].text.rfind(c.box, 0), 0u) << hp.boxes[0].text;
    EXPECT_EQ(entered, (std::vector{SCENE_STAGE_INTRO, SCENE_GAME}));
    EXPECT_EQ(g_state.shutdown_state, 0);
    EXPECT_LT(time, 140) << "the stage's clock runs on";
  }
}

}  // namespace
