// The scene script's reader on arbitrary bytes: scene numbers and the count stay inside the table.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "content/scene_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const SceneFile file = ReadSceneScript({reinterpret_cast<const char*>(data), size}, "demo.dat");
  for (const SceneFile::Line& l : file.lines) {
    if (const auto* c = std::get_if<SceneCount>(&l.effect);
        c && (c->count < 0 || c->count > MAX_SCENE))
      std::abort();
    if (const auto* o = std::get_if<OpenScene>(&l.effect);
        o && (o->scene < 0 || o->scene >= MAX_SCENE))
      std::abort();
    if (const auto* s = std::get_if<SceneLine>(&l.effect);
        s && (s->scene < 0 || s->scene >= MAX_SCENE))
      std::abort();
  }
  NamedFiles(file);
  return 0;
}
