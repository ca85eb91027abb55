#include "frontend/stage_card.h"

#include <cstdio>
#include <string>
#include <vector>

#include "content/manifest.h"
#include "content/stage_file.h"
#include "library/draw/el_draw.h"
#include "library/system/text_values.h"

namespace {

constexpr int kTitleY = 140;
constexpr int kTitleHeight = 32;
constexpr int kHintY = 380;
constexpr int kHintHeight = 16;
constexpr int kHintSpacing = 22;
constexpr size_t kHintLines = 4;  // the room under the picture's middle
constexpr int kGothic = 1;
constexpr int kShadow = 2;
// 0x00BBGGRR
constexpr uint32_t kTitleInk = 0x90E8FF;
constexpr uint32_t kHintInk = 0xF0F0F0;
constexpr uint32_t kShadowInk = 0x000000;

struct Card {
  std::string title;               // Shift-JIS
  std::vector<std::string> hints;  // Shift-JIS, one a line
};

Card g_card;

// The width of Shift-JIS text in the game's fixed-width font: a two-byte
// character takes a full cell, any other byte half of one.
int TextWidth(const std::string& sjis, int height) {
  int halves = 0;
  for (size_t i = 0; i < sjis.size(); ++i, ++halves) {
    const auto c = static_cast<unsigned char>(sjis[i]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    if (lead && i + 1 < sjis.size()) {
      ++i;
      ++halves;
    }
  }
  return halves * height / 2;
}

void WriteCentred(const std::string& sjis, int y, int height, uint32_t ink) {
  const int x = (elDraw::kDefaultWidth - TextWidth(sjis, height)) / 2;
  g_draw.BeginText(kGothic, height, 0, 1, 0, 0);
  g_draw.SetTextColors(kShadowInk, 0, 1);
  g_draw.WriteText(x + kShadow, y + kShadow, sjis);
  g_draw.SetTextColors(ink, 0, 1);
  g_draw.WriteText(x, y, sjis);
  g_draw.EndText();
}

}  // namespace

void ReadStageCard(int stage) {
  const StageFile file = ReadStageFileAt(manifest::StageFile(stage));
  g_card = Card();
  for (const StageFile::Line& l : file.lines) {
    const auto* card = std::get_if<StageCard>(&l.effect);
    if (card == nullptr || !file.BeforeRefusal(l.line)) continue;
    // Content text is Shift-JIS; a line saved as UTF-8 is taken too.
    const std::string text = ToShiftJis(card->text);
    if (!card->hint)
      g_card.title = text;
    else if (g_card.hints.size() < kHintLines)
      g_card.hints.push_back(text);
  }
}

void DrawStageCard() {
  if (!g_card.title.empty()) WriteCentred(g_card.title, kTitleY, kTitleHeight, kTitleInk);
  for (size_t i = 0; i < g_card.hints.size(); ++i)
    WriteCentred(g_card.hints[i], kHintY + kHintSpacing * static_cast<int>(i), kHintHeight,
                 kHintInk);
}

void ResetStageCard() { g_card = Card(); }
