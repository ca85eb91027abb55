#include "content/stage_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "content/content_reader.h"
#include "library/draw/el_draw.h"
#include "library/system/failure.h"
#include "library/system/file_lookup.h"
#include "library/system/text_values.h"

namespace {

constexpr int kOrdinary = elDraw::kOrdinary;
constexpr int kSystemMemory = elDraw::kSystemMemory;
// The explosion timers are wait slots 5 to 10: six per turn, the player included.
constexpr int kTurnLimit = 6;

int Picture(std::string_view name, int mode) { return g_draw.LoadObject(std::string(name), mode); }

struct EnemyKey {
  const char* key;
  ValueKind value;
  void (*apply)(Character&, std::string_view);
};

constexpr EnemyKey kEnemyKeys[] = {
    {"img:", ValueKind::kText,
     [](Character& c, std::string_view v) { c.img = Picture(v, kOrdinary); }},
    {"hp:", ValueKind::kInt, [](Character& c, std::string_view v) { c.hp = c.init_hp = ToInt(v); }},
    {"xy:", ValueKind::kRealPair,
     [](Character& c, std::string_view v) {
       const std::array<float, 2> xy = RealPair(v, CommaScan::kFirstByte);
       c.x = xy[0];
       c.y = xy[1];
     }},
    {"axy:", ValueKind::kIntPair,
     [](Character& c, std::string_view v) {
       const std::array<int, 2> axy = IntPair(v, CommaScan::kSecondByte);
       c.ax = axy[0];
       c.ay = axy[1];
     }},
    {"max:", ValueKind::kInt, [](Character& c, std::string_view v) { c.max = ToInt(v); }},
    {"attack:", ValueKind::kInt, [](Character& c, std::string_view v) { c.attack = ToInt(v); }},
    {"hard:", ValueKind::kReal, [](Character& c, std::string_view v) { c.hard = ToReal(v); }},
    {"size_x:", ValueKind::kInt, [](Character& c, std::string_view v) { c.size_x = ToInt(v); }},
    {"size_y:", ValueKind::kInt, [](Character& c, std::string_view v) { c.size_y = ToInt(v); }},
    {"ai:", ValueKind::kInt, [](Character& c, std::string_view v) { c.ai = ToInt(v); }},
    {"score:", ValueKind::kInt, [](Character& c, std::string_view v) { c.score = ToInt(v); }},
    {"bom_last_img:", ValueKind::kInt,
     [](Character& c, std::string_view v) { c.bom_last_img = ToInt(v); }},
    {"animation:", ValueKind::kFlag, [](Character& c, std::string_view) { c.animation = 1; }},
    {"turn:", ValueKind::kInt,
     [](Character& c, std::string_view v) {
       c.turn = ToInt(v);
       if (c.turn != 0) c.state = STATE_WAITING;
     }},
    {"boss:", ValueKind::kInt,
     [](Character& c, std::string_view v) { c.boss = ToInt(v) != 0 ? 1 : 0; }},
};
constexpr int kEnemyImg = 0;
constexpr int kEnemyAttack = 5;
constexpr int kEnemyTurn = 13;
static_assert(std::string_view(kEnemyKeys[kEnemyAttack].key) == "attack:");
static_assert(std::string_view(kEnemyKeys[kEnemyTurn].key) == "turn:");

struct ObjectKey {
  const char* key;
  ValueKind value;
  void (*apply)(StageObject&, std::string_view);
};

constexpr ObjectKey kObjectKeys[] = {
    {"img:", ValueKind::kText,
     [](StageObject& o, std::string_view v) { o.img = Picture(v, kOrdinary); }},
    {"xy:", ValueKind::kIntPair,
     [](StageObject& o, std::string_view v) {
       const std::array<int, 2> xy = IntPair(v, CommaScan::kSecondByte);
       o.x = xy[0];
       o.y = xy[1];
     }},
    {"hard:", ValueKind::kReal, [](StageObject& o, std::string_view v) { o.hard = ToReal(v); }},
    {"size_x:", ValueKind::kInt, [](StageObject& o, std::string_view v) { o.size_x = ToInt(v); }},
    {"size_y:", ValueKind::kInt, [](StageObject& o, std::string_view v) { o.size_y = ToInt(v); }},
    {"animation:", ValueKind::kFlag, [](StageObject& o, std::string_view) { o.animation = 1; }},
    {"on:", ValueKind::kFlag, [](StageObject& o, std::string_view) { o.on = 1; }},
};
constexpr int kObjectImg = 0;

enum class Block { kNone, kSound, kEnemy, kObject };

struct Reader : ContentReader<StageFile, Block, Block::kNone> {
  using ContentReader::ContentReader;
  int entry = 0;  // the character or stage object that the open block fills
};

// The number of the block key that the line starts with; -1 for none.
template <typename Key, size_t N>
int BlockKey(TaggedText& text, const Key (&keys)[N]) {
  for (size_t k = 0; k < N; ++k)
    if (text.Block(keys[k].key)) return static_cast<int>(k);
  return -1;
}

// An entry number or a count from the file, checked against its table.
std::optional<ContentError> OutOfRange(const Reader& r, const char* what, int value, int low,
                                       int high) {
  if (value >= low && value <= high) return std::nullopt;
  return r.text.Error(std::string(what) + " " + std::to_string(value) + " is outside " +
                      std::to_string(low) + ".." + std::to_string(high) +
                      "; the tables hold 64 characters and 64 stage objects");
}

std::optional<ContentError> ReadEnemy(Reader& r) {
  const int n = IntValue(r);
  if (auto error = OutOfRange(r, "ENEMY:", n, 0, MAX_CHARACTERS - 1)) return error;
  r.Add(OpenEnemy{n});
  r.block = Block::kEnemy;
  r.entry = n;
  return std::nullopt;
}

std::optional<ContentError> ReadObject(Reader& r) {
  const int n = IntValue(r);
  if (auto error = OutOfRange(r, "OBJECT:", n, 0, MAX_OBJECTS - 1)) return error;
  r.Add(OpenObject{n});
  r.block = Block::kObject;
  r.entry = n;
  return std::nullopt;
}

template <int StageHeader::*field, int high>
std::optional<ContentError> SetCount(Reader& r) {
  const int n = IntValue(r);
  const char* what = field == &StageHeader::ENEMY_NUMBER ? "ENEMY_NUMBER" : "OBJECT_NUMBER";
  if (auto error = OutOfRange(r, what, n, 0, high)) return error;
  r.Add(StageValue{field, n});
  return std::nullopt;
}

std::optional<ContentError> OpenSound(Reader& r) {
  r.block = Block::kSound;
  return std::nullopt;
}

std::optional<ContentError> Accept(Reader&) { return std::nullopt; }

template <int StageHeader::*field>
std::optional<ContentError> SetStageInt(Reader& r) {
  r.Add(StageValue{field, IntValue(r)});
  return std::nullopt;
}

template <int StageHeader::*field, int mode>
std::optional<ContentError> LoadStagePicture(Reader& r) {
  r.Add(StagePicture{field, std::string(r.text.Value()), mode});
  return std::nullopt;
}

std::optional<ContentError> SetStageHard(Reader& r) {
  r.Add(StageHard{RealValue(r)});
  return std::nullopt;
}

std::optional<ContentError> SetBgm(Reader& r) {
  r.Add(StageBgm{std::string(r.text.Value().substr(0, sizeof g_stage.BGM - 1))});
  return std::nullopt;
}

std::optional<ContentError> SetClearBonus(Reader& r) {
  r.Add(StageClearBonus{IntValue(r)});
  return std::nullopt;
}

template <bool hint>
std::optional<ContentError> SetCard(Reader& r) {
  r.Add(StageCard{hint, std::string(r.text.WrittenValue())});
  return std::nullopt;
}

constexpr Directive<Reader> kDirectives[] = {
    {"STAGE_NAME:", Accept},
    {"SOUND:", OpenSound},
    {"MAX_TURN:", SetStageInt<&StageHeader::MAX_TURN>},
    {"STAGE_HARD:", SetStageHard},
    {"BG:", LoadStagePicture<&StageHeader::BG, kOrdinary>},
    {"BGM:", SetBgm},
    {"ENEMY_NUMBER:", SetCount<&StageHeader::ENEMY_NUMBER, MAX_CHARACTERS>},
    {"OBJECT_NUMBER:", SetCount<&StageHeader::OBJECT_NUMBER, MAX_OBJECTS>},
    {"INIT_TIME:", SetStageInt<&StageHeader::INIT_TIME>},
    {"ENEMY:", ReadEnemy},
    {"OBJECT:", ReadObject},
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
    {"CARD_TITLE:", SetCard<false>, true},
    {"CARD_HINT:", SetCard<true>, true},
};

// The block key that the line starts with, its value checked; -1 for none.
template <typename Key, size_t N>
int CheckedBlockKey(Reader& r, const Key (&keys)[N], const char* where) {
  const int key = BlockKey(r.text, keys);
  if (key >= 0)
    CheckValue(r, keys[key].key, keys[key].value);
  else if (!r.text.IsDirective())
    WarnUnknown(r, KeysOf(keys), where);
  return key;
}

void ReadBlockLine(Reader& r) {
  if (r.block == Block::kObject) {
    const int key = CheckedBlockKey(r, kObjectKeys, "an #OBJECT: block");
    if (key >= 0) r.Add(ObjectLine{r.entry, key, std::string(r.text.Value())});
  }
  if (r.block == Block::kSound) {
    if (std::optional<SoundLine> sound = ReadSoundLine(r.text))
      r.Add(std::move(*sound));
    else if (!r.text.IsDirective())
      WarnUnknown(r, SoundKeys(), "the #SOUND: block");
  }
  if (r.block == Block::kEnemy) {
    const int key = CheckedBlockKey(r, kEnemyKeys, "an #ENEMY: block");
    if (key >= 0) r.Add(EnemyLine{r.entry, key, std::string(r.text.Value())});
  }
}

void ResetEnemy(Character& c) {
  c.facing = 0;
  c.animation = 0;
  c.vy = c.vx = 0.0f;
  c.move_down = c.move_right = c.move_up = c.move_left = 0;
  c.state = STATE_ACTIVE;
  c.boss = 0;  // ours, so no entry inherits it from an earlier stage
}

void ResetObject(StageObject& o) {
  o.animation = 0;
  o.present = 1;
  o.hard = 1.0f;
  o.on = 0;
}

size_t At(int entry) { return static_cast<size_t>(entry); }

struct Applier {
  std::string where;    // the line applied
  std::string written;  // and as the file spells it
  void operator()(const ParamValue& v) const { g_param.*v.field = v.value; }
  void operator()(const SoundLine& s) const { ApplySoundLine(s); }
  void operator()(const StageValue& v) const { g_stage.*v.field = v.value; }
  void operator()(const StagePicture& p) const { g_stage.*p.field = Picture(p.name, p.mode); }
  void operator()(const StageHard& h) const { g_stage.STAGE_HARD = h.value; }
  void operator()(const StageBgm& b) const {
    std::memcpy(g_stage.BGM, b.name.data(), b.name.size());
    g_stage.BGM[b.name.size()] = '\0';
    g_stage.bgm_named_at = where;
    g_stage.bgm_line = written;
  }
  void operator()(const StageClearBonus& b) const {
    g_stage.clear_bonus_flag = 1;
    g_stage.CLEAR_BONUS = b.value;
  }
  void operator()(const OpenEnemy& e) const { ResetEnemy(g_chars[At(e.entry)]); }
  void operator()(const OpenObject& o) const { ResetObject(g_objects[At(o.entry)]); }
  void operator()(const EnemyLine& l) const {
    kEnemyKeys[l.key].apply(g_chars[At(l.entry)], l.value);
  }
  void operator()(const ObjectLine& l) const {
    kObjectKeys[l.key].apply(g_objects[At(l.entry)], l.value);
  }
  void operator()(const StageCard&) const {}  // the introduction reads it
};

// The game keeps attack: and no rule reads it: one note a file.
void NoteUnusedKeys(StageFile& file) {
  std::vector<int> lines;
  for (const StageFile::Line& l : file.lines)
    if (const auto* e = std::get_if<EnemyLine>(&l.effect); e != nullptr && e->key == kEnemyAttack)
      lines.push_back(l.line);
  if (lines.empty()) return;
  ContentError& note = file.notes.emplace_back();
  note = {file.file, lines.front(),
          "attack: (on " + std::to_string(lines.size()) + (lines.size() == 1 ? " line" : " lines") +
              " of this file) is kept but no rule of the game uses it; the game plays the same "
              "without it"};
  note.note = true;
}

}  // namespace

