#include "library/sound/music.h"

MusicState g_music;

void PlayMusic(const std::string&, int) {}
void ReplayMusic() {}
void StopMusic() {}
void MusicReset() {
  g_music.playing = 0;
  g_music.loop = 1;
}
