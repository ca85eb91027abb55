// MIDI background music through the media-control command strings.
#pragma once

#include <string>

struct MusicState {
  int playing = 0;
  int loop = 1;
};

extern MusicState g_music;

void PlayMusic(const std::string& file, int loop);
void ReplayMusic();
void StopMusic();
void MusicReset();
// Back to the state before the display set-up.
void ResetMusicState();