StageFile ReadStageFile(std::string_view bytes, const std::string& file) {
  Reader r(bytes, file);
  StageFile parsed = ReadLines(r, kDirectives, ReadBlockLine);
  NoteUnusedKeys(parsed);
  return parsed;
}

std::vector<KnownKeys> StageFileKeys() {
  return {{"Stage file: directives", KeysOf(kDirectives, "#")},
          {"Stage file: #ENEMY: block", KeysOf(kEnemyKeys)},
          {"Stage file: #OBJECT: block", KeysOf(kObjectKeys)},
          {"Stage file: #SOUND: block", SoundKeys()}};
}

StageFile ReadStageFileAt(const std::string& name) {
  return ReadPath(DataFile(name), ReadStageFile);
}

// The player takes part in every turn, so a turn holds it and its own enemies.
std::optional<ContentError> CheckTurns(const StageFile& file,
                                       std::array<int, MAX_CHARACTERS>& turns) {
  int enemy_number = 1;
  std::array<int, MAX_CHARACTERS> enemy_line{};  // where this file's "ENEMY:" of each entry stands
  for (const StageFile::Line& l : file.lines) {
    if (const auto* v = std::get_if<StageValue>(&l.effect))
      if (v->field == &StageHeader::ENEMY_NUMBER) enemy_number = v->value;
    if (const auto* e = std::get_if<OpenEnemy>(&l.effect)) enemy_line[At(e->entry)] = l.line;
    if (const auto* e = std::get_if<EnemyLine>(&l.effect))
      if (e->key == kEnemyTurn) turns[At(e->entry)] = ToInt(e->value);
  }
  for (int i = 1; i < enemy_number; ++i) {
    const int turn = turns[At(i)];
    int held = 1;
    for (int j = 1; j <= i; ++j)
      if (turns[At(j)] == turn) ++held;
    if (held > kTurnLimit)
      return ContentError{file.file, enemy_line[At(i)],
                          "ENEMY: " + std::to_string(i) + " makes turn " + std::to_string(turn) +
                              " hold more than six characters, the player included; move it to "
                              "another turn"};
  }
  return std::nullopt;
}

