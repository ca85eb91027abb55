#include "content/scene_script.h"

#include <algorithm>
#include <optional>

#include "content/content_reader.h"
#include "library/draw/el_draw.h"
#include "library/system/failure.h"
#include "library/system/file_lookup.h"
#include "library/system/text_values.h"

std::array<SceneRecord, MAX_SCENE> g_scene_table;

namespace {

constexpr int kOrdinary = elDraw::kOrdinary;
constexpr int kSystemMemory = elDraw::kSystemMemory;

// Applying scene lines: the script's result so far and the record of the open scene.
struct Applier {
  SceneScript script;
  SceneRecord* scene = nullptr;
};

void LoadPicture(Applier& a, std::string_view name) {
  SceneRecord& s = *a.scene;
  const int mode = s.fade_in == 1 || s.fade_out == 1 ? kSystemMemory : kOrdinary;
  s.img = g_draw.LoadObject(std::string(name), mode);
  s.has_img = 1;
  if (s.img != 0) a.script.pictures.push_back(s.img);
}

struct SceneKey {
  const char* key;
  ValueKind value;
  void (*apply)(Applier&, std::string_view);
};

constexpr SceneKey kSceneKeys[] = {
    {"bgm:", ValueKind::kText,
     [](Applier& a, std::string_view v) {
       a.scene->bgm = v;
       a.scene->bgm_action = BGM_PLAY;
     }},
    {"img:", ValueKind::kText, LoadPicture},
    {"bgm_stop:", ValueKind::kFlag,
     [](Applier& a, std::string_view) { a.scene->bgm_action = BGM_STOP; }},
    {"wait:", ValueKind::kInt, [](Applier& a, std::string_view v) { a.scene->wait = ToInt(v); }},
    {"fade_in:", ValueKind::kFlag,
     [](Applier& a, std::string_view) {
       a.scene->fade_level = 0.0f;
       a.scene->fade_in = 1;
     }},
    {"fade_out:", ValueKind::kFlag, [](Applier& a, std::string_view) { a.scene->fade_out = 1; }},
    {"img_save:", ValueKind::kFlag, [](Applier& a, std::string_view) { a.scene->img_save = 1; }},
    {"fade_time:", ValueKind::kInt,
     [](Applier& a, std::string_view v) { a.scene->fade_time = ToInt(v); }},
    {"fade_interval:", ValueKind::kInt,
     [](Applier& a, std::string_view v) { a.scene->fade_interval = ToInt(v); }},
    {"xy:", ValueKind::kIntQuad,
     [](Applier& a, std::string_view v) {
       const std::array<int, 4> q = IntQuad(v);
       a.scene->x = q[0];
       a.scene->y = q[1];
       a.scene->w = q[2];
       a.scene->h = q[3];
     }},
};
constexpr int kSceneBgm = 0;
constexpr int kSceneImg = 1;
constexpr int kSceneBgmStop = 2;
constexpr int kSceneFadeSteps = 8;
static_assert(std::string_view(kSceneKeys[kSceneBgmStop].key) == "bgm_stop:");
static_assert(std::string_view(kSceneKeys[kSceneFadeSteps].key) == "fade_interval:");
static_assert(std::string_view(kSceneKeys[kSceneImg].key) == "img:");

using Reader = ContentReader<SceneFile, int, -1>;  // block: the open scene's record

// The player takes a fade of fewer than one step as one step.
void CheckFadeSteps(Reader& r, std::string_view value) {
  const int steps = ToInt(value);
  if (steps < 1)
    Warn(r, "fade_interval " + std::to_string(steps) +
                " is below 1; the game fades in one step; give 1 or more");
}

void ReadSceneLine(Reader& r) {
  bool known = false;
  for (size_t k = 0; k < std::size(kSceneKeys); ++k) {
    if (!r.text.Block(kSceneKeys[k].key)) continue;
    known = true;
    CheckValue(r, kSceneKeys[k].key, kSceneKeys[k].value);
    if (static_cast<int>(k) == kSceneFadeSteps) CheckFadeSteps(r, r.text.Value());
    r.Add(SceneLine{r.block, static_cast<int>(k), std::string(r.text.Value())});
  }
  if (!known && !r.text.IsDirective()) WarnUnknown(r, KeysOf(kSceneKeys), "a #SCENE: block");
}

std::optional<ContentError> ReadCount(Reader& r) {
  const int count = IntValue(r);
  const int kept = std::clamp(count, 0, MAX_SCENE);
  if (count != kept)
    Warn(r, "MAX_SCENE " + std::to_string(count) + " is outside 0..10; the game takes it as " +
                std::to_string(kept) + "; give 0 to 10");
  r.Add(SceneCount{kept});
  return std::nullopt;
}

std::optional<ContentError> ReadScene(Reader& r) {
  const int n = IntValue(r);
  if (n < 0 || n >= MAX_SCENE) {
    Warn(r, "SCENE: " + std::to_string(n) +
                " is outside 0..9; the game leaves out this scene's lines; number scenes 0 to 9");
    r.left_out = true;
    return std::nullopt;
  }
  r.Add(OpenScene{n});
  r.block = n;
  return std::nullopt;
}

// A scene script refuses nothing: what the game tolerates are warnings.
constexpr Directive<Reader> kDirectives[] = {
    {"MAX_SCENE:", ReadCount},
    {"SCENE:", ReadScene},
};

}  // namespace

