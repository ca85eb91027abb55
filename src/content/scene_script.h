// Scene scripts: the table of ten scene records that every script fills, and its reader.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "content/tagged_text.h"

constexpr int MAX_SCENE = 10;

enum BgmAction { BGM_STOP = 0, BGM_PLAY = 1, BGM_KEEP = 2 };

struct SceneRecord {
  int img = 0;
  int bgm_action = BGM_STOP;
  std::string bgm;
  std::string bgm_named_at;  // "file:line" of the "bgm:" line, for messages
  std::string bgm_line;      // that line as the file spells it
  int wait = 0;              // milliseconds; 0: until Enter
  int fade_in = 0;
  int fade_out = 0;
  int img_save = 0;
  int has_img = 0;
  int fade_time = 0;
  int fade_interval = 0;
  float fade_level = 0.0f;
  int x = 0, y = 0, w = 0, h = 0;
};

// The values that "SCENE:" gives a record; an empty scene has them too.
SceneRecord SceneDefaults(const SceneRecord& kept);

// Shared by all scripts: a record keeps what an earlier script left until a script names it.
extern std::array<SceneRecord, MAX_SCENE> g_scene_table;

// "MAX_SCENE:", 0 to 10.
struct SceneCount {
  int count;
};
// "SCENE:", 0 to 9.
struct OpenScene {
  int scene;
};
// A scene block line: the key's number and the value as the line gives it.
struct SceneLine {
  int scene;
  int key;
  std::string value;
};

// A scene number or count outside its range, or a fade of fewer than one step,
// is a warning: the game leaves the scene out, clamps the count, fades in one step.
using SceneFile = Parsed<std::variant<SceneCount, OpenScene, SceneLine>>;

SceneFile ReadSceneScript(std::string_view bytes, const std::string& file);
// The data file at name (relative to the current directory).
SceneFile ReadSceneScriptAt(const std::string& name);

// What applying a script did.
struct SceneScript {
  int count = 0;                        // "MAX_SCENE:", 0 to 10
  std::array<bool, MAX_SCENE> named{};  // the records this script filled
  std::vector<int> pictures;            // every picture its "img:" lines loaded
};

// Fills the scene table and loads the pictures, in file order.
SceneScript ApplySceneScript(const SceneFile& file);

std::vector<NamedFile> NamedFiles(const SceneFile& file);
std::vector<KnownKeys> SceneScriptKeys();

// Back to the state at program start (tests).
void ResetSceneTable();
