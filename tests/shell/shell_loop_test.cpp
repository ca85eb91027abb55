// The message loop, the frame and the window procedure, with recording scenes.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "library/draw/el_draw.h"
#include "library/sound/music.h"
#include "library/ui/start.h"
#include "scene/boxes.h"
#include "scene/scene_state.h"
#include "shell/main_loop.h"
#include "shell/window_proc.h"
#include "support/headless_test.h"

namespace {

struct Call {
  int scene, entry;
  float delta;
  uint32_t at;
};

std::vector<Call> calls;
std::function<void()> hooks[kSceneCount];

template <int N>
void Record() {
  calls.push_back({N, g_state.scene_entry, g_state.frame_delta, platform::Get().Clock()});
  if (hooks[N]) hooks[N]();
  platform::Get().WaitVerticalBlank();  // stands in for Present: the frame takes its time
}

class ShellLoopTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    MakeTempDir();
    std::copy(std::begin(g_scenes), std::end(g_scenes), saved_);
    g_scenes[1] = Record<1>;
    g_scenes[2] = Record<2>;
    g_scenes[3] = Record<3>;
    calls.clear();
    for (auto& h : hooks) h = nullptr;
  }
  void TearDown() override {
    std::copy(std::begin(saved_), std::end(saved_), g_scenes);
    HeadlessTest::TearDown();
  }
  SceneFunction saved_[kSceneCount];
};

TEST_F(ShellLoopTest, SceneEntryRule) {
  // Boot's first frame is an entry; a scene restarting itself enters again.
  int boot_frames = 0;
  hooks[1] = [&] {
    if (++boot_frames == 3) LeaveFor(SCENE_BOOT);
    if (boot_frames == 5) LeaveFor(SCENE_TITLE);
  };
  hp.stop_at = 200;
  EXPECT_EQ(RunGame(), 0);
  ASSERT_GE(calls.size(), 7u);
  std::string got;  // scene and entry flag of the first seven frames
  for (int i = 0; i < 7; ++i)
    got += std::to_string(calls[i].scene) + std::to_string(calls[i].entry) + " ";
  EXPECT_EQ(got, "11 10 10 11 10 31 30 ");
}

TEST_F(ShellLoopTest, SceneNumbersOutsideTheTableRunNothing) {
  for (int scene : {-1, kSceneCount}) g_state.scene = scene, RunFrame();
  EXPECT_TRUE(calls.empty());
}

TEST_F(ShellLoopTest, EscapeQuestionOutsideAGame) {
  hooks[1] = [] {};
  hp.PressKey(100, platform::VK_ESCAPE);  // answered yes
  hp.PressKey(300, platform::VK_ESCAPE);
  hp.box_answers = {platform::IDYES, platform::IDNO};
  hp.stop_at = 500;
  RunGame();
  ASSERT_EQ(hp.boxes.size(), 2u);
  EXPECT_EQ(hp.boxes[0].text, "タイトル画面に戻りますか？\r\n");
  EXPECT_EQ(hp.boxes[0].style, 0x1024u);
  // The change made between frames is an entry before the title runs; "No" makes no new one.
  const auto title =
      std::find_if(calls.begin(), calls.end(), [](const Call& c) { return c.scene == 3; });
  ASSERT_NE(title, calls.end());
  EXPECT_GE(title->at, 100u);
  for (auto c = title; c != calls.end(); ++c) EXPECT_EQ(c->entry, c == title ? 1 : 0) << c->at;
}

TEST_F(ShellLoopTest, MenuKeysSetOneShotFlagsAndEscapeTogglesTheMenuInAGame) {
  for (int vk : {platform::VK_RETURN, platform::VK_UP, int{'A'}}) KeyboardHandler(vk);
  EXPECT_EQ(g_state.select, 1);
  EXPECT_EQ(g_state.up, 1);
  g_state.game_in_progress = g_state.play_running = g_state.down = 1;
  KeyboardHandler(platform::VK_ESCAPE);
  EXPECT_EQ(g_state.play_running, 0);
  EXPECT_EQ(g_state.select + g_state.up + g_state.down, 0) << "no key is left pending";
  KeyboardHandler(platform::VK_ESCAPE);
  EXPECT_EQ(g_state.play_running, 1);
  EXPECT_TRUE(hp.boxes.empty());
}

