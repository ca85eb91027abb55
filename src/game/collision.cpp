#include "game/collision.h"

#include <array>
#include <cstdint>

#include "game/game_math.h"
#include "game/shot.h"
#include "game/tables.h"
#include "library/sound/el_sound.h"

namespace {

constexpr float kLeft = 32.0f, kRight = 608.0f, kTop = 32.0f, kBottom = 448.0f;

// Speeds are read truncated and unsigned; a shift by 4 divides by 16.
int Speed(float v) { return AbsSat(Trunc(v)); }

void Bounce(float& v, int& hp) {
  g_sound.PlayObject(g_sound_role.crash_wall, -1);
  v = -(v * g_stage.STAGE_HARD);
  AddSat(hp, -(Speed(v) >> 4));
}

void Walls(Character& c) {
  if (c.x < kLeft) {
    c.x = kLeft;
    Bounce(c.vx, c.hp);
  }
  if (c.x + static_cast<float>(c.size_x) > kRight) {
    c.x = static_cast<float>(608 - int64_t{c.size_x});
    Bounce(c.vx, c.hp);
  }
  if (c.y < kTop) {
    c.y = kTop;
    Bounce(c.vy, c.hp);
  }
  if (c.y + static_cast<float>(c.size_y) > kBottom) {
    c.y = static_cast<float>(448 - int64_t{c.size_y});
    Bounce(c.vy, c.hp);
  }
}

// -1 when a lies before b on the axis, +1 after it, 0 without overlap.
int Side(float a, int size_a, float b, int size_b, bool a_first_strict) {
  const bool before = a_first_strict ? a < b : a <= b;
  const bool after = a_first_strict ? b <= a : b < a;
  if (before && b < a + static_cast<float>(size_a) - 3.0f) return -1;
  if (after && a < b + static_cast<float>(size_b) - 3.0f) return 1;
  return 0;
}

// Shares the axis speed: both fly apart at the mean of their speeds.
void ShareAxis(int i, int j, float& vi, float& vj, int side) {
  const int a = Speed(vi), b = Speed(vj);
  ImpactDamage(i, j, a, b);
  const float s = static_cast<float>((static_cast<double>(a) + b) / 2.0);
  vi = static_cast<float>(side) * s;
  vj = -static_cast<float>(side) * s;
}

void PairWith(int i, int j) {
  Character& ci = g_chars[i];
  Character& cj = g_chars[j];
  const int side_x = Side(ci.x, ci.size_x, cj.x, cj.size_x, true);
  if (side_x == 0) return;
  const int side_y = Side(ci.y, ci.size_y, cj.y, cj.size_y, false);
  if (side_y == 0) return;
  g_sound.PlayObject(g_sound_role.crash_char, -1);
  ShareAxis(i, j, ci.vx, cj.vx, side_x);
  ShareAxis(i, j, ci.vy, cj.vy, side_y);
}

// Each pair of active characters once, the lower number first: a pair whose
// first member was active has been met from that side already. A meeting
// changes speeds and hit points, never who is active.
void Pairs() {
  const int n = CharCount();
  for (int i = 0; i < n; ++i) {
    if (g_chars[i].state != STATE_ACTIVE) continue;
    for (int j = i + 1; j < n; ++j)
      if (g_chars[j].state == STATE_ACTIVE) PairWith(i, j);
  }
}

// Only the object's size enters the test, on both sides.
bool Touches(const StageObject& o, int x, int y) {
  return int64_t{o.x} - o.size_x + 3 < x && x < int64_t{o.x} + o.size_x - 3 &&
         int64_t{o.y} - o.size_y + 3 < y && y < int64_t{o.y} + o.size_y - 3;
}

// Sends v away from the object's corner at its own truncated speed.
void AwayFrom(int edge, float pos, float& v) {
  if (static_cast<float>(edge) < pos) v = static_cast<float>(Speed(v));
  else if (static_cast<float>(edge) > pos) v = -static_cast<float>(Speed(v));
}

void HitObject(const StageObject& o, Character& c) {
  g_sound.PlayObject(g_sound_role.crash_obj, -1);
  AwayFrom(o.x, c.x, c.vx);
  AwayFrom(o.y, c.y, c.vy);
  const int64_t s = ((int64_t{Speed(c.vx)} + Speed(c.vy)) >> 1) >> 4;
  AddSat(c.hp, -int64_t{Trunc(o.hard * static_cast<float>(s))});
}

// A hit changes speeds and hit points, not places: each character's place is
// truncated once, not once for every object.
void Objects() {
  struct Place {
    int x, y;
  };
  std::array<Place, MAX_CHARACTERS> at;
  const int n = CharCount();
  for (int i = 0; i < n; ++i) at[static_cast<size_t>(i)] = {Trunc(g_chars[i].x), Trunc(g_chars[i].y)};
  for (int k = 0; k < ObjectCount(); ++k) {
    const StageObject& o = g_objects[k];
    if (o.present != 1 || o.on != 0) continue;
    for (int i = 0; i < n; ++i) {
      Character& c = g_chars[i];
      const Place& p = at[static_cast<size_t>(i)];
      if (InPlay(c) && Touches(o, p.x, p.y)) HitObject(o, c);
    }
  }
}

}  // namespace

void ImpactDamage(int i, int j, int a, int b) {
  const float base = static_cast<float>(Trunc((static_cast<double>(a) + b) / 2.0) >> 4);
  AddSat(g_chars[i].hp, -int64_t{Trunc(g_chars[j].hard * base)});
  AddSat(g_chars[j].hp, -int64_t{Trunc(g_chars[i].hard * base)});
}

void Collisions() {
  for (int i = 0; i < CharCount(); ++i)
    if (InPlay(g_chars[i])) Walls(g_chars[i]);
  Pairs();
  Objects();
  CheckShotLeaving();
  CheckShotHits();
}
