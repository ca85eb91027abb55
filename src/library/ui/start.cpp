#include "library/ui/start.h"

#include "library/draw/el_draw.h"
#include "library/input/input.h"
#include "library/sound/el_sound.h"
#include "library/sound/music.h"
#include "library/system/el_system.h"

int StartLibrary(int width, int height, int mode) {
  if (g_draw.Screen(width, height, mode) == 0) return 0;
  g_sound.InitSound();
  g_sound.ResetTable();
  MusicReset();
  g_system.ResetWaits();
  g_draw.AllocFontBlock();
  InitJoystick();
  return 1;
}
