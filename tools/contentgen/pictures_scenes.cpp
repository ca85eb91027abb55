#include <string>

#include "backgrounds.h"
#include "character_art.h"
#include "names.h"
#include "painter.h"
#include "pictures.h"
#include "random.h"
#include "scenery.h"
#include "stages.h"
#include "text.h"

namespace {

void Caption(Image& image, int y, const std::string& en, const std::string& jp) {
  Panel(image, {30, y, 610, y + 70}, 0.78f);
  TwoLanguages(image, 320, y + 12, en, jp, 17);
}

// The festival: the harbour full of lanterns. The lower part stays calm for the story panel.
Image Opening1() {
  Image image(640, 480);
  Sky(image, 230, 0.0f, 41);
  Moon(image, 560, 150, 30);
  Water(image, 230, 0.0f, 560, 42);
  LanternFleet(image, 230, 70, true, 43);
  Caption(image, 24, "On the night of the Lantern Drift, a thousand lights sail out to sea.",
          "灯籠流しの夜、千の灯りが海へと旅立つ。");
  return image;
}

Image StoryPanel() {
  Image image = PanelPicture(560, 104);
  TwoLanguages(image, 280, 18, "But the cold tide spirits rose and swallowed them, one by one.",
               "だが冷たい潮の精が現れ、灯りをひとつずつ呑みこんだ。", 18);
  return image;
}

// Dark water, lanterns gone out, wisps circling.
Image Opening2() {
  Image image(640, 480);
  Sky(image, 230, 0.0f, 51);
  Water(image, 230, 0.0f, 320, 52);
  LanternFleet(image, 230, 40, false, 53);
  Random r(54);
  for (int i = 0; i < 7; ++i)
    image.PasteLit(CharacterFrame(i % 3 ? Look::kWisp : Look::kMoth, r.Below(4), i % 2, 64),
                   static_cast<int>(r.Range(20, 560)), static_cast<int>(r.Range(230, 380)));
  FloatingLantern(image, 320, 400, 1.6f, true);
  Caption(image, 24, "Only one small lantern still burns: Lumi.",
          "ただひとつ、小さな灯り「ルミ」だけが燃えている。");
  return image;
}

// Lumi sets out.
Image Opening3() {
  Image image(640, 480);
  Sky(image, 300, 0.0f, 61);
  Moon(image, 500, 90, 40);
  Water(image, 300, 0.0f, 500, 62);
  Glow(image, 320, 250, 200, {255, 150, 60}, 0.5f);
  image.PasteLit(CharacterFrame(Look::kLumi, 0, 1, 128), 256, 170);
  Caption(image, 380, "Drift, bump and shoot - bring the lights back home!",
          "漂い、ぶつかり、撃て。灯りを港へ連れ戻せ！");
  return image;
}

Look LookOf(const std::string& img) {
  if (img == name::kWisp) return Look::kWisp;
  if (img == name::kEmber) return Look::kEmber;
  if (img == name::kMoth) return Look::kMoth;
  if (img == name::kCrystal) return Look::kCrystal;
  if (img == name::kJelly) return Look::kJelly;
  if (img == name::kEclipse) return Look::kEclipse;
  if (img == name::kMaelstrom) return Look::kMaelstrom;
  if (img == name::kSpark) return Look::kEmber;
  if (img == name::kQueen) return Look::kQueen;
  if (img == name::kBell) return Look::kBell;
  return Look::kLumi;
}

// The enemies a stage brings, each kind once, in order of appearance.
std::vector<Look> Cast(const Stage& stage) {
  std::vector<Look> cast;
  for (const auto& turn : stage.turns)
    for (const Placement& p : turn) {
      const Look look = LookOf(p.kind->img);
      if (std::find(cast.begin(), cast.end(), look) == cast.end()) cast.push_back(look);
    }
  return cast;
}

// The stage's own field, dimmed, under its number and name and the enemies it brings.
Image IntroCard(const Stage& stage) {
  Image image = StageBackground(stage.number);
  FillRect(image, {0, 0, 640, 480}, Solid({6, 4, 16}), 0.55f);
  DrawText(image, "STAGE " + std::to_string(stage.number), 320, 70, Align::kCentre,
           GlowingStyle(60, {255, 248, 210}, {250, 170, 60}, {150, 60, 20}, 6));
  TwoLanguages(image, 320, 150, stage.title_en, stage.title_jp, 28);
  const std::vector<Look> cast = Cast(stage);
  const int left = 320 - static_cast<int>(cast.size()) * 40;
  for (size_t i = 0; i < cast.size(); ++i)
    image.PasteLit(CharacterFrame(cast[i], 0, 0, 64), left + 80 * static_cast<int>(i) + 8, 244);
  return image;
}

Image IntroHint(const Stage& stage) {
  Image image = PanelPicture(520, 96);
  TwoLanguages(image, 260, 12, stage.hint_en, stage.hint_jp, 16);
  const std::string facts = std::to_string(stage.turns.size()) + " waves / " +
                            std::to_string(stage.turns.size()) + "つの波    time / 時間 " +
                            std::to_string(stage.time);
  DrawText(image, facts, 260, 70, Align::kCentre, Style(13, {190, 200, 230}));
  return image;
}

Image Ending1() {
  Image image(640, 480);
  Sky(image, 240, 0.55f, 71);
  Moon(image, 320, 150, 44);
  Ring(image, 320, 150, 70, 4, {255, 230, 190}, 0.6f);
  Water(image, 240, 0.55f, 320, 72);
  LanternFleet(image, 240, 60, true, 73);
  Caption(image, 24, "The moon gate opens, and the tide spirits scatter.",
          "月の門が開き、潮の精は散っていった。");
  return image;
}

Image Ending2() {
  Image image(640, 480);
  Sky(image, 260, 0.9f, 81);
  Glow(image, 470, 260, 150, {255, 200, 120}, 0.8f);
  FillCircle(image, 470, 260, 36, Solid({255, 235, 190}));
  Water(image, 260, 0.9f, 470, 82);
  LanternFleet(image, 260, 50, true, 83);
  image.PasteLit(CharacterFrame(Look::kLumi, 0, 1, 64), 180, 300);
  Caption(image, 24, "The lanterns come home, and morning comes to the harbour.",
          "灯りは港へ帰り、朝が来た。");
  return image;
}

Image Ending3() {
  Image image(640, 480);
  Sky(image, 480, 0.7f, 91);
  Random r(92);
  for (int i = 0; i < 40; ++i)
    FloatingLantern(image, r.Range(20, 620), r.Range(150, 470), r.Range(0.4f, 1.2f), true);
  DrawText(image, "THANK YOU FOR PLAYING", 320, 40, Align::kCentre,
           GlowingStyle(40, {255, 250, 230}, {255, 190, 100}, {130, 60, 30}, 5));
  DrawText(image, "おしまい", 320, 96, Align::kCentre,
           GlowingStyle(30, {255, 240, 220}, {255, 200, 150}, {130, 60, 30}, 3));
  DrawText(image, "LANTERN DRIFT Ver.2", 320, 440, Align::kCentre, Style(16, {80, 50, 60}, true));
  return image;
}

// The last light gone out on dark water.
Image GameOver() {
  Image image(640, 480);
  Sky(image, 230, 0.0f, 101);
  Water(image, 230, 0.0f, 320, 102);
  FloatingLantern(image, 320, 340, 2.2f, false);
  for (int i = 0; i < 5; ++i)
    Line(image, {320.0f + i * 3, 300.0f - i * 18}, {326.0f - i * 2, 282.0f - i * 18}, 3,
         {110, 110, 130}, 0.5f);
  return image;
}

Image GameOverPanel() {
  Image image = PanelPicture(400, 120);
  DrawText(image, "GAME OVER", 200, 10, Align::kCentre,
           GlowingStyle(40, {255, 220, 230}, {200, 110, 200}, {90, 30, 80}, 4));
  TwoLanguages(image, 200, 62, "The light has gone out...", "ゲームオーバー　灯りが消えてしまった…",
               15);
  return image;
}

}  // namespace

void WriteScenePictures(const Pack& pack) {
  pack.DitheredPicture(name::Opening(1), Opening1());
  pack.DitheredPicture(name::kStoryPanel, StoryPanel());
  pack.DitheredPicture(name::Opening(2), Opening2());
  pack.DitheredPicture(name::Opening(3), Opening3());
  for (const Stage& stage : Stages()) {
    pack.DitheredPicture(name::IntroCard(stage.number), IntroCard(stage));
    pack.DitheredPicture(name::IntroHint(stage.number), IntroHint(stage));
  }
  pack.DitheredPicture(name::Ending(1), Ending1());
  pack.DitheredPicture(name::Ending(2), Ending2());
  pack.DitheredPicture(name::Ending(3), Ending3());
  pack.DitheredPicture(name::kGameOver, GameOver());
  pack.DitheredPicture(name::kGameOverPanel, GameOverPanel());
}
