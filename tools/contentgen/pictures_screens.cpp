#include <algorithm>
#include <string>
#include <vector>

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
  // Opaque where text stands, so no lantern of the harbour shows through.
  Panel(image, {58, 322, 372, 464}, 1.0f);
  const char* english[] = {"NEW GAME", "HOW TO PLAY", "RANKING", "QUIT"};
  const char* japanese[] = {"はじめから", "あそびかた", "ランキング", "おわる"};
  for (int e = 0; e < 4; ++e) {
    const int y = 334 + 30 * e;
    TextStyle en = Style(20, kCream, true);
    en.shadow = true;
    DrawText(image, english[e], 104, y + 4, Align::kLeft, en);
    DrawText(image, japanese[e], 262, y + 6, Align::kLeft, Style(16, kGold));
  }
  Panel(image, {446, 426, 630, 468}, 1.0f);
  DrawText(image, "↑↓ Select / 選択", 538, 429, Align::kCentre, Style(13, {210, 200, 220}));
  DrawText(image, "Enter Confirm / 決定", 538, 447, Align::kCentre, Style(13, {210, 200, 220}));
  return image;
}

// A small flame pointing at the entry.
Image Cursor() {
  Image c(76, 116);
  Glow(c, 34, 58, 38, {255, 150, 50}, 0.6f);
  FillPolygon(c, {{6, 30}, {70, 58}, {6, 86}, {20, 58}},
              VerticalRamp(30, {255, 245, 190}, 86, {240, 120, 40}));
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
  DrawText(image, "PAUSE", 67, 10, Align::kCentre,
           GlowingStyle(20, {255, 245, 210}, {250, 180, 80}, {120, 50, 20}, 2));
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
  DrawText(image, "RANKING", 320, 48, Align::kCentre,
           GlowingStyle(48, {255, 248, 210}, {250, 170, 60}, {150, 60, 20}, 5));
  DrawText(image, "ランキング", 320, 106, Align::kCentre, Style(20, kGold, true));
  const char* english[] = {"1ST", "2ND", "3RD", "4TH", "5TH"};
  for (int r = 0; r < 5; ++r) {
    const int y = 169 + 33 * r;
    Panel(image, {160, y - 2, 456, y + 28}, 0.85f);
    FillRoundedRect(image, {308, y - 1, 440, y + 27}, 4, Solid({12, 8, 24}));
    DrawText(image, english[r], 180, y + 4, Align::kLeft, Style(20, r == 0 ? kGold : kCream, true));
    DrawText(image, std::to_string(r + 1) + "位", 240, y + 5, Align::kLeft, Style(17, kGold));
  }
  DrawText(image, "Press Enter to return   /   Enter でタイトルへ", 320, 440, Align::kCentre,
           Style(15, {210, 200, 220}));
  return image;
}

// A key of the keyboard; returns the x just right of it.
int KeyCap(Image& image, int x, int y, const std::string& label) {
  const TextStyle style = Style(13, {40, 30, 40}, true);
  const int width = std::max(24, TextWidth(label, style) + 12);
  FillRoundedRect(image, {x, y, x + width, y + 24}, 5,
                  VerticalRamp(static_cast<float>(y), {235, 230, 220}, y + 24.0f, {165, 155, 150}));
  DrawText(image, label, x + width / 2, y + 4, Align::kCentre, style);
  return x + width + 4;
}

// Keys side by side with a small joining word between groups.
int KeyCaps(Image& image, int x, int y, const std::vector<std::string>& labels) {
  for (const std::string& label : labels) {
    if (label == "+" || label == "/") {
      DrawText(image, label, x + 4, y + 3, Align::kCentre, Style(15, kCream, true));
      x += 10;
    } else {
      x = KeyCap(image, x, y, label);
    }
  }
  return x;
}

// English above Japanese, starting at x.
void Says(Image& image, int x, int y, const std::string& en, const std::string& jp) {
  DrawText(image, en, x, y - 4, Align::kLeft, Style(14, kCream, true));
  DrawText(image, jp, x, y + 13, Align::kLeft, Style(13, kGold));
}

void Heading(Image& image, int x, int y, const std::string& text) {
  DrawText(image, text, x, y, Align::kLeft, Style(14, {255, 190, 110}, true));
}

// A round controller button with its letter.
int PadButton(Image& image, int x, int y, const std::string& label, Rgb colour) {
  FillCircle(image, x + 12.0f, y + 12.0f, 12,
             RadialRamp(x + 8.0f, y + 8.0f, 16, Mix(colour, {255, 255, 255}, 0.4f), colour));
  DrawText(image, label, x + 12, y + 4, Align::kCentre, Style(13, {255, 255, 255}, true));
  return x + 28;
}

int DPad(Image& image, int x, int y) {
  const Rgb grey{190, 185, 200};
  FillRoundedRect(image, {x + 8, y, x + 16, y + 24}, 2, Solid(grey));
  FillRoundedRect(image, {x, y + 8, x + 24, y + 16}, 2, Solid(grey));
  return x + 28;
}

int Stick(Image& image, int x, int y) {
  FillCircle(image, x + 12.0f, y + 12.0f, 12, Solid({120, 115, 135}));
  FillCircle(image, x + 12.0f, y + 12.0f, 7,
             RadialRamp(x + 10.0f, y + 10.0f, 9, {235, 230, 240}, {160, 155, 175}));
  return x + 28;
}

