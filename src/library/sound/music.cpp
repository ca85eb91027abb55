#include "library/sound/music.h"

#include <cstdio>
#include <set>

#include "library/system/failure.h"
#include "library/system/file_lookup.h"
#include "platform/midi_file.h"
#include "platform/platform.h"

MusicState g_music;

namespace {
std::set<std::string> g_said;  // each missing piece is said once, not at every loop of a menu
}  // namespace

void ResetMusicState() {
  g_music = MusicState();
  g_said.clear();
}

namespace {

void Send(const std::string& command) { platform::Get().SendMusicCommand(command, nullptr); }

void PlayFromStart() {
  Send("seek midi to start");
  Send("play midi notify");
}

// The game plays on without music, as the command results are not checked;
// a file that is no music is said on standard error.
void SayIfNoMusic(const std::string& file, const std::string& path) {
  std::string why;
  if (platform::ReadMidiFile(path, &why)) return;
  const std::string line = WithLoadSource(ShownName(file) + ": " + why + "; playing without music");
  if (g_said.insert(line).second) std::fprintf(stderr, "lantern-drift: %s\n", line.c_str());
}

}  // namespace

void PlayMusic(const std::string& file, int loop) {
  const std::string path = ProgramFile(file);
  const std::string open = "open \"" + path + "\" type sequencer alias midi";
  if (g_music.playing == 1) StopMusic();
  // A stage that names no music opens the bare folder: nothing to say.
  if (platform::Get().SendMusicCommand(open, nullptr) != 0 && !file.empty())
    SayIfNoMusic(file, path);
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
