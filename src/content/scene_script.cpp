#include "content/scene_script.h"

#include <algorithm>

#include "content/tagged_text.h"
#include "library/draw/el_draw.h"
#include "library/system/text_values.h"

std::array<SceneRecord, MAX_SCENE> g_scene_table;

namespace {

constexpr int kOrdinary = elDraw::kOrdinary;
constexpr int kSystemMemory = elDraw::kSystemMemory;

struct Reader {
  explicit Reader(const std::string& path) : text(path) {}
  TaggedText text;
  SceneScript script;
  SceneRecord* scene = nullptr;  // the open scene block's record
};

void LoadPicture(Reader& r) {
  SceneRecord& s = *r.scene;
  const int mode = s.fade_in == 1 || s.fade_out == 1 ? kSystemMemory : kOrdinary;
  s.img = g_draw.LoadObject(std::string(r.text.Value()), mode);
  s.has_img = 1;
  if (s.img != 0) r.script.pictures.push_back(s.img);
}

void ReadSceneLine(Reader& r) {
  SceneRecord& s = *r.scene;
  TaggedText& t = r.text;
  if (t.Block("bgm:")) {
    s.bgm = t.Value();
    s.bgm_action = BGM_PLAY;
  }
  if (t.Block("img:")) LoadPicture(r);
  if (t.Block("bgm_stop:")) s.bgm_action = BGM_STOP;
  if (t.Block("wait:")) s.wait = ToInt(t.Value());
  if (t.Block("fade_in:")) {
    s.fade_level = 0.0f;
    s.fade_in = 1;
  }
  if (t.Block("fade_out:")) s.fade_out = 1;
  if (t.Block("img_save:")) s.img_save = 1;
  if (t.Block("fade_time:")) s.fade_time = ToInt(t.Value());
  if (t.Block("fade_interval:")) s.fade_interval = ToInt(t.Value());
  if (t.Block("xy:")) {
    const std::array<int, 4> q = IntQuad(t.Value());
    s.x = q[0];
    s.y = q[1];
    s.w = q[2];
    s.h = q[3];
  }
}

void SetCount(Reader& r) {
  const int count = ToInt(r.text.Value());
  r.script.count = std::clamp(count, 0, MAX_SCENE);
  if (count != r.script.count) r.text.Complain("MAX_SCENE is limited to 0..10");
}

void OpenScene(Reader& r) {
  const int n = ToInt(r.text.Value());
  if (n < 0 || n >= MAX_SCENE) {
    r.text.Complain("SCENE: " + std::to_string(n) + " is outside 0..9; the scene is ignored");
    return;
  }
  SceneRecord& s = g_scene_table[static_cast<size_t>(n)];
  s = SceneDefaults(s);
  r.script.named[static_cast<size_t>(n)] = true;
  r.scene = &s;
}

void ReadDirective(Reader& r) {
  if (r.text.Directive("MAX_SCENE:")) {
    r.scene = nullptr;
    SetCount(r);
  } else if (r.text.Directive("SCENE:")) {
    r.scene = nullptr;
    OpenScene(r);
  }
}

}  // namespace

SceneRecord SceneDefaults(const SceneRecord& kept) {
  SceneRecord s;
  s.img = kept.img;
  s.bgm = kept.bgm;
  s.wait = kept.wait;
  s.bgm_action = BGM_KEEP;
  s.fade_time = 1000;
  s.fade_interval = 10;
  s.fade_level = 1.0f;
  s.w = 640;
  s.h = 480;
  return s;
}

SceneScript ReadSceneScript(const std::string& path) {
  Reader r(path);
  while (r.text.Next()) {
    if (r.scene != nullptr) ReadSceneLine(r);
    if (r.text.IsDirective()) ReadDirective(r);
  }
  return r.script;
}

void ResetSceneTable() { g_scene_table.fill(SceneRecord()); }
