#include "content/game_params.h"

GameParams g_param;
SoundRoles g_sound_role;

void ResetGameParams() {
  g_param = GameParams();
  g_sound_role = SoundRoles();
}