SceneRecord SceneDefaults(const SceneRecord& kept) {
  SceneRecord s;
  s.img = kept.img;
  s.bgm = kept.bgm;
  s.bgm_named_at = kept.bgm_named_at;
  s.bgm_line = kept.bgm_line;
  s.wait = kept.wait;
  s.bgm_action = BGM_KEEP;
  s.fade_time = 1000;
  s.fade_interval = 10;
  s.fade_level = 1.0f;
  s.w = 640;
  s.h = 480;
  return s;
}

SceneFile ReadSceneScript(std::string_view bytes, const std::string& file) {
  Reader r(bytes, file);
  return ReadLines(r, kDirectives, ReadSceneLine);
}

std::vector<KnownKeys> SceneScriptKeys() {
  return {{"Scene script: directives", KeysOf(kDirectives, "#")},
          {"Scene script: #SCENE: block", KeysOf(kSceneKeys)}};
}

SceneFile ReadSceneScriptAt(const std::string& name) {
  return ReadPath(DataFile(name), ReadSceneScript);
}

SceneScript ApplySceneScript(const SceneFile& file) {
  Applier a;
  for (const SceneFile::Line& l : file.lines) {
    if (const auto* c = std::get_if<SceneCount>(&l.effect)) a.script.count = c->count;
    if (const auto* o = std::get_if<OpenScene>(&l.effect)) {
      const size_t n = static_cast<size_t>(o->scene);
      g_scene_table[n] = SceneDefaults(g_scene_table[n]);
      a.script.named[n] = true;
      a.scene = &g_scene_table[n];
    }
    if (const auto* s = std::get_if<SceneLine>(&l.effect)) {
      a.scene = &g_scene_table[static_cast<size_t>(s->scene)];
      const LoadSource source(Where(file.file, l.line), l.written);
      kSceneKeys[s->key].apply(a, s->value);
      if (s->key == kSceneBgm) {
        a.scene->bgm_named_at = Where(file.file, l.line);
        a.scene->bgm_line = l.written;
      }
    }
  }
  return a.script;
}

// Every picture is loaded as its line is read; music only by a scene that
// plays, from the last music line after its "SCENE:".
std::vector<NamedFile> NamedFiles(const SceneFile& file) {
  std::vector<NamedFile> named;
  std::array<std::optional<NamedFile>, MAX_SCENE> music;
  int count = 0;
  for (const SceneFile::Line& l : file.lines) {
    if (const auto* c = std::get_if<SceneCount>(&l.effect)) count = c->count;
    if (const auto* o = std::get_if<OpenScene>(&l.effect))
      music[static_cast<size_t>(o->scene)].reset();
    const auto* s = std::get_if<SceneLine>(&l.effect);
    if (s == nullptr) continue;
    if (s->key == kSceneImg) named.push_back({l.line, NamedFile::kPicture, s->value});
    std::optional<NamedFile>& m = music[static_cast<size_t>(s->scene)];
    if (s->key == kSceneBgm) m = NamedFile{l.line, NamedFile::kMusic, s->value};
    if (s->key == kSceneBgmStop) m.reset();
  }
  for (int n = 0; n < count; ++n)
    if (music[static_cast<size_t>(n)]) named.push_back(*music[static_cast<size_t>(n)]);
  return named;
}

void ResetSceneTable() { g_scene_table.fill(SceneRecord()); }
