#include "game/defeat.h"

#include <cstdint>

#include "game/game_math.h"
#include "game/sound_pan.h"
#include "game/tables.h"
#include "library/sound/el_sound.h"
#include "library/system/el_system.h"

namespace {

constexpr uint32_t kExplosionStep = 120;
constexpr float kRevivalX = 320.0f, kRevivalY = 240.0f;

// The k-th character of the current turn times its explosion on slot 5 + k.
int ExplosionSlot(int k) { return 5 + k; }

void Defeat(Character& c, int slot) {
  g_sound.PlayObject(g_sound_role.bomb, -1, PanOf(c));
  c.bom_img = 0;
  c.state = STATE_EXPLODING;
  g_system.SetWait(slot, kExplosionStep);
}

void RevivePlayer(Character& p, int slot) {
  p.hp = p.init_hp;
  p.state = STATE_REVIVING;
  p.vx = p.vy = 0.0f;
  p.x = kRevivalX;
  p.y = kRevivalY;
  g_game.stock -= 1;
  g_system.InitWait(slot);
  g_system.SetWait(1, static_cast<uint32_t>(g_param.RIVIVAL_TIME));
}

void EndExplosion(int i, int slot) {
  Character& c = g_chars[i];
  if (i == 0 && g_game.stock > 0) {
    RevivePlayer(c, slot);
    return;
  }
  if (i != 0) AddSat(g_game.score, c.score);
  c.state = STATE_GONE;
  g_system.InitWait(slot);
}

void StepExplosion(int i, int slot) {
  Character& c = g_chars[i];
  c.bom_img += 1;
  if (c.bom_img < c.bom_last_img) {
    g_system.InitWait(slot);
    g_system.SetWait(slot, kExplosionStep);
    return;
  }
  EndExplosion(i, slot);
}

// p.x - e.size_x + 3 < e.x < p.x + p.size_x - 3, and the same on y.
bool Overlaps(const Character& p, const Character& e) {
  return p.x - static_cast<float>(e.size_x) + 3.0f < e.x &&
         e.x < p.x + static_cast<float>(p.size_x) - 3.0f &&
         p.y - static_cast<float>(e.size_y) + 3.0f < e.y &&
         e.y < p.y + static_cast<float>(p.size_y) - 3.0f;
}

bool PlayerClear() {
  for (int i = 1; i < CharCount(); ++i)
    if (g_chars[i].state == STATE_ACTIVE && Overlaps(g_chars[0], g_chars[i])) return false;
  return true;
}

bool TurnHasEnemies() {
  for (int i = 1; i < CharCount(); ++i)
    if (g_chars[i].turn == g_game.turn && g_chars[i].state != STATE_GONE) return true;
  return false;
}

void StartTurn() {
  for (int i = 0; i < CharCount(); ++i)
    if (g_chars[i].turn == g_game.turn) g_chars[i].state = STATE_ACTIVE;
  g_chars[0].turn = g_game.turn;
}

}  // namespace

void DefeatAndExplode() {
  int k = 0;
  for (int i = 0; i < CharCount(); ++i) {
    Character& c = g_chars[i];
    if (c.turn != g_game.turn) continue;
    if (c.state == STATE_ACTIVE && c.hp <= 0) Defeat(c, ExplosionSlot(k));
    ++k;
  }
  k = 0;
  for (int i = 0; i < CharCount(); ++i) {
    const Character& c = g_chars[i];
    if (c.turn != g_game.turn) continue;
    if (c.state == STATE_EXPLODING && g_system.CheckWait(ExplosionSlot(k)) == 1)
      StepExplosion(i, ExplosionSlot(k));
    ++k;
  }
}

void RevivalStep() {
  Character& p = g_chars[0];
  if (p.state == STATE_REVIVING) {
    g_system.InitWait(1);
    g_system.SetWait(1, static_cast<uint32_t>(g_param.SPECIAL_TIME));
    p.state = STATE_PROTECTED;
  } else if (p.state == STATE_PROTECTED && PlayerClear()) {
    p.state = STATE_ACTIVE;
    g_system.InitWait(1);
  }
}

int TurnCheck() {
  if (g_chars[0].state == STATE_GONE || g_stage.INIT_TIME < 1) return 0;
  if (TurnHasEnemies()) return 1;
  AddSat(g_game.turn, 1);
  if (g_game.turn < g_stage.MAX_TURN) {
    StartTurn();
    return 1;
  }
  return 2;
}
