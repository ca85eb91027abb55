#include "content/scene_player.h"

#include <string>
#include <utility>
#include <vector>

#include "content/content_test.h"
#include "content/scene_script.h"
#include "library/draw/el_draw.h"
#include "library/system/el_system.h"
#include "library/ui/start.h"
#include "scene/scene_state.h"

namespace {

constexpr uint16_t kRed = 0xF800;

class ScenePlayerTest : public ContentTest {
 protected:
  void SetUp() override {
    ContentTest::SetUp();
    StartLibrary(640, 480, 1);
    hp.frame_ms = 0;  // the test moves the clock
    WriteBmp("img/red.bmp", 640, 480, 0xFF0000);
    WriteBmp("img/blue.bmp", 100, 100, 0x0000FF);
  }
  // Writes the script; the next Play is its first frame.
  void Script(const std::string& text) {
    Write("data/demo_op.dat", text);
    g_state.scene_entry = 1;
  }
  int Play(uint32_t at) {
    hp.now = at;
    const int running = PlaySceneScript("data\\demo_op.dat");
    g_state.scene_entry = 0;
    return running;
  }
  // The times and levels of scene 0's fade steps, one frame per millisecond.
  std::vector<std::pair<uint32_t, float>> FadeSteps(uint32_t from, uint32_t to) {
    std::vector<std::pair<uint32_t, float>> steps;
    for (uint32_t t = from; t <= to; ++t) {
      const float before = g_scene_table[0].fade_level;
      Play(t);
      if (g_scene_table[0].fade_level != before) steps.push_back({t, g_scene_table[0].fade_level});
    }
    return steps;
  }
};

TEST_F(ScenePlayerTest, WaitsAndEnterAdvanceTheScenesOfEveryKindOfScript) {
  Script("#MAX_SCENE:3\n#SCENE:0\nwait:2000\n#SCENE:1\n#SCENE:2\nwait:500\n");
  for (uint32_t at : {1000u, 3000u, 3001u, 900000u})
    EXPECT_EQ(Play(at), 1) << at;  // 3001: scene 1, with no time limit
  EXPECT_TRUE(hp.texts.empty());
  g_state.fps_display = 1;
  g_state.select = 1;
  EXPECT_EQ(Play(900001), 1);
  EXPECT_EQ(g_state.select, 0);
  EXPECT_FALSE(hp.texts.empty()) << "the frame rate is shown";
  // An ended script stays ended.
  for (const auto& [at, running] : {std::pair{900501u, 1}, {900502u, 0}, {900503u, 0}})
    EXPECT_EQ(Play(at), running) << at;

  Script("#SCENE:0\nimg:img\\red.bmp\n");  // no "MAX_SCENE:"
  EXPECT_EQ(Play(0), 0);
  EXPECT_EQ(g_draw.LoadedCount(), 0);
  g_state.scene_entry = 1;
  EXPECT_EQ(PlaySceneScript("data\\missing.dat"), 0);
  EXPECT_TRUE(hp.boxes.empty());

  Script("#MAX_SCENE:1\n#SCENE:0\nimg:img\\red.bmp\n");
  EXPECT_EQ(Play(0), 1);
  AbandonSceneScript();
  EXPECT_EQ(g_draw.LoadedCount(), 0);
}

TEST_F(ScenePlayerTest, FadeTakesTenStepsAndEnterCutsItShort) {
  const std::string script =
      "#MAX_SCENE:2\n#SCENE:0\nfade_in:\nimg:img\\red.bmp\n"
      "#SCENE:1\nfade_in:\nfade_time:500\nfade_interval:0\nimg:img\\blue.bmp\n";
  Script(script);
  Play(0);
  EXPECT_EQ(hp.FramePixel(320, 240), 0) << "level 0.0 draws nothing";
  const std::vector<std::pair<uint32_t, float>> steps = FadeSteps(1, 1200);
  ASSERT_EQ(steps.size(), 10u);
  for (size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(steps[i].first, 101u * (i + 1)) << i;
  EXPECT_NEAR(steps[4].second, 0.5f, 1e-6);
  EXPECT_GE(steps[9].second, 1.0f);
  Play(1201);
  EXPECT_EQ(hp.FramePixel(320, 240), kRed);

  // Scene 0 again, cut short halfway.
  Script(script);
  Play(2000);
  FadeSteps(2001, 2400);
  g_state.select = 1;
  Play(2401);
  EXPECT_LT(g_scene_table[0].fade_level, 1.0f) << "Enter ends the scene mid-fade";
  EXPECT_EQ(g_scene_table[1].fade_level, 0.0f) << "the next scene fades in from nothing";
  EXPECT_EQ(g_system.Deadline(2), 2401u + 500u) << "a fade of 0 steps takes one";
  Play(2902);
  EXPECT_GE(g_scene_table[1].fade_level, 1.0f);
}

TEST_F(ScenePlayerTest, MusicActionsRunWhenTheirSceneStarts) {
  Script(
      "#MAX_SCENE:4\n#SCENE:0\nBGM:Music\\Op.mid\nwait:10\n#SCENE:1\nwait:10\n"
      "#SCENE:2\nbgm_stop:\nbgm:music\\b.mid\nwait:10\n#SCENE:3\nbgm:music\\c.mid\nbgm_stop:\n");
  Play(0);
  ASSERT_EQ(hp.music_commands.size(), 3u);
  EXPECT_NE(hp.music_commands[0].find("music/op.mid\""), std::string::npos) << hp.music_commands[0];
  // Scene 1 leaves the music alone, in scene 2 the later "bgm:" wins, in 3 the later "bgm_stop:".
  for (auto [at, sent] : {std::pair{11u, 3u}, {22u, 8u}, {33u, 10u}}) {
    Play(at);
    ASSERT_EQ(hp.music_commands.size(), sent) << at;
  }
}

TEST_F(ScenePlayerTest, ReleasesExactlyThePicturesItsScriptLoaded) {
  Script(
      "#MAX_SCENE:2\n#SCENE:0\nimg:img\\red.bmp\nimg:img\\blue.bmp\n#SCENE:1\nimg:img\\red.bmp\n"
      "#SCENE:10\nimg:img\\red.bmp\n#SCENE:9\n");
  testing::internal::CaptureStderr();  // scene 10 is past the table: the readers' test
  Play(0);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(g_draw.LoadedCount(), 3);
  g_state.select = 1;
  Play(1);
  g_state.select = 1;
  EXPECT_EQ(Play(2), 0);
  EXPECT_EQ(g_draw.LoadedCount(), 0);

  // A script that names only scene 0 plays scene 1 as an empty scene: the
  // picture that now holds the old record's handle is neither drawn nor released.
  for (int i = 0; i < 3; ++i) g_draw.LoadObject("img\\blue.bmp", 2);
  ASSERT_TRUE(g_draw.Slot(g_scene_table[1].img).name == "img\\blue.bmp");
  Script("#MAX_SCENE:2\n#SCENE:0\nwait:5\n");
  for (uint32_t at : {10u, 16u, 17u}) Play(at);
  EXPECT_EQ(hp.FramePixel(50, 50), 0);
  g_state.select = 1;
  EXPECT_EQ(Play(18), 0);
  EXPECT_EQ(g_draw.LoadedCount(), 3);
}

}  // namespace
