#include "content/stage_file.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "content/game_params.h"
#include "content/shot_shadow.h"
#include "content/sound_block.h"
#include "content/stage_data.h"
#include "content/tagged_text.h"
#include "library/draw/el_draw.h"
#include "library/system/text_values.h"
#include "scene/boxes.h"
#include "scene/scene_state.h"

namespace {

constexpr int kOrdinary = elDraw::kOrdinary;
constexpr int kSystemMemory = elDraw::kSystemMemory;
// The explosion timers are wait slots 5 to 10: six per turn, the player included.
constexpr int kTurnLimit = 6;

enum class Block { kNone, kSound, kEnemy, kObject };

struct Reader {
  explicit Reader(const std::string& path) : text(path) {}
  TaggedText text;
  Block block = Block::kNone;
  int entry = 0;  // the character or stage object that the open block fills
  std::array<int, MAX_CHARACTERS> enemy_line{};  // where this file's "ENEMY:" of each entry stands
};

int Picture(std::string_view name, int mode) { return g_draw.LoadObject(std::string(name), mode); }

struct EnemyKey {
  const char* key;
  void (*apply)(Character&, std::string_view);
};

constexpr EnemyKey kEnemyKeys[] = {
    {"img:", [](Character& c, std::string_view v) { c.img = Picture(v, kOrdinary); }},
    {"hp:", [](Character& c, std::string_view v) { c.hp = c.init_hp = ToInt(v); }},
    {"xy:",
     [](Character& c, std::string_view v) {
       const std::array<float, 2> xy = RealPair(v, CommaScan::kFirstByte);
       c.x = xy[0];
       c.y = xy[1];
     }},
    {"axy:",
     [](Character& c, std::string_view v) {
       const std::array<int, 2> axy = IntPair(v, CommaScan::kSecondByte);
       c.ax = axy[0];
       c.ay = axy[1];
     }},
    {"max:", [](Character& c, std::string_view v) { c.max = ToInt(v); }},
    {"attack:", [](Character& c, std::string_view v) { c.attack = ToInt(v); }},
    {"hard:", [](Character& c, std::string_view v) { c.hard = ToReal(v); }},
    {"size_x:", [](Character& c, std::string_view v) { c.size_x = ToInt(v); }},
    {"size_y:", [](Character& c, std::string_view v) { c.size_y = ToInt(v); }},
    {"ai:", [](Character& c, std::string_view v) { c.ai = ToInt(v); }},
    {"score:", [](Character& c, std::string_view v) { c.score = ToInt(v); }},
    {"bom_last_img:", [](Character& c, std::string_view v) { c.bom_last_img = ToInt(v); }},
    {"animation:", [](Character& c, std::string_view) { c.animation = 1; }},
    {"turn:",
     [](Character& c, std::string_view v) {
       c.turn = ToInt(v);
       if (c.turn != 0) c.state = STATE_WAITING;
     }},
};

struct ObjectKey {
  const char* key;
  void (*apply)(StageObject&, std::string_view);
};

constexpr ObjectKey kObjectKeys[] = {
    {"img:", [](StageObject& o, std::string_view v) { o.img = Picture(v, kOrdinary); }},
    {"xy:",
     [](StageObject& o, std::string_view v) {
       const std::array<int, 2> xy = IntPair(v, CommaScan::kSecondByte);
       o.x = xy[0];
       o.y = xy[1];
     }},
    {"hard:", [](StageObject& o, std::string_view v) { o.hard = ToReal(v); }},
    {"size_x:", [](StageObject& o, std::string_view v) { o.size_x = ToInt(v); }},
    {"size_y:", [](StageObject& o, std::string_view v) { o.size_y = ToInt(v); }},
    {"animation:", [](StageObject& o, std::string_view) { o.animation = 1; }},
    {"on:", [](StageObject& o, std::string_view) { o.on = 1; }},
};

template <typename Record, typename Key, size_t N>
void ReadBlockLine(TaggedText& text, Record& record, const Key (&keys)[N]) {
  for (const Key& k : keys) {
    if (!text.Block(k.key)) continue;
    k.apply(record, text.Value());
    return;
  }
}

// false: the file is refused.
using Apply = bool (*)(Reader&);

// An entry number or a count from the file, checked against its table.
bool InRange(const Reader& r, const char* what, int value, int low, int high) {
  if (value >= low && value <= high) return true;
  r.text.Complain(std::string(what) + " " + std::to_string(value) + " is outside " +
                  std::to_string(low) + ".." + std::to_string(high));
  return false;
}

bool OpenEnemy(Reader& r) {
  const int n = ToInt(r.text.Value());
  if (!InRange(r, "ENEMY:", n, 0, MAX_CHARACTERS - 1)) return false;
  Character& c = g_chars[static_cast<size_t>(n)];
  c.facing = 0;
  c.animation = 0;
  c.vy = c.vx = 0.0f;
  c.move_down = c.move_right = c.move_up = c.move_left = 0;
  c.state = STATE_ACTIVE;
  r.block = Block::kEnemy;
  r.entry = n;
  r.enemy_line[static_cast<size_t>(n)] = r.text.LineNumber();
  return true;
}

bool OpenObject(Reader& r) {
  const int n = ToInt(r.text.Value());
  if (!InRange(r, "OBJECT:", n, 0, MAX_OBJECTS - 1)) return false;
  StageObject& o = g_objects[static_cast<size_t>(n)];
  o.animation = 0;
  o.present = 1;
  o.hard = 1.0f;
  o.on = 0;
  r.block = Block::kObject;
  r.entry = n;
  return true;
}

bool SetEnemyNumber(Reader& r) {
  const int n = ToInt(r.text.Value());
  if (!InRange(r, "ENEMY_NUMBER", n, 0, MAX_CHARACTERS)) return false;
  g_stage.ENEMY_NUMBER = n;
  return true;
}

bool SetObjectNumber(Reader& r) {
  const int n = ToInt(r.text.Value());
  if (!InRange(r, "OBJECT_NUMBER", n, 0, MAX_OBJECTS)) return false;
  g_stage.OBJECT_NUMBER = n;
  return true;
}

bool OpenSound(Reader& r) {
  r.block = Block::kSound;
  return true;
}

bool Accept(Reader&) { return true; }

template <int StageHeader::*field>
bool SetStageInt(Reader& r) {
  g_stage.*field = ToInt(r.text.Value());
  return true;
}

template <int StageHeader::*field, int mode>
bool LoadStagePicture(Reader& r) {
  g_stage.*field = Picture(r.text.Value(), mode);
  return true;
}

template <int GameParams::*field>
bool SetParam(Reader& r) {
  g_param.*field = ToInt(r.text.Value());
  return true;
}

bool SetStageHard(Reader& r) {
  g_stage.STAGE_HARD = ToReal(r.text.Value());
  return true;
}

bool SetBgm(Reader& r) {
  const std::string_view name = r.text.Value().substr(0, sizeof g_stage.BGM - 1);
  std::memcpy(g_stage.BGM, name.data(), name.size());
  g_stage.BGM[name.size()] = '\0';
  return true;
}

bool SetClearBonus(Reader& r) {
  g_stage.clear_bonus_flag = 1;
  g_stage.CLEAR_BONUS = ToInt(r.text.Value());
  return true;
}

bool SetShotShadow(Reader& r) { return ReadShotShadow(r.text); }

struct Directive {
  const char* key;
  Apply apply;
};

constexpr Directive kDirectives[] = {
    {"STAGE_NAME:", Accept},
    {"SOUND:", OpenSound},
    {"MAX_TURN:", SetStageInt<&StageHeader::MAX_TURN>},
    {"STAGE_HARD:", SetStageHard},
    {"BG:", LoadStagePicture<&StageHeader::BG, kOrdinary>},
    {"BGM:", SetBgm},
    {"ENEMY_NUMBER:", SetEnemyNumber},
    {"OBJECT_NUMBER:", SetObjectNumber},
    {"INIT_TIME:", SetStageInt<&StageHeader::INIT_TIME>},
    {"ENEMY:", OpenEnemy},
    {"OBJECT:", OpenObject},
    {"GAGE:", LoadStagePicture<&StageHeader::GAGE, kOrdinary>},
    {"GAGE_BASE:", LoadStagePicture<&StageHeader::GAGE_BASE, kOrdinary>},
    {"FONT:", LoadStagePicture<&StageHeader::FONT, kOrdinary>},
    {"STAGE_CLEAR:", LoadStagePicture<&StageHeader::STAGE_CLEAR, kSystemMemory>},
    {"SHOT_DAMAGE:", SetParam<&GameParams::SHOT_DAMAGE>},
    {"SHOT_SPEED:", SetParam<&GameParams::SHOT_SPEED>},
    {"SHOT_REACTION:", SetParam<&GameParams::SHOT_REACTION>},
    {"SHOT_SHADOW:", SetShotShadow},
    {"SHOT_IMG:", Accept},
    {"SHOT_SIZE_X:", SetParam<&GameParams::SHOT_SIZE_X>},
    {"SHOT_SIZE_Y:", SetParam<&GameParams::SHOT_SIZE_Y>},
    {"SHOT_SCORE:", SetParam<&GameParams::SHOT_SCORE>},
    {"SHOT_INTERVAL:", SetParam<&GameParams::SHOT_INTERVAL>},
    {"SHOT_TIMER:", SetParam<&GameParams::SHOT_TIMER>},
    {"CLEAR_BONUS:", SetClearBonus},
    {"STOCK_IMG:", Accept},
    {"BLINK_TIME:", SetParam<&GameParams::BLINK_TIME>},
};

bool ApplyDirective(Reader& r) {
  for (const Directive& d : kDirectives) {
    if (!r.text.Directive(d.key)) continue;
    r.block = Block::kNone;
    return d.apply(r);
  }
  return true;
}

// false: the file is refused.
bool ReadLines(Reader& r) {
  while (r.text.Next()) {
    const size_t entry = static_cast<size_t>(r.entry);
    if (r.block == Block::kObject) ReadBlockLine(r.text, g_objects[entry], kObjectKeys);
    if (r.block == Block::kSound) ReadSoundLine(r.text);
    if (r.block == Block::kEnemy) ReadBlockLine(r.text, g_chars[entry], kEnemyKeys);
    if (r.text.IsDirective() && !ApplyDirective(r)) return false;
  }
  return true;
}

// The player takes part in every turn, so a turn holds it and its own enemies.
bool TurnsFit(const Reader& r) {
  for (int i = 1; i < g_stage.ENEMY_NUMBER; ++i) {
    const int turn = g_chars[static_cast<size_t>(i)].turn;
    int held = 1;
    for (int j = 1; j <= i; ++j)
      if (g_chars[static_cast<size_t>(j)].turn == turn) ++held;
    if (held > kTurnLimit) {
      r.text.Complain("ENEMY: " + std::to_string(i) + " makes turn " + std::to_string(turn) +
                          " hold more than six characters, the player included",
                      r.enemy_line[static_cast<size_t>(i)]);
      return false;
    }
  }
  return true;
}

void Fail() {
  ShowMessage("データが読み込めませんでした。");
  g_state.exit_code = 1;
  QuitGame();
}

}  // namespace

void ReadStageFile(const std::string& path) {
  g_stage.clear_bonus_flag = 0;
  g_stage.ENEMY_NUMBER = 1;
  g_stage.OBJECT_NUMBER = 0;
  Reader r(path);
  if (!r.text.IsOpen()) {
    r.text.Complain("cannot open the file");
    return Fail();
  }
  if (ReadLines(r) && TurnsFit(r)) return;
  // The rest of this frame then touches none of the refused data.
  g_stage.ENEMY_NUMBER = 0;
  g_stage.OBJECT_NUMBER = 0;
  Fail();
}