std::optional<ContentError> ApplyStageFile(const StageFile& file) {
  g_stage.clear_bonus_flag = 0;
  g_stage.ENEMY_NUMBER = 1;
  g_stage.OBJECT_NUMBER = 0;
  if (!file.opened) return file.errors.front();
  std::array<int, MAX_CHARACTERS> turns{};
  for (size_t i = 0; i < turns.size(); ++i) turns[i] = g_chars[i].turn;
  for (const StageFile::Line& l : file.lines) {
    if (!file.BeforeRefusal(l.line)) break;
    const LoadSource source(Where(file.file, l.line), l.written);
    std::visit(Applier{Where(file.file, l.line), l.written}, l.effect);
  }
  std::optional<ContentError> refusal;
  if (!file.errors.empty()) refusal = file.errors.front();
  if (!refusal) refusal = CheckTurns(file, turns);
  if (refusal) {
    // The rest of this frame then touches none of the refused data.
    g_stage.ENEMY_NUMBER = 0;
    g_stage.OBJECT_NUMBER = 0;
  }
  return refusal;
}

namespace {

// Where a stage file gives its counts, entries and turns.
struct StageLines {
  int enemies = 1, objects = 0;
  int enemies_at = 0, objects_at = 0, max_turn_at = 0, time_at = 0;
  std::array<int, MAX_CHARACTERS> enemy_at{}, turn_at{};  // first "ENEMY:", last "turn:"
  std::array<int, MAX_OBJECTS> object_at{};
};

StageLines Lines(const StageFile& file, StageCarry& carry) {
  StageLines s;
  for (const StageFile::Line& l : file.lines) {
    if (const auto* v = std::get_if<StageValue>(&l.effect)) {
      if (v->field == &StageHeader::ENEMY_NUMBER) s.enemies = v->value, s.enemies_at = l.line;
      if (v->field == &StageHeader::OBJECT_NUMBER) s.objects = v->value, s.objects_at = l.line;
      if (v->field == &StageHeader::MAX_TURN) carry.max_turn = v->value, s.max_turn_at = l.line;
      if (v->field == &StageHeader::INIT_TIME) carry.init_time = v->value, s.time_at = l.line;
    }
    if (const auto* e = std::get_if<OpenEnemy>(&l.effect))
      if (s.enemy_at[At(e->entry)] == 0) s.enemy_at[At(e->entry)] = l.line;
    if (const auto* o = std::get_if<OpenObject>(&l.effect))
      if (s.object_at[At(o->entry)] == 0) s.object_at[At(o->entry)] = l.line;
    if (const auto* e = std::get_if<EnemyLine>(&l.effect))
      if (e->key == kEnemyTurn) s.turn_at[At(e->entry)] = l.line;
  }
  return s;
}

// "ENEMY: 5 is not in play ..." for each given entry at or past the count;
// one warning for the entries in play that the file does not give.
template <size_t N>
void CountWarnings(const std::string& what, const std::string& count, int n, int count_at,
                   const std::array<int, N>& given_at, std::vector<ContentError>& w,
                   const std::string& file) {
  std::string missing;
  for (size_t e = 0; e < N; ++e) {
    const std::string entry = std::to_string(e);
    if (given_at[e] != 0 && static_cast<int>(e) >= n)
      w.push_back({file, given_at[e],
                   what + " " + entry + " is not in play: " + count + " is " + std::to_string(n) +
                       "; the game leaves it out; raise " + count + " to " + std::to_string(e + 1) +
                       " or remove it",
                   true});
    if (given_at[e] == 0 && static_cast<int>(e) < n)
      missing += (missing.empty() ? "" : ", ") + entry;
  }
  if (!missing.empty())
    w.push_back({file, count_at,
                 count + " " + std::to_string(n) + " brings in " + missing +
                     ", which this file does not give; the game plays what an earlier stage "
                     "left there; give each its " +
                     what + " block or lower " + count,
                 true});
}

}  // namespace

