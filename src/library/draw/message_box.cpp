#include "library/draw/message_box.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

#include "library/draw/el_draw.h"
#include "library/draw/pixel_format.h"
#include "library/system/el_system.h"
#include "library/system/text_values.h"

using platform::Message;
using platform::MsgKind;

namespace {

// The library's own texts and the boxes' captions, with their English.
constexpr std::pair<std::string_view, std::string_view> kEnglish[] = {
    {"メッセージ", "Message"},
    {"エラー発生", "Error"},
    {"タイトル画面に戻りますか？", "Return to the title screen?"},
    {"ウェイトNoが範囲外です", "the wait number is out of range"},
    {"DirectDrawが使用できません", "the display cannot be used"},
    {"フルスクリーン化できません", "cannot switch to full screen"},
    {"解像度が変更できません", "cannot change the resolution"},
    {"表画面が生成できません", "cannot create the front surface"},
    {"裏画面が生成できません", "cannot create the back surface"},
    {"クリップにウィンドウハンドルを設定できません", "cannot give the clipper the window"},
    {"クリップが生成できません", "cannot create the clipper"},
    {"表画面をクリップできません", "cannot attach the clipper to the front surface"},
    {"Bufferスプライトが生成できません", "cannot create the Buffer sprite"},
    {"Screenスプライトが生成できません", "cannot create the Screen sprite"},
    {"ピクセル情報が取得できません", "cannot get the pixel format"},
    {"ファイル名またはリソース名が長すぎます", "the file name or resource name is too long"},
    {"オブジェクト数が多過ぎます", "too many objects"},
    {"BMPファイルを読み込めません", "cannot read the BMP file"},
    {"ミックス数が多過ぎます", "too many mixes"},
    {"WAVEリソースが見つかりません", "the WAVE file cannot be read"},
    {"サウンドバッファが生成できません", "cannot create a sound buffer"},
};

// Layout in picture pixels.
constexpr int kBoxLeft = 40;
constexpr int kBoxWidth = 560;
constexpr int kTextSize = 16;
constexpr int kLine = 20;
constexpr int kCaptionBar = 24;
constexpr int kPad = 12;
constexpr int kButtonWidth = 128;
constexpr int kButtonHeight = 28;
constexpr int kButtonGap = 24;
// Half-width characters on one line of the box, and lines a detail may take.
constexpr size_t kLineChars = (kBoxWidth - 2 * kPad) / (kTextSize / 2);
constexpr size_t kDetailLines = 3;

// 0x00BBGGRR, as the game's text calls take them.
constexpr uint32_t kFace = 0xC0C0C0;
constexpr uint32_t kCaptionBack = 0x800000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kEnglishInk = 0x404040;

BoxMessageSink g_sink = nullptr;
std::string g_detail;
std::string g_english;
std::string g_load_source;
std::string g_load_line;

struct Button {
  int answer;
  const char* label;
  int x, y;
};

struct Layout {
  int top = 0;
  int height = 0;
  std::vector<std::string> lines;    // Shift-JIS
  std::vector<std::string> english;  // Shift-JIS, ASCII but for a file's name
  std::string caption;               // Shift-JIS, with its English
  std::vector<Button> buttons;
  int cancel = platform::IDOK;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

bool StartsCharacter(const std::string& utf8, size_t at) {
  return at >= utf8.size() || (static_cast<unsigned char>(utf8[at]) & 0xC0) != 0x80;
}

// Moves a cut back or forward to the start of a UTF-8 character. A name in
// another encoding is no UTF-8: three bytes either way, then it is cut anywhere.
size_t BackToCharacter(const std::string& text, size_t at) {
  for (int i = 0; i < 3 && !StartsCharacter(text, at); ++i) --at;
  return at;
}
size_t OnToCharacter(const std::string& text, size_t at) {
  for (int i = 0; i < 3 && !StartsCharacter(text, at); ++i) ++at;
  return at;
}

// A detail longer than the box holds keeps its start and its end (the file's
// name and the reason), with "..." between.
std::string Shortened(const std::string& detail) {
  const size_t room = kLineChars * kDetailLines;
  if (detail.size() <= room) return detail;
  const size_t head = BackToCharacter(detail, room / 3);
  const size_t tail = OnToCharacter(detail, detail.size() - (room - room / 3 - 3));
  return detail.substr(0, head) + "..." + detail.substr(tail);
}

// Cuts a line into pieces of the box's width; with at_breaks, after a blank or
// a slash when one is near.
std::vector<std::string> Wrapped(const std::string& line, bool at_breaks) {
  std::vector<std::string> pieces;
  size_t at = 0;
  while (line.size() - at > kLineChars) {
    size_t cut = BackToCharacter(line, at + kLineChars);
    const size_t soft = line.find_last_of(" /", cut - 1);
    if (at_breaks && soft != std::string::npos && soft > at + kLineChars / 2) cut = soft + 1;
    pieces.push_back(line.substr(at, cut - at));
    at = cut;
  }
  pieces.push_back(line.substr(at));
  return pieces;
}

// The English under the text: its translation, then the file and the reason
// in at most kDetailLines lines.
std::vector<std::string> EnglishLines(const std::string& english, const std::string& detail) {
  std::vector<std::string> lines;
  for (const std::string& line : Lines(english))
    for (const std::string& piece : Wrapped(line, true)) lines.push_back(piece);
  if (detail.empty()) return lines;
  const std::string shortened = Shortened(detail);
  std::vector<std::string> pieces = Wrapped(shortened, true);
  if (pieces.size() > kDetailLines) pieces = Wrapped(shortened, false);
  for (const std::string& piece : pieces) lines.push_back(ToShiftJis(piece));
  return lines;
}

Layout Arrange(const std::string& text, const std::string& english, const std::string& caption,
               unsigned style, const std::string& detail) {
  Layout l;
  for (const std::string& line : Lines(text)) l.lines.push_back(ToShiftJis(line));
  l.english = EnglishLines(english, detail);
  const std::string caption_english = EnglishFor(caption);
  l.caption = ToShiftJis(caption_english.empty() ? caption : caption + "  " + caption_english);
  const int body = kLine * static_cast<int>(l.lines.size() + l.english.size());
  l.height = kCaptionBar + kPad + body + kPad + kButtonHeight + kPad;
  l.top = (elDraw::kDefaultHeight - l.height) / 2;
  const int button_y = l.top + l.height - kPad - kButtonHeight;
  if ((style & 0xF) == platform::MB_YESNO) {
    const int left = (elDraw::kDefaultWidth - 2 * kButtonWidth - kButtonGap) / 2;
    l.buttons = {{platform::IDYES, "はい Yes", left, button_y},
                 {platform::IDNO, "いいえ No", left + kButtonWidth + kButtonGap, button_y}};
    l.cancel = platform::IDNO;
  } else {
    l.buttons = {{platform::IDOK, "OK", (elDraw::kDefaultWidth - kButtonWidth) / 2, button_y}};
  }
  return l;
}

void Fill(Surface& s, int x0, int y0, int w, int h, uint32_t colour) {
  const uint16_t value = draw::FromColour(colour);
  for (int y = std::max(y0, 0); y < std::min(y0 + h, s.height); ++y)
    for (int x = std::max(x0, 0); x < std::min(x0 + w, s.width); ++x) s.Row(y)[x] = value;
}

void Frame(Surface& s, int x, int y, int w, int h, uint32_t colour) {
  Fill(s, x, y, w, 1, colour);
  Fill(s, x, y + h - 1, w, 1, colour);
  Fill(s, x, y, 1, h, colour);
  Fill(s, x + w - 1, y, 1, h, colour);
}

void Write(Surface& s, int x, int y, const std::string& sjis, uint32_t ink) {
  const platform::PixelView view{s.pixels.data(), s.width, s.height, s.pitch};
  platform::Get().DrawText(view, x, y, sjis, 1, kTextSize, ink, 0, true);
}

// Text widths are not known above the platform: a half-width byte is half the cell.
int Width(const std::string& sjis) { return static_cast<int>(sjis.size()) * kTextSize / 2; }

void Draw(Surface& s, const Layout& l, size_t focus) {
  Fill(s, kBoxLeft, l.top, kBoxWidth, l.height, kFace);
  Frame(s, kBoxLeft, l.top, kBoxWidth, l.height, kBlack);
  Fill(s, kBoxLeft + 1, l.top + 1, kBoxWidth - 2, kCaptionBar - 1, kCaptionBack);
  Write(s, kBoxLeft + 8, l.top + 4, l.caption, kWhite);
  int y = l.top + kCaptionBar + kPad;
  for (const std::string& line : l.lines) {
    Write(s, kBoxLeft + kPad, y, line, kBlack);
    y += kLine;
  }
  for (const std::string& line : l.english) {
    Write(s, kBoxLeft + kPad, y, line, kEnglishInk);
    y += kLine;
  }
  for (size_t i = 0; i < l.buttons.size(); ++i) {
    const Button& b = l.buttons[i];
    const bool focused = i == focus;
    Fill(s, b.x, b.y, kButtonWidth, kButtonHeight, focused ? kCaptionBack : kWhite);
    Frame(s, b.x, b.y, kButtonWidth, kButtonHeight, kBlack);
    const std::string label = ToShiftJis(b.label);
    Write(s, b.x + (kButtonWidth - Width(label)) / 2, b.y + (kButtonHeight - kTextSize) / 2, label,
          focused ? kWhite : kBlack);
  }
}

// The box's answer to a key, or 0. A game controller's buttons come here as the keys they stand
// for.
int AnswerKey(int vk, const Layout& l, size_t& focus) {
  const size_t n = l.buttons.size();
  const bool yes_no = l.cancel == platform::IDNO;
  switch (vk) {
    case platform::VK_LEFT: focus = (focus + n - 1) % n; return 0;
    case platform::VK_RIGHT:
    case platform::VK_TAB: focus = (focus + 1) % n; return 0;
    case platform::VK_RETURN:
    case platform::VK_SPACE: return l.buttons[focus].answer;
    case platform::VK_ESCAPE:
    case platform::VK_BACK: return l.cancel;
    case 'Y': return yes_no ? platform::IDYES : 0;
    case 'N': return yes_no ? platform::IDNO : 0;
    default: return 0;
  }
}

int AnswerClick(uint32_t point, const Layout& l) {
  const int x = static_cast<int16_t>(point & 0xFFFF), y = static_cast<int16_t>(point >> 16);
  for (const Button& b : l.buttons)
    if (b.x <= x && x < b.x + kButtonWidth && b.y <= y && y < b.y + kButtonHeight) return b.answer;
  return 0;
}

int DrawnBox(const std::string& text, const std::string& english, const std::string& caption,
             unsigned style, const std::string& detail) {
  platform::Platform& p = platform::Get();
  const Layout l = Arrange(text, english, caption, style, detail);
  p.BoxOpened(text, caption, style);
  Surface& back = g_draw.BackBuffer();
  const std::vector<uint16_t> scene_frame = back.pixels;
  for (uint16_t& px : back.pixels) px = (px >> 1) & 0x7BEF;
  const std::vector<uint16_t> dimmed = back.pixels;
  std::vector<Message> later;  // a close or quit, handled once the box is gone
  size_t focus = 0, drawn = l.buttons.size();
  int answer = 0;
  for (;;) {
    if (drawn != focus) {
      back.pixels = dimmed;
      Draw(back, l, focus);
      drawn = focus;
    }
    Message m;
    while (answer == 0 && p.PeekMessage(m)) {
      switch (m.kind) {
        case MsgKind::kKeyDown:
        case MsgKind::kPadButton: answer = AnswerKey(static_cast<int>(m.wparam), l, focus); break;
        case MsgKind::kMouseDown: answer = AnswerClick(m.lparam, l); break;
        case MsgKind::kClose:
        case MsgKind::kQuit:
          answer = l.cancel;
          later.push_back(m);
          break;
        case MsgKind::kSysKeyDown: break;
        default:
          if (g_sink != nullptr) g_sink(m);
          break;
      }
    }
    if (answer != 0) break;
    g_draw.Present();
  }
  back.pixels = scene_frame;
  for (const Message& m : later) p.PostMessage(m);
  return answer;
}

}  // namespace

void SetBoxMessageSink(BoxMessageSink sink) { g_sink = sink; }

std::string WithLoadSource(const std::string& text) {
  return g_load_source.empty() || text.empty() ? text : g_load_source + ": " + text;
}

void NoteBoxDetail(const std::string& detail) { g_detail = WithLoadSource(detail); }

void NoteBoxEnglish(const std::string& english) { g_english = english; }

LoadSource::LoadSource(const std::string& where, const std::string& written) {
  g_load_source = where;
  g_load_line = written;
}

LoadSource::~LoadSource() {
  g_load_source.clear();
  g_load_line.clear();
}

std::string ShownName(const std::string& name) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  const auto same = [&](char a, char b) { return lower(a) == lower(b); };
  const auto at =
      std::search(g_load_line.begin(), g_load_line.end(), name.begin(), name.end(), same);
  if (name.empty() || at == g_load_line.end()) return ContentPath(name);
  return ContentPath(std::string(at, at + static_cast<std::ptrdiff_t>(name.size())));
}

std::string EnglishFor(const std::string& text) {
  std::string out = text;
  bool known = false;
  for (const auto& [japanese, english] : kEnglish) {
    const size_t at = out.find(japanese);
    if (at == std::string::npos) continue;
    out.replace(at, japanese.size(), english);
    known = true;
  }
  if (!known) return "";
  std::erase(out, '\r');
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

int OpenBox(const std::string& text, const std::string& caption, unsigned style) {
  const std::string detail = std::exchange(g_detail, std::string());
  std::string english = std::exchange(g_english, std::string());
  if (english.empty()) english = EnglishFor(text);
  if (!detail.empty()) std::fprintf(stderr, "lantern-drift: %s\n", detail.c_str());
  if (g_draw.IsOpen() && !g_draw.BackBuffer().pixels.empty())
    return DrawnBox(text, english, caption, style, detail);
  const int answer = platform::Get().MessageBox(text, caption, style);
  if (!english.empty())
    std::fprintf(stderr, "%s: %s\n", EnglishFor(caption).c_str(), english.c_str());
  return answer;
}