// P and the controller's messages, by the state of the game.
TEST_F(ShellLoopTest, PauseKeyAndControllerMessages) {
  using platform::MsgKind;
  struct Case {
    int scene, in_progress, play_running, clear_phase;
    platform::Message message;
    int play_running_after, select_after, spent_after;
  } cases[] = {
      {SCENE_GAME, 1, 1, 0, {MsgKind::kKeyDown, 'P', 0}, 0, 0, 0},
      {SCENE_GAME, 1, 0, 0, {MsgKind::kKeyDown, 'P', 0}, 1, 0, 0},
      {SCENE_STAGE_INTRO, 1, 1, 0, {MsgKind::kKeyDown, 'P', 0}, 1, 0, 0},
      // A confirms outside play (in play it fires, as sdl_pad_test shows).
      {SCENE_GAME, 1, 1, 1, {MsgKind::kPadButton, platform::VK_RETURN, 0}, 1, 1, 1},
      {SCENE_GAME, 1, 0, 0, {MsgKind::kPadButton, platform::VK_RETURN, 0}, 0, 1, 1},
      // Unplugging never closes the menu, and opens it only in a game.
      {SCENE_GAME, 1, 0, 0, {MsgKind::kPadRemoved, 0, 0}, 0, 0, 0},
      {SCENE_STAGE_INTRO, 1, 1, 0, {MsgKind::kPadRemoved, 0, 0}, 1, 0, 0},
  };
  for (const Case& c : cases) {
    g_state.scene = c.scene;
    g_state.game_in_progress = c.in_progress;
    g_state.play_running = c.play_running;
    g_game.clear_phase = c.clear_phase;
    g_state.select = hp.pad_presses_spent = 0;
    WindowProc(c.message);
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_EQ(g_state.play_running, c.play_running_after);
    EXPECT_EQ(g_state.select, c.select_after);
    EXPECT_EQ(hp.pad_presses_spent, c.spent_after);
  }
  EXPECT_TRUE(hp.boxes.empty());
}

TEST_F(ShellLoopTest, FrameDeltaAcrossInactivityAndBoxes) {
  int frames = 0;
  hooks[1] = [&] {
    if (++frames == 3) {
      hp.box_open_ms = 5000;
      AskYesNo("?");
      hp.box_open_ms = 0;
    }
  };
  hp.At(6000, {platform::MsgKind::kActivateApp, 0, 0});
  hp.At(66000, {platform::MsgKind::kActivateApp, 1, 0});
  hp.stop_at = 66100;
  RunGame();
  // A modal box keeps the frame clock: the next frame measures the box's five seconds.
  ASSERT_GE(calls.size(), 4u);
  EXPECT_NEAR(calls[3].delta, 5.0f, 0.05f);
  // Inactivity does not: no frame ran for a minute, and the first one after measures nothing.
  size_t resumed = 0;
  while (resumed < calls.size() && calls[resumed].at < 66000) ++resumed;
  ASSERT_LT(resumed + 1, calls.size());
  EXPECT_GT(calls[resumed].at - calls[resumed - 1].at, 55000u);
  EXPECT_EQ(calls[resumed].delta, 0.0f);
  EXPECT_EQ(calls[resumed + 1].delta, 0.016f);
}

TEST_F(ShellLoopTest, UserCloseRunsTheShutdownOnce) {
  hp.At(100, {platform::MsgKind::kClose, 0, 0});
  hp.stop_at = 1000;
  EXPECT_EQ(RunGame(), 0);
  EXPECT_EQ(g_state.shutdown_state, 2);
  EXPECT_EQ(hp.sound_closes, 1);
  EXPECT_FALSE(hp.window_open);
  EXPECT_LT(hp.now, 1000u);  // the loop ended on the quit message, not the test's limit
}

TEST_F(ShellLoopTest, ProgramQuitRunsTheShutdownOnce) {
  hooks[1] = [] {
    if (calls.size() == 2) QuitGame();
  };
  hp.stop_at = 1000;
  EXPECT_EQ(RunGame(), 0);
  EXPECT_EQ(calls.size(), 2u);  // no frame after the quit
  EXPECT_EQ(hp.sound_closes, 1);
  EXPECT_FALSE(hp.window_open);
  EXPECT_LT(hp.now, 1000u);
}

TEST_F(ShellLoopTest, WindowMessages) {
  WindowProc({platform::MsgKind::kMove, 0, (40u << 16) | 65436u});
  EXPECT_EQ(g_window.client_x, -100);
  EXPECT_EQ(g_window.client_y, 40);

  // Windowed: the cursor hides over the client area and comes back outside it.
  g_window.full_screen = 0;
  g_window.client_x = hp.cursor_x = 100;
  g_window.client_y = hp.cursor_y = 50;
  AskYesNo("?");  // shows the cursor; once answered, the frame hides it again
  RunFrame();
  EXPECT_FALSE(hp.cursor_shown);
  hp.cursor_x = 740;
  RunFrame();
  EXPECT_TRUE(hp.cursor_shown);

  // Deactivation shows the cursor.
  hp.cursor_x = 101;
  RunFrame();
  g_window.active = 1;
  WindowProc({platform::MsgKind::kActivateApp, 0, 0});
  EXPECT_EQ(g_window.active, 0);
  EXPECT_TRUE(hp.cursor_shown);
}

}  // namespace

TEST_F(ShellLoopTest, MusicLoopsWhileABoxIsOpen) {
  StartLibrary(640, 480, 1);
  g_music.playing = 1;
  hp.answer_boxes = false;
  hp.At(100, {platform::MsgKind::kMusicNotify, platform::MCI_NOTIFY_SUCCESSFUL, 0});
  hp.At(200, {platform::MsgKind::kKeyDown, 'N', 0});
  hp.music_commands.clear();
  EXPECT_EQ(AskYesNo("?"), 0);
  EXPECT_NE(std::find(hp.music_commands.begin(), hp.music_commands.end(), "play midi notify"),
            hp.music_commands.end());
}