std::vector<ContentError> PlayWarnings(const StageFile& file, StageCarry& carry) {
  std::vector<ContentError> w;
  const StageLines s = Lines(file, carry);
  CountWarnings("#ENEMY:", "ENEMY_NUMBER", s.enemies, s.enemies_at, s.enemy_at, w, file.file);
  CountWarnings("#OBJECT:", "OBJECT_NUMBER", s.objects, s.objects_at, s.object_at, w, file.file);
  const int turns = std::max(carry.max_turn, 1);  // turn 0 is played whatever MAX_TURN says
  for (int e = 1; e < std::min(s.enemies, MAX_CHARACTERS); ++e) {
    const int turn = carry.turns[At(e)];
    if (s.enemy_at[At(e)] == 0 || (turn >= 0 && turn < turns)) continue;
    const int at = s.turn_at[At(e)] != 0 ? s.turn_at[At(e)] : s.enemy_at[At(e)];
    const std::string said = "#ENEMY: " + std::to_string(e) + " waits for turn " +
                             std::to_string(turn) + ", which never comes: ";
    w.push_back({file.file, at,
                 turn < 0 ? said + "turns count from 0; the game never brings it in"
                          : said + "with MAX_TURN " + std::to_string(carry.max_turn) +
                                " the stage ends after turn " + std::to_string(turns - 1) +
                                " and the game never brings it in; raise MAX_TURN to " +
                                std::to_string(turn + 1),
                 true});
  }
  if (carry.init_time < kSecondsPerTurn * static_cast<int64_t>(turns))
    w.push_back({file.file, s.time_at != 0 ? s.time_at : s.max_turn_at,
                 "INIT_TIME " + std::to_string(carry.init_time) + " gives less than " +
                     std::to_string(kSecondsPerTurn) + " seconds to each of the stage's " +
                     std::to_string(turns) +
                     " turns; the game is over when the time runs out; give at least " +
                     std::to_string(kSecondsPerTurn * static_cast<int64_t>(turns)),
                 true});
  return w;
}

std::vector<NamedFile> NamedFiles(const StageFile& file) {
  std::vector<NamedFile> named;
  for (const StageFile::Line& l : file.lines) {
    if (const auto* p = std::get_if<StagePicture>(&l.effect))
      named.push_back({l.line, NamedFile::kPicture, p->name});
    if (const auto* s = std::get_if<SoundLine>(&l.effect))
      named.push_back({l.line, NamedFile::kWave, s->name});
    // Only the last "BGM:" is played.
    if (const auto* b = std::get_if<StageBgm>(&l.effect)) {
      std::erase_if(named, [](const NamedFile& f) { return f.kind == NamedFile::kMusic; });
      named.push_back({l.line, NamedFile::kMusic, b->name});
    }
    const auto* e = std::get_if<EnemyLine>(&l.effect);
    if (e != nullptr && e->key == kEnemyImg)
      named.push_back({l.line, NamedFile::kPicture, e->value});
    const auto* o = std::get_if<ObjectLine>(&l.effect);
    if (o != nullptr && o->key == kObjectImg)
      named.push_back({l.line, NamedFile::kPicture, o->value});
  }
  return named;
}
