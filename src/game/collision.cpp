#include "game/collision.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>

#include "game/game_math.h"
#include "game/shot.h"
#include "game/sound_pan.h"
#include "game/tables.h"
#include "library/sound/el_sound.h"

namespace {

struct Span {
  int from, to;  // both included
};

constexpr float kLeft = 32.0f, kRight = 608.0f, kTop = 32.0f, kBottom = 448.0f;

// Speeds are read truncated and unsigned; a shift by 4 divides by 16.
int Speed(float v) { return AbsSat(Trunc(v)); }

void Bounce(float& v, int& hp, int pan) {
  g_sound.PlayObject(g_sound_role.crash_wall, -1, pan);
  v = -(v * g_stage.STAGE_HARD);
  AddSat(hp, -(Speed(v) >> 4));
}

void Walls(Character& c) {
  if (c.x < kLeft) {
    c.x = kLeft;
    Bounce(c.vx, c.hp, PanOf(c));
  }
  if (c.x + static_cast<float>(c.size_x) > kRight) {
    c.x = static_cast<float>(608 - int64_t{c.size_x});
    Bounce(c.vx, c.hp, PanOf(c));
  }
  if (c.y < kTop) {
    c.y = kTop;
    Bounce(c.vy, c.hp, PanOf(c));
  }
  if (c.y + static_cast<float>(c.size_y) > kBottom) {
    c.y = static_cast<float>(448 - int64_t{c.size_y});
    Bounce(c.vy, c.hp, PanOf(c));
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
  g_sound.PlayObject(g_sound_role.crash_char, -1, (PanOf(ci) + PanOf(cj)) / 2);
  ShareAxis(i, j, ci.vx, cj.vx, side_x);
  ShareAxis(i, j, ci.vy, cj.vy, side_y);
}

// Where each character's box lies, packed so that one character is tested
// against all the others in vector lanes. Places, sizes and who is active do
// not change while characters meet, so the tests can all run first.
struct Boxes {
  std::array<float, MAX_CHARACTERS> x, y, x_end, y_end;  // ends as Side computes them
  std::array<uint8_t, MAX_CHARACTERS> active;
};

// Characters from n on stay inactive, so that every test runs over the whole table.
Boxes PackBoxes(int n) {
  Boxes b{};
  for (int i = 0; i < n; ++i) {
    const Character& c = g_chars[i];
    const auto k = static_cast<size_t>(i);
    b.x[k] = c.x;
    b.y[k] = c.y;
    b.x_end[k] = c.x + static_cast<float>(c.size_x) - 3.0f;
    b.y_end[k] = c.y + static_cast<float>(c.size_y) - 3.0f;
    b.active[k] = c.state == STATE_ACTIVE ? 1 : 0;
  }
  return b;
}

// Which active characters overlap character i: Side's tests on both axes,
// evaluated whole and without branches over a fixed count, so that they run in lanes.
void Overlaps(const Boxes& b, size_t i, std::array<uint8_t, MAX_CHARACTERS>& meets) {
  const float x = b.x[i], y = b.y[i], x_end = b.x_end[i], y_end = b.y_end[i];
  for (size_t j = 0; j < MAX_CHARACTERS; ++j) {
    const bool on_x = ((x < b.x[j]) & (b.x[j] < x_end)) | ((b.x[j] <= x) & (x < b.x_end[j]));
    const bool on_y = ((y <= b.y[j]) & (b.y[j] < y_end)) | ((b.y[j] < y) & (y < b.y_end[j]));
    meets[j] = static_cast<uint8_t>(b.active[j] & static_cast<uint8_t>(on_x & on_y));
  }
}

// Most characters meet no one: eight flags are skipped at once.
bool NoneOfEight(const std::array<uint8_t, MAX_CHARACTERS>& flags, int from) {
  uint64_t word = 0;
  std::memcpy(&word, flags.data() + from, sizeof word);
  return word == 0;
}

// act(k) for each k from `from` up to n whose flag is set, in order.
template <typename Act>
void EachFlagged(const std::array<uint8_t, MAX_CHARACTERS>& flags, int from, int n, Act act) {
  for (int k = from; k < n; ++k) {
    if (k % 8 == 0 && NoneOfEight(flags, k))
      k += 7;
    else if (flags[static_cast<size_t>(k)] != 0)
      act(k);
  }
}

// Each pair of active characters once, the lower number first: a pair whose
// first member was active has been met from that side already. A meeting
// changes speeds and hit points, never who is active.
void Pairs() {
  const int n = CharCount();
  const Boxes boxes = PackBoxes(n);
  std::array<uint8_t, MAX_CHARACTERS> meets{};
  for (int i = 0; i < n; ++i) {
    if (boxes.active[static_cast<size_t>(i)] == 0) continue;
    Overlaps(boxes, static_cast<size_t>(i), meets);
    EachFlagged(meets, i + 1, n, [i](int j) { PairWith(i, j); });
  }
}

// The whole numbers strictly between centre - size + 3 and centre + size - 3,
// the test's bounds on one axis; none when no int lies there.
std::optional<Span> Inside(int centre, int size) {
  const int64_t from = int64_t{centre} - size + 4, to = int64_t{centre} + size - 4;
  if (from > to || from > INT_MAX || to < INT_MIN) return std::nullopt;
  return Span{static_cast<int>(std::max<int64_t>(from, INT_MIN)),
              static_cast<int>(std::min<int64_t>(to, INT_MAX))};
}

// Sends v away from the object's corner at its own truncated speed.
void AwayFrom(int edge, float pos, float& v) {
  if (static_cast<float>(edge) < pos)
    v = static_cast<float>(Speed(v));
  else if (static_cast<float>(edge) > pos)
    v = -static_cast<float>(Speed(v));
}

void HitObject(const StageObject& o, Character& c) {
  g_sound.PlayObject(g_sound_role.crash_obj, -1, PanOf(c));
  AwayFrom(o.x, c.x, c.vx);
  AwayFrom(o.y, c.y, c.vy);
  const int64_t s = ((int64_t{Speed(c.vx)} + Speed(c.vy)) >> 1) >> 4;
  AddSat(c.hp, -int64_t{Trunc(o.hard * static_cast<float>(s))});
}

// Where each character stands, truncated once: a hit changes speeds and hit
// points, never places or who is in play.
struct Places {
  std::array<int, MAX_CHARACTERS> x{}, y{};
  std::array<uint8_t, MAX_CHARACTERS> in_play{};  // none from the count on
};

Places PackPlaces(int n) {
  Places p;
  for (int i = 0; i < n; ++i) {
    const auto k = static_cast<size_t>(i);
    p.x[k] = Trunc(g_chars[i].x);
    p.y[k] = Trunc(g_chars[i].y);
    p.in_play[k] = InPlay(g_chars[i]) ? 1 : 0;
  }
  return p;
}

// Which characters an object touches, over the whole table and without branches.
void Touching(const Places& p, Span x, Span y, std::array<uint8_t, MAX_CHARACTERS>& touches) {
  for (size_t i = 0; i < MAX_CHARACTERS; ++i) {
    const bool inside =
        (p.x[i] >= x.from) & (p.x[i] <= x.to) & (p.y[i] >= y.from) & (p.y[i] <= y.to);
    touches[i] = static_cast<uint8_t>(p.in_play[i] & static_cast<uint8_t>(inside));
  }
}

void Objects() {
  const int n = CharCount();
  const Places places = PackPlaces(n);
  std::array<uint8_t, MAX_CHARACTERS> touches{};
  for (int k = 0; k < ObjectCount(); ++k) {
    const StageObject& o = g_objects[k];
    if (o.present != 1 || o.on != 0) continue;
    const std::optional<Span> x = Inside(o.x, o.size_x), y = Inside(o.y, o.size_y);
    if (!x || !y) continue;
    Touching(places, *x, *y, touches);
    EachFlagged(touches, 0, n, [&o](int i) { HitObject(o, g_chars[i]); });
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
