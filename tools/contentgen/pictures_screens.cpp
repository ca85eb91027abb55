#include <string>

#include "character_art.h"
#include "names.h"
#include "painter.h"
#include "pictures.h"
#include "scenery.h"
#include "text.h"

namespace {

constexpr Rgb kCream{250, 240, 220};
constexpr Rgb kGold{255, 210, 130};

// The night harbour behind the title and the ranking.
Image Harbour(int horizon, int lanterns, uint32_t seed) {
  Image image(640, 480);
  Sky(image, horizon, 0.0f, seed);
  Moon(image, 596, 196, 24);
  Water(image, horizon, 0.0f, 596, seed + 1);
  LanternFleet(image, horizon, lanterns, true, seed + 2);
  return image;
}

void Logo(Image& image, int y) {
  DrawText(image, "LANTERN DRIFT", 320, y, Align::kCentre,
           GlowingStyle(62, {255, 248, 210}, {250, 170, 60}, {170, 70, 20}, 6));
  DrawText(image, "ランタン・ドリフト", 320, y + 72, Align::kCentre,
           GlowingStyle(26, {255, 235, 200}, {255, 200, 140}, {110, 40, 20}, 3));
  DrawText(image, "Ver.2", 520, y + 78, Align::kLeft, Style(16, {220, 200, 170}));
}

// Menu entries at y 334 + 30e, beside the cursor at x 75.
Image Title() {
  Image image = Harbour(250, 40, 3);
  Logo(image, 60);
  Panel(image, {58, 322, 372, 464}, 0.75f);
  const char* english[] = {"NEW GAME", "HOW TO PLAY", "RANKING", "QUIT"};
  const char* japanese[] = {"はじめから", "あそびかた", "ランキング", "おわる"};
  for (int e = 0; e < 4; ++e) {
    const int y = 334 + 30 * e;
    TextStyle en = Style(20, kCream, true);
    en.shadow = true;
    DrawText(image, english[e], 104, y + 4, Align::kLeft, en);
    DrawText(image, japanese[e], 262, y + 6, Align::kLeft, Style(16, kGold));
  }
  Panel(image, {446, 426, 630, 468}, 0.75f);
  DrawText(image, "↑↓ Select / 選択", 538, 429, Align::kCentre, Style(13, {210, 200, 220}));
  DrawText(image, "Enter Confirm / 決定", 538, 447, Align::kCentre, Style(13, {210, 200, 220}));
  return image;
}

// A small flame pointing at the entry.
Image Cursor() {
  Image c(76, 116);
  Glow(c, 34, 58, 38, {255, 150, 50}, 0.6f);
  FillPolygon(c, {{6, 30}, {70, 58}, {6, 86}, {20, 58}}, VerticalRamp(30, {255, 245, 190}, 86, {240, 120, 40}));
  FillPolygon(c, {{20, 46}, {52, 58}, {20, 70}, {28, 58}}, Solid({255, 255, 235}));
  Image cursor = c.Shrink(4);
  cursor.CleanKeyedEdges();
  return cursor;
}

// The in-game menu: entries where the cursor frame lands, at y 73 and 103 of the picture.
Image Menu() {
  Image image(135, 150);
  FillRect(image, {0, 0, 135, 150}, VerticalRamp(0, {46, 32, 60}, 150, {24, 16, 36}));
  RoundedFrame(image, {2, 2, 133, 148}, 8, 2, {220, 170, 90});
  DrawText(image, "PAUSE", 67, 10, Align::kCentre, GlowingStyle(20, {255, 245, 210}, {250, 180, 80}, {120, 50, 20}, 2));
  DrawText(image, "一時停止", 67, 36, Align::kCentre, Style(13, kGold));
  const char* english[] = {"TO TITLE", "RESUME"};
  const char* japanese[] = {"タイトルへ", "つづける"};
  for (int e = 0; e < 2; ++e) {
    const int y = 73 + 30 * e;
    FillRoundedRect(image, {21, y, 115, y + 25}, 4, Solid({16, 12, 28}));
    DrawText(image, english[e], 68, y + 1, Align::kCentre, Style(12, kCream, true));
    DrawText(image, japanese[e], 68, y + 11, Align::kCentre, Style(12, kGold));
  }
  DrawText(image, "Enter 決定", 67, 132, Align::kCentre, Style(11, {180, 170, 190}));
  return image;
}

// A lit frame laid over the chosen entry; its black middle stays see-through.
Image MenuCursor() {
  Image image(94, 25);
  RoundedFrame(image, {0, 0, 94, 25}, 5, 2.5f, {255, 200, 90});
  for (float x : {3.0f, 91.0f}) {
    Glow(image, x, 12.5f, 7, {255, 160, 60}, 0.9f);
    FillCircle(image, x, 12.5f, 2.5f, Solid({255, 245, 200}));
  }
  image.CleanKeyedEdges();
  return image;
}

// Ranking digits: d at (14d+1, 20), 13 x 26.
Image RankingFont() {
  Image image(141, 47);
  TextStyle digits = GlowingStyle(25, {255, 250, 220}, {250, 170, 60}, {0, 0, 0}, 0);
  digits.mono = true;
  for (int d = 0; d < 10; ++d) {
    Image cell(13, 26);
    DrawText(cell, std::to_string(d), 6, 0, Align::kCentre, digits);
    image.PasteKeyed(cell, 0, 0, 13, 26, 14 * d + 1, 20);
  }
  return image;
}

// Five rows whose eight digits land at (314 + 15c, 169 + 33r).
Image Ranking() {
  Image image = Harbour(300, 24, 5);
  FillRect(image, {0, 0, 640, 480}, Solid({4, 4, 14}), 0.35f);
  DrawText(image, "RANKING", 320, 48, Align::kCentre, GlowingStyle(48, {255, 248, 210}, {250, 170, 60}, {150, 60, 20}, 5));
  DrawText(image, "ランキング", 320, 106, Align::kCentre, Style(20, kGold, true));
  const char* english[] = {"1ST", "2ND", "3RD", "4TH", "5TH"};
  for (int r = 0; r < 5; ++r) {
    const int y = 169 + 33 * r;
    Panel(image, {160, y - 2, 456, y + 28}, 0.85f);
    FillRoundedRect(image, {308, y - 1, 440, y + 27}, 4, Solid({12, 8, 24}));
    DrawText(image, english[r], 180, y + 4, Align::kLeft, Style(20, r == 0 ? kGold : kCream, true));
    DrawText(image, std::to_string(r + 1) + "位", 240, y + 5, Align::kLeft, Style(17, kGold));
  }
  DrawText(image, "Press Enter to return   /   Enter でタイトルへ", 320, 440, Align::kCentre, Style(15, {210, 200, 220}));
  return image;
}

void KeyCap(Image& image, int x, int y, int width, const std::string& label) {
  FillRoundedRect(image, {x, y, x + width, y + 26}, 5, VerticalRamp(static_cast<float>(y), {230, 225, 215}, y + 26.0f, {160, 150, 145}));
  DrawText(image, label, x + width / 2, y + 5, Align::kCentre, Style(14, {40, 30, 40}, true));
}

void KeyLine(Image& image, int y, int keys_width, const std::string& en, const std::string& jp) {
  DrawText(image, en, 70 + keys_width, y, Align::kLeft, Style(15, kCream, true));
  DrawText(image, jp, 70 + keys_width, y + 18, Align::kLeft, Style(13, kGold));
}

void Rule(Image& image, int y, const std::string& en, const std::string& jp) {
  FillCircle(image, 58, y + 9, 4, Solid({255, 180, 80}));
  DrawText(image, en, 70, y, Align::kLeft, Style(15, kCream));
  DrawText(image, jp, 70, y + 18, Align::kLeft, Style(13, kGold));
}

void Sprite(Image& image, Look look, int facing, int x, int y, const std::string& label) {
  image.PasteLit(CharacterFrame(look, facing, 0, 64), x, y);
  DrawText(image, label, x + 32, y + 64, Align::kCentre, Style(12, {210, 200, 220}));
}

Image HowTo() {
  Image image(640, 480);
  FillRect(image, {0, 0, 640, 480}, VerticalRamp(0, {20, 16, 44}, 480, {10, 8, 24}));
  DrawText(image, "HOW TO PLAY  あそびかた", 320, 14, Align::kCentre, GlowingStyle(30, {255, 248, 210}, {250, 170, 60}, {140, 50, 20}, 4));
  Panel(image, {30, 58, 610, 212}, 0.9f);
  KeyCap(image, 46, 70, 26, "←"), KeyCap(image, 76, 70, 26, "↑"), KeyCap(image, 106, 70, 26, "↓"), KeyCap(image, 136, 70, 26, "→");
  KeyLine(image, 68, 110, "Steer. You drift with inertia: push the other way to stop.", "移動。慣性で滑るので、逆に押して止まろう。");
  KeyCap(image, 46, 108, 84, "Space");
  KeyLine(image, 106, 80, "Fire a lantern spark the way you face.", "向いている方向へ光弾を撃つ。");
  KeyCap(image, 46, 146, 84, "Enter");
  KeyLine(image, 144, 80, "Confirm.  Escape: pause menu in play, back to title elsewhere.", "決定。Esc：ゲーム中はメニュー、それ以外はタイトルへ。");
  Panel(image, {30, 222, 610, 440}, 0.9f);
  Rule(image, 232, "Every impact costs hit points: the faster, the more.", "壁や敵にぶつかると体力が減る。速いほど大きい。");
  Rule(image, 274, "Clear every wave of enemies before the time runs out.", "時間内に、すべての敵の波を倒そう。");
  Rule(image, 316, "Long shots score more. Flat floor marks can be crossed.", "遠くから当てるほど高得点。床の模様は通り抜けられる。");
  Sprite(image, Look::kLumi, 0, 80, 352, "Lumi ルミ");
  Sprite(image, Look::kWisp, 0, 200, 352, "chases 追う");
  Sprite(image, Look::kMoth, 0, 320, 352, "flees 逃げる");
  Sprite(image, Look::kCrystal, 0, 440, 352, "tough 硬い");
  DrawText(image, "Press Enter to return   /   Enter でタイトルへ", 320, 450, Align::kCentre, Style(14, {200, 190, 215}));
  return image;
}

}  // namespace

void WriteScreenPictures(const Pack& pack) {
  pack.Picture(name::kTitle, Title());
  pack.Picture(name::kCursor, Cursor());
  pack.Picture(name::kMenu, Menu());
  pack.Picture(name::kMenuCursor, MenuCursor());
  pack.Picture(name::kRankingFont, RankingFont());
  pack.Picture(name::kRanking, Ranking());
  pack.Picture(name::kHowTo, HowTo());
}
