#include "library/sound/music.h"

#include "library/system/el_system.h"
#include "platform/platform.h"

MusicState g_music;

void ResetMusicState() { g_music = MusicState(); }

namespace {

void Send(const std::string& command) { platform::Get().SendMusicCommand(command, nullptr); }

void PlayFromStart() {
  Send("seek midi to start");
  Send("play midi notify");
}

}  // namespace

void PlayMusic(const std::string& file, int loop) {
  const std::string open = "open \"" + ProgramFile(file) + "\" type sequencer alias midi";
  if (g_music.playing == 1) StopMusic();
  Send(open);
  PlayFromStart();
  g_music.playing = 1;
  g_music.loop = loop;
}

void ReplayMusic() {
  if (g_music.loop == 1)
    PlayFromStart();
  else
    StopMusic();
}

void StopMusic() {
  if (g_music.playing != 1) return;
  Send("stop midi");
  Send("close midi");
  g_music.playing = 0;
}

void MusicReset() {
  g_music.playing = 0;
  g_music.loop = 1;
}
