#include "content/sound_block.h"

#include <string>

#include "content/game_params.h"
#include "content/tagged_text.h"
#include "library/sound/el_sound.h"

namespace {

struct SoundKey {
  const char* key;
  int SoundRoles::*role;
};

constexpr SoundKey kSoundKeys[] = {
    {"ok:", &SoundRoles::ok},
    {"cancel:", &SoundRoles::cancel},
    {"select:", &SoundRoles::select},
    {"crash_wall:", &SoundRoles::crash_wall},
    {"crash_char:", &SoundRoles::crash_char},
    {"crash_obj:", &SoundRoles::crash_obj},
    {"shot:", &SoundRoles::shot},
    {"shot_miss:", &SoundRoles::shot_miss},
    {"shot_hit:", &SoundRoles::shot_hit},
    {"bomb:", &SoundRoles::bomb},
};

constexpr int kMix = 3;

bool AnyRoleHolds(int object) {
  for (const SoundKey& k : kSoundKeys)
    if (g_sound_role.*k.role == object) return true;
  return false;
}

void Replace(int SoundRoles::*role, int object) {
  const int old = g_sound_role.*role;
  g_sound_role.*role = object;
  // Releasing what no role plays keeps long play inside the 70-object table.
  if (!AnyRoleHolds(old)) g_sound.ReleaseObject(old);
}

}  // namespace

std::optional<SoundLine> ReadSoundLine(TaggedText& text) {
  for (const SoundKey& k : kSoundKeys)
    if (text.Block(k.key)) return SoundLine{k.role, std::string(text.Value())};
  return std::nullopt;
}

std::vector<std::string> SoundKeys() {
  std::vector<std::string> keys;
  for (const SoundKey& k : kSoundKeys) keys.push_back(k.key);
  return keys;
}

void ApplySoundLine(const SoundLine& line) {
  Replace(line.role, g_sound.LoadObject(line.name, kMix));
}
