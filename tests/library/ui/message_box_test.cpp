// The box drawn in the game's window: its answers, its English lines and the
// failure detail under them.
#include "library/ui/message_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "library/draw/el_draw.h"
#include "library/draw/pixel_format.h"
#include "library/system/failure.h"
#include "library/system/text_values.h"
#include "library/ui/start.h"
#include "support/headless_test.h"

namespace {

class MessageBoxTest : public HeadlessTest {};

// The drawn box: every way to answer it, on the headless display.
constexpr platform::Message Key(int vk) {
  return {platform::MsgKind::kKeyDown, static_cast<uint32_t>(vk), 0};
}
constexpr platform::Message Pad(int vk) {
  return {platform::MsgKind::kPadButton, static_cast<uint32_t>(vk), 0};
}
constexpr platform::Message Click(uint32_t x, uint32_t y) {
  return {platform::MsgKind::kMouseDown, 1, x | y << 16};
}

TEST_F(MessageBoxTest, DrawnBoxAnswers) {
  using namespace platform;
  const struct {
    unsigned style;
    std::vector<Message> input;
    int answer;
  } cases[] = {
      {MB_YESNO, {Key(VK_RETURN)}, IDYES},
      {MB_YESNO, {Key(VK_RIGHT), Key(VK_RETURN)}, IDNO},
      {MB_YESNO, {Key(VK_TAB), Key(VK_SPACE)}, IDNO},
      {MB_YESNO, {Key(VK_LEFT), Key(VK_SPACE)}, IDNO},
      {MB_YESNO, {Key('A'), Key('N')}, IDNO},
      {MB_YESNO, {Key('Y')}, IDYES},
      {MB_YESNO, {Key(VK_ESCAPE)}, IDNO},
      {MB_YESNO, {Click(250, 280)}, IDYES},
      {MB_YESNO, {{MsgKind::kClose, 0, 0}}, IDNO},
      // Outside the box, between the buttons, then on "No".
      {MB_YESNO, {Click(100, 100), Click(308, 280), Click(331, 280), Click(332, 280)}, IDNO},
      {MB_YESNO, {Pad(VK_RIGHT), Pad(VK_LEFT), Pad(VK_RETURN)}, IDYES},  // controller d-pad, A
      {MB_YESNO, {Pad(VK_BACK)}, IDNO},                                  // controller B
      {MB_OK, {Key('Y'), Key(VK_ESCAPE)}, IDOK},
      {MB_OK, {{MsgKind::kClose, 0, 0}}, IDOK},
  };
  ASSERT_EQ(StartLibrary(640, 480, 1), 1);
  hp.answer_boxes = false;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    std::fill(g_draw.BackBuffer().pixels.begin(), g_draw.BackBuffer().pixels.end(), 0xFFFF);
    hp.texts.clear();
    const uint32_t start = hp.now;
    hp.stop_at = start + 5000;  // a box that takes no answer ends the case as a failure
    for (size_t i = 0; i < c.input.size(); ++i) hp.At(start + 100 * (i + 1), c.input[i]);
    NoteBoxEnglish("Return to the title screen?");
    EXPECT_EQ(OpenBox("タイトル画面に戻りますか？\r\n", "メッセージ", c.style), c.answer);
    EXPECT_LT(hp.now - start, 5000u) << "answered only by the time limit";
    // The box was in the presented frame over the dimmed scene; the scene's frame is back.
    EXPECT_EQ(hp.FramePixel(5, 5), 0x7BEF);
    EXPECT_EQ(hp.FramePixel(45, 240), draw::FromColour(0xC0C0C0));
    for (const char* text : {"タイトル画面に戻りますか？", "Return to the title screen?",
                             c.style == MB_OK ? "OK" : "いいえ No"})
      EXPECT_TRUE(std::any_of(hp.texts.begin(), hp.texts.end(), [&](const auto& t) {
        return t.text == ToShiftJis(text);
      })) << text;
    EXPECT_EQ(g_draw.BackBuffer().pixels[0], 0xFFFF);
    // A close is not lost: it waits for the message loop.
    Message m;
    EXPECT_EQ(hp.PeekMessage(m) && m.kind == MsgKind::kClose,
              c.input.back().kind == MsgKind::kClose);
  }
}

// An error box carries the file and the reason in its English lines, cut to fit the box.
TEST_F(MessageBoxTest, ErrorBoxShowsTheFileAndTheReason) {
  const std::string deep = "packs/" + std::string(300, 'd') + "/img/title.bmp";
  const struct {
    std::string detail, first, last;
  } cases[] = {
      {"img/missing.bmp: no such file", "img/missing.bmp: no such file",
       "img/missing.bmp: no such file"},
      {"packs/" + std::string(70, 'x') + "/img/title.bmp: not a BMP file", "packs/",
       "title.bmp: not a BMP file"},
      {deep + ": not a BMP file", "packs/ddd", "/img/title.bmp: not a BMP file"},
      {"img/ランタン.bmp: no such file", "img/ランタン.bmp", ": no such file"},
      // A name in Shift-JIS from an old pack is no UTF-8: still cut to the box.
      {"img/" + std::string(300, '\x83') + ": no such file", "img/", ": no such file"},
      {deep + " " + deep + ": not a BMP file", "packs/ddd", "title.bmp: not a BMP file"},
  };
  ASSERT_EQ(StartLibrary(640, 480, 1), 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.detail);
    hp.texts.clear();
    NoteFailureDetail(c.detail);
    OpenBox("elDraw::LoadObject : BMPファイルを読み込めません", "エラー発生", platform::MB_OK);
    std::vector<std::string> english;
    for (const auto& t : hp.texts) {
      if (t.text_colour != 0x404040) continue;
      english.push_back(t.text);
      EXPECT_LE(t.text.size(), 67u) << t.text;  // within the box's 560 pixels
    }
    ASSERT_TRUE(english.size() >= 2 && english.size() <= 4) << english.size();
    EXPECT_EQ(english[0], "elDraw::LoadObject : cannot read the BMP file");
    EXPECT_EQ(english[1].rfind(ToShiftJis(c.first), 0), 0u) << english[1];
    EXPECT_TRUE(english.back().ends_with(ToShiftJis(c.last))) << english.back();
  }
}

}  // namespace
