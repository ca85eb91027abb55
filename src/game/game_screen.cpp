#include "game/game_screen.h"

#include <algorithm>
#include <cstdint>

#include "game/digits.h"
#include "game/extras.h"
#include "game/game_math.h"
#include "game/tables.h"
#include "library/draw/el_draw.h"
#include "scene/scene_state.h"

namespace {

constexpr int kScoreMax = 99999999;
constexpr int kTimeMax = 999;
// Icons from x 20 in steps of 22: only the first 29 are on the screen.
constexpr int kStockIconsOnScreen = 29;

void DrawObjects() {
  for (int k = 0; k < ObjectCount(); ++k) {
    const StageObject& o = g_objects[k];
    if (o.present != 1) continue;
    const int64_t sx = (g_state.blink == 1 && o.animation == 1) ? o.size_x : 0;
    g_draw.DrawObject(o.x, o.y, o.img, Saturate(sx), 0, Saturate(sx + o.size_x), o.size_y);
  }
}

void DrawCharacter(const Character& c) {
  const int x = Trunc(c.x), y = Trunc(c.y);
  const int64_t w = c.size_x, h = c.size_y;
  if (c.state == STATE_EXPLODING) {
    const int64_t sx = c.bom_img * w;
    g_draw.DrawObject(x, y, c.img, Saturate(sx), Saturate(h), Saturate(sx + w), Saturate(2 * h));
    return;
  }
  const int64_t sx = c.facing * w;
  if (c.state == STATE_PROTECTED || DrawnDim(c)) {
    g_draw.DrawObjectHalf(x, y, c.img, Saturate(sx), 0, Saturate(sx + w), Saturate(h));
  } else if (c.state == STATE_ACTIVE) {
    const int64_t shift = (g_state.blink == 1 && c.animation == 1) ? 128 : 0;
    g_draw.DrawObject(x, y, c.img, Saturate(sx + shift), 0, Saturate(sx + w + shift), Saturate(h));
  }
}

// The trail fades towards its end; the head is drawn last, opaque.
void DrawShot() {
  const Shot& s = g_game.shot;
  if (s.state != SHOT_FLYING) return;
  const int n = ShadowCount();
  const int img = g_param.SHOT_IMG, w = g_param.SHOT_SIZE_X, h = g_param.SHOT_SIZE_Y;
  for (int i = n - 1; i >= 1; --i) {
    const float weight = static_cast<float>(n - i) / static_cast<float>(n);
    g_draw.DrawObjectAlpha(Trunc(s.x[i]), Trunc(s.y[i]), weight, img, 0, 0, w, h);
  }
  g_draw.DrawObject(Trunc(s.x[0]), Trunc(s.y[0]), img, 0, 0, w, h);
}

// No wider than the gauge picture, empty at 0 hit points or below.
int GaugeWidth() {
  const int hp = std::max(g_chars[0].hp, 0);
  const int gage = g_stage.GAGE;
  if (gage < 0 || gage >= elDraw::kObjects) return hp;
  return std::min(hp, static_cast<int>(g_draw.Slot(gage).width));
}

void DrawNumber(int value, int n, int x) {
  int digits[8] = {};
  SplitDigits(value, digits, n);
  for (int k = 0; k < n; ++k) {
    const int d = digits[k];
    g_draw.DrawObjectOpaque(x + 9 * k, 7, g_stage.FONT, 9 * d + 1, 1, 9 * d + 9, 19);
  }
}

void DrawHud() {
  g_draw.DrawObjectOpaque(0, 0, g_stage.GAGE_BASE, 0, 0, 639, 32);
  g_draw.DrawObjectOpaque(10, 7, g_stage.GAGE, 0, 0, GaugeWidth(), 19);
  DrawNumber(std::clamp(g_game.score, 0, kScoreMax), 8, 555);
  DrawNumber(std::clamp(g_stage.INIT_TIME, 0, kTimeMax), 3, 424);
  const int icons = std::min(g_game.stock, kStockIconsOnScreen);
  for (int i = 0; i < icons; ++i)
    g_draw.DrawObject(20 + 22 * i, 455, g_param.STOCK_IMG, 0, 0, 15, 15);
  DrawBossBar();
}

}  // namespace

void DrawGameScreen() {
  g_draw.DrawObjectOpaque(0, 0, g_stage.BG, 0, 0, 640, 480);
  DrawObjects();
  for (int i = 0; i < CharCount(); ++i)
    if (!HiddenByBlink(i)) DrawCharacter(g_chars[i]);
  DrawShot();
  DrawHud();
  ShakeFrame();
  if (g_state.fps_display == 1) g_draw.DrawFps();
}