void Rule(Image& image, int y, const std::string& en, const std::string& jp) {
  FillCircle(image, 34, y + 8, 4, Solid({255, 180, 80}));
  DrawText(image, en, 46, y, Align::kLeft, Style(13, kCream));
  DrawText(image, jp, 46, y + 15, Align::kLeft, Style(13, kGold));
}

// The strip at the top of the play field, with what each part means under it.
void HudExample(Image& image, int y) {
  FillRoundedRect(image, {44, y, 596, y + 26}, 4, Solid({40, 30, 60}));
  FillRoundedRect(image, {52, y + 6, 232, y + 20}, 3,
                  VerticalRamp(y + 6.0f, {255, 230, 150}, y + 20.0f, {235, 120, 40}));
  TextStyle digits = Style(15, {255, 245, 210}, true);
  digits.mono = true;
  DrawText(image, "087", 420, y + 4, Align::kLeft, digits);
  DrawText(image, "00012340", 500, y + 4, Align::kLeft, digits);
  DrawText(image, "HIT POINTS 体力", 52, y + 30, Align::kLeft, Style(13, kCream, true));
  DrawText(image, "TIME 残り時間", 400, y + 30, Align::kLeft, Style(13, kCream, true));
  DrawText(image, "SCORE 得点", 512, y + 30, Align::kLeft, Style(13, kCream, true));
  for (int i = 0; i < 3; ++i)
    image.PasteLit(CharacterFrame(Look::kLumi, 0, 0, 16), 250 + 20 * i, y + 5);
  DrawText(image, "SPARE LIVES 残機", 244, y + 30, Align::kLeft, Style(13, kCream, true));
}

// Every key and button the game answers, and the screen, on one page readable at 1x.
Image HowTo() {
  Image image(640, 480);
  FillRect(image, {0, 0, 640, 480}, VerticalRamp(0, {20, 16, 44}, 480, {10, 8, 24}));
  DrawText(image, "HOW TO PLAY  あそびかた", 320, 6, Align::kCentre,
           GlowingStyle(24, {255, 248, 210}, {250, 170, 60}, {140, 50, 20}, 3));
  Panel(image, {16, 40, 624, 214}, 1.0f);
  Heading(image, 28, 44, "KEYBOARD  キーボード");
  int x = KeyCaps(image, 28, 66,
                  {"←", "↑", "↓", "→", "/", "W", "A", "S", "D", "/", "8", "4", "2", "6"});
  DrawText(image, "keypad テンキー", x - 58, 91, Align::kCentre, Style(11, {200, 190, 215}));
  Says(image, x + 8, 66, "Steer; you drift: push back to stop",
       "移動。慣性で滑るので逆に押して止まる");
  Says(image, KeyCaps(image, 28, 112, {"Space"}) + 8, 112, "Fire the way you face",
       "向いている方向へ撃つ");
  Says(image, KeyCaps(image, 330, 112, {"Enter"}) + 8, 112, "Confirm", "決定");
  Says(image, KeyCaps(image, 28, 148, {"Esc"}) + 8, 148, "Menu in play, title elsewhere",
       "ゲーム中はメニュー、他はタイトルへ");
  Says(image, KeyCaps(image, 330, 148, {"P"}) + 8, 148, "Pause in play", "ゲーム中に一時停止");
  Says(image, KeyCaps(image, 28, 184, {"Alt", "+", "Enter", "/", "F11"}) + 8, 184,
       "Full screen or window", "全画面とウィンドウを切り替え");
  Panel(image, {16, 220, 624, 300}, 1.0f);
  Heading(image, 28, 224, "CONTROLLER  コントローラー");
  Says(image, Stick(image, DPad(image, 28, 250), 250) + 4, 250, "Steer", "移動");
  Says(image, PadButton(image, 170, 250, "A", {40, 160, 70}) + 4, 250, "Fire, confirm",
       "撃つ・決定");
  Says(image, PadButton(image, 318, 250, "B", {200, 50, 50}) + 4, 250, "No", "いいえ");
  FillRoundedRect(image, {430, 254, 476, 270}, 8, Solid({150, 145, 165}));
  DrawText(image, "Start", 453, 254, Align::kCentre, Style(11, {30, 24, 40}, true));
  Says(image, 482, 250, "Menu, like Esc", "メニュー（Esc と同じ）");
  Panel(image, {16, 306, 624, 382}, 1.0f);
  Heading(image, 28, 310, "SCREEN  画面");
  HudExample(image, 330);
  Panel(image, {16, 388, 624, 456}, 1.0f);
  Rule(image, 394,
       "Every bump costs hit points, the faster the more. Shoot from afar for more score.",
       "ぶつかると体力が減る（速いほど大きい）。遠くから当てるほど高得点。");
  Rule(image, 424, "Clear every wave before the time runs out. Flat floor marks can be crossed.",
       "時間内に、すべての敵の波を倒そう。床の模様は通り抜けられる。");
  DrawText(image, "Press Enter to return   /   Enter でタイトルへ", 320, 461, Align::kCentre,
           Style(13, {200, 190, 215}));
  return image;
}

}  // namespace

void WriteScreenPictures(const Pack& pack) {
  pack.DitheredPicture(name::kTitle, Title());
  pack.Picture(name::kCursor, Cursor());
  pack.Picture(name::kMenu, Menu());
  pack.Picture(name::kMenuCursor, MenuCursor());
  pack.Picture(name::kRankingFont, RankingFont());
  pack.DitheredPicture(name::kRanking, Ranking());
  pack.DitheredPicture(name::kHowTo, HowTo());
}
