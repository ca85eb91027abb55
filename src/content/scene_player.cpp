#include "content/scene_player.h"

#include <algorithm>

#include "content/scene_script.h"
#include "library/draw/el_draw.h"
#include "library/sound/music.h"
#include "library/system/el_system.h"
#include "library/system/failure.h"
#include "scene/scene_state.h"

namespace {

constexpr int kSceneWait = 1;
constexpr int kFadeWait = 2;

struct Player {
  bool running = false;
  int current = 0;
  SceneScript script;
  SceneRecord empty;  // stands in for a record that this script did not name
};

Player g_player;

SceneRecord& Current() {
  const size_t k = static_cast<size_t>(g_player.current);
  return g_player.script.named[k] ? g_scene_table[k] : g_player.empty;
}

// A fade of 0 or fewer steps would divide by zero; it takes one step.
int FadeSteps(const SceneRecord& s) { return std::max(s.fade_interval, 1); }

void StartScene() {
  const SceneRecord& s = Current();
  g_system.InitWait(kSceneWait);
  if (s.wait != 0) g_system.SetWait(kSceneWait, static_cast<uint32_t>(s.wait));
  g_system.InitWait(kFadeWait);
  if (s.fade_in == 1)
    g_system.SetWait(kFadeWait, static_cast<uint32_t>(s.fade_time / FadeSteps(s)));
  if (s.bgm_action == BGM_STOP) StopMusic();
  if (s.bgm_action == BGM_PLAY) {
    const LoadSource source(s.bgm_named_at, s.bgm_line);
    PlayMusic(s.bgm, 1);
  }
}

void ReleasePictures() {
  for (int handle : g_player.script.pictures) g_draw.ReleaseObject(handle);
  g_player.script.pictures.clear();
  g_player.running = false;
}

// false when the script has no scene to play.
bool Begin(const std::string& path) {
  ReleasePictures();
  const SceneFile file = ReadSceneScriptAt(path);
  // A script that cannot be opened is no error: it has no scenes.
  PrintErrors(file.warnings);
  g_player.script = ApplySceneScript(file);
  if (g_player.script.count == 0) {
    ReleasePictures();
    return false;
  }
  g_player.current = 0;
  g_player.empty = SceneDefaults(SceneRecord());
  g_player.running = true;
  g_draw.ClearScreen();
  StartScene();
  return true;
}

void Draw(const SceneRecord& s, void (*overlay)()) {
  if (s.img_save == 0) g_draw.ClearScreen();
  if (s.has_img == 1 && s.fade_in == 0) g_draw.DrawObject(s.x, s.y, s.img, 0, 0, s.w, s.h);
  if (s.has_img == 1 && s.fade_in == 1)
    g_draw.DrawObjectAlpha(s.x, s.y, s.fade_level, s.img, 0, 0, s.w, s.h);
  if (overlay != nullptr) overlay();
  if (g_state.fps_display == 1) g_draw.DrawFps();
  g_draw.Present();
}

void FadeStep(SceneRecord& s) {
  if (g_system.CheckWait(kFadeWait) == 0 || s.fade_in != 1) return;
  s.fade_level = s.fade_level + 1.0f / static_cast<float>(FadeSteps(s));
  if (s.fade_level < 1.0f) {
    g_system.SetWait(kFadeWait, static_cast<uint32_t>(s.fade_time / FadeSteps(s)));
  } else {
    g_system.InitWait(kFadeWait);
    s.fade_in = 0;
  }
}

// false when the script has ended.
bool Advance(SceneRecord& s) {
  if (g_system.CheckWait(kSceneWait) == 0 && g_state.select != 1) return true;
  g_state.select = 0;
  s.fade_in = 0;
  if (++g_player.current >= g_player.script.count) {
    ReleasePictures();
    return false;
  }
  StartScene();
  return true;
}

}  // namespace

int PlaySceneScript(const std::string& path, void (*overlay)()) {
  if (g_state.scene_entry == 1 && !Begin(path)) return 0;
  if (!g_player.running) return 0;
  SceneRecord& s = Current();
  Draw(s, overlay);
  FadeStep(s);
  return Advance(s) ? 1 : 0;
}

void AbandonSceneScript() { ReleasePictures(); }

void ResetScenePlayer() {
  g_player = Player();
  ResetSceneTable();
}
