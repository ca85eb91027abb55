#include "content/stage_file.h"

#include <cstring>

#include "content/content_reader.h"
#include "library/draw/el_draw.h"
#include "library/draw/message_box.h"
#include "library/system/el_system.h"
#include "library/system/text_values.h"

namespace {

constexpr int kOrdinary = elDraw::kOrdinary;
constexpr int kSystemMemory = elDraw::kSystemMemory;
// The explosion timers are wait slots 5 to 10: six per turn, the player included.
constexpr int kTurnLimit = 6;

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
    {"boss:", [](Character& c, std::string_view v) { c.boss = ToInt(v) != 0 ? 1 : 0; }},
};
constexpr int kEnemyImg = 0;
constexpr int kEnemyTurn = 13;
static_assert(std::string_view(kEnemyKeys[kEnemyTurn].key) == "turn:");

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
  const int n = ToInt(r.text.Value());
  if (auto error = OutOfRange(r, "ENEMY:", n, 0, MAX_CHARACTERS - 1)) return error;
  r.Add(OpenEnemy{n});
  r.block = Block::kEnemy;
  r.entry = n;
  return std::nullopt;
}

std::optional<ContentError> ReadObject(Reader& r) {
  const int n = ToInt(r.text.Value());
  if (auto error = OutOfRange(r, "OBJECT:", n, 0, MAX_OBJECTS - 1)) return error;
  r.Add(OpenObject{n});
  r.block = Block::kObject;
  r.entry = n;
  return std::nullopt;
}

template <int StageHeader::*field, int high>
std::optional<ContentError> SetCount(Reader& r) {
  const int n = ToInt(r.text.Value());
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
  r.Add(StageValue{field, ToInt(r.text.Value())});
  return std::nullopt;
}

template <int StageHeader::*field, int mode>
std::optional<ContentError> LoadStagePicture(Reader& r) {
  r.Add(StagePicture{field, std::string(r.text.Value()), mode});
  return std::nullopt;
}

std::optional<ContentError> SetStageHard(Reader& r) {
  r.Add(StageHard{ToReal(r.text.Value())});
  return std::nullopt;
}

std::optional<ContentError> SetBgm(Reader& r) {
  r.Add(StageBgm{std::string(r.text.Value().substr(0, sizeof g_stage.BGM - 1))});
  return std::nullopt;
}

std::optional<ContentError> SetClearBonus(Reader& r) {
  r.Add(StageClearBonus{ToInt(r.text.Value())});
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
};

void ReadBlockLine(Reader& r) {
  if (r.block == Block::kObject) {
    const int key = BlockKey(r.text, kObjectKeys);
    if (key >= 0) r.Add(ObjectLine{r.entry, key, std::string(r.text.Value())});
  }
  if (r.block == Block::kSound) {
    if (std::optional<SoundLine> sound = ReadSoundLine(r.text)) r.Add(std::move(*sound));
  }
  if (r.block == Block::kEnemy) {
    const int key = BlockKey(r.text, kEnemyKeys);
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
  std::string where;  // the line applied
  void operator()(const ParamValue& v) const { g_param.*v.field = v.value; }
  void operator()(const SoundLine& s) const { ApplySoundLine(s); }
  void operator()(const StageValue& v) const { g_stage.*v.field = v.value; }
  void operator()(const StagePicture& p) const { g_stage.*p.field = Picture(p.name, p.mode); }
  void operator()(const StageHard& h) const { g_stage.STAGE_HARD = h.value; }
  void operator()(const StageBgm& b) const {
    std::memcpy(g_stage.BGM, b.name.data(), b.name.size());
    g_stage.BGM[b.name.size()] = '\0';
    g_stage.bgm_named_at = where;
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
};

}  // namespace

StageFile ReadStageFile(std::string_view bytes, const std::string& file) {
  Reader r(bytes, file);
  return ReadLines(r, kDirectives, ReadBlockLine);
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
    const LoadSource source(Where(file.file, l.line));
    std::visit(Applier{Where(file.file, l.line)}, l.effect);
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
