// The scenes' boxes and the orderly shutdown.
#include "scene/boxes.h"

#include <gtest/gtest.h>

#include "library/draw/el_draw.h"
#include "library/ui/start.h"
#include "platform/platform.h"
#include "scene/scene_state.h"
#include "support/headless_test.h"

namespace {

class BoxesTest : public HeadlessTest {};

TEST_F(BoxesTest, AskYesNoIsOneOnlyForYes) {
  hp.box_answers = {platform::IDYES, platform::IDNO, platform::IDOK};
  EXPECT_EQ(AskYesNo("?"), 1);
  EXPECT_EQ(AskYesNo("?"), 0);
  EXPECT_EQ(AskYesNo("?"), 0);
}

TEST_F(BoxesTest, AMessageShowsTheCursorAndLowersTheBoxFlagOnceAnswered) {
  g_state.cursor_visible = 0;
  ShowMessage("%s %d", "stage", 3);
  ASSERT_EQ(hp.boxes.size(), 1u);
  EXPECT_EQ(hp.boxes[0].text, "stage 3\r\n");
  EXPECT_TRUE(hp.cursor_shown);
  EXPECT_EQ(g_state.cursor_visible, 1);
  EXPECT_EQ(g_state.message_box, 0);
}

TEST_F(BoxesTest, QuitGameReleasesTheDisplayAndAsksForOneClose) {
  ASSERT_EQ(StartLibrary(640, 480, 1), 1);
  QuitGame();
  QuitGame();
  EXPECT_FALSE(g_draw.IsOpen());
  EXPECT_EQ(g_state.shutdown_state, 2);
  int closes = 0;
  platform::Message m;
  while (hp.PeekMessage(m)) closes += m.kind == platform::MsgKind::kClose ? 1 : 0;
  EXPECT_EQ(closes, 1);
}

}  // namespace
