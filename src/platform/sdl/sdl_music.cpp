#include "platform/sdl/sdl_music.h"

#include <SDL_mixer.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/file_bytes.h"
#include "platform/midi_file.h"
#include "platform/platform.h"

namespace platform {

namespace {

constexpr int kFailed = 1;
constexpr int kPolyphony = 128;

// Where Debian puts its General MIDI soundfonts (timgm6mb-soundfont first).
constexpr const char* kSoundfonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3", "/usr/share/soundfonts/default.sf2"};

// SDL_SOUNDFONTS may name others, separated as SDL_mixer separates them.
std::string FindSoundfont() {
  std::vector<std::string> candidates;
  if (const char* named = std::getenv("SDL_SOUNDFONTS")) {
    std::string part;
    for (const char* c = named;; ++c) {
      if (*c != '\0' && *c != ';' && *c != ':') {
        part += *c;
        continue;
      }
      if (!part.empty()) candidates.push_back(part);
      part.clear();
      if (*c == '\0') break;
    }
  }
  candidates.insert(candidates.end(), std::begin(kSoundfonts), std::end(kSoundfonts));
  // FluidSynth logs every missing file itself: look before asking it.
  for (const std::string& c : candidates)
    if (access(c.c_str(), R_OK) == 0 && IsRegularFile(c) && fluid_is_soundfont(c.c_str())) return c;
  return "";
}

}  // namespace

Uint32 MusicEventType() {
  static const Uint32 type = SDL_RegisterEvents(1);
  return type;
}

SdlMusic::SdlMusic(int rate) : rate_(rate) {}

SdlMusic::~SdlMusic() {
  // Unhooked first, without the lock: the audio thread may be waiting for it.
  if (synth_ != nullptr) Mix_HookMusic(nullptr, nullptr);
  if (player_ != nullptr) delete_fluid_player(player_);
  if (synth_ != nullptr) delete_fluid_synth(synth_);
  if (settings_ != nullptr) delete_fluid_settings(settings_);
}

int SdlMusic::Command(const std::string& command, std::string* answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (const std::optional<std::string> path = MusicOpenPath(command)) return Open(*path);
  if (command == "seek midi to start") return Seek();
  if (command == "play midi notify") return Play();
  if (command == "stop midi") return Stop();
  if (command == "close midi") return Close();
  if (command == "status midi mode") return Status(answer);
  return kFailed;
}

void SdlMusic::Hook(void* self, Uint8* stream, int bytes) {
  SdlMusic* music = static_cast<SdlMusic*>(self);
  std::lock_guard<std::mutex> lock(music->mutex_);
  music->Render(reinterpret_cast<float*>(stream), bytes / static_cast<int>(2 * sizeof(float)));
}

// Audio thread. The end of the track is found within one block; the player's
// own DONE status comes seconds after the last event.
void SdlMusic::Render(float* out, int frames) {
  if (!font_.empty()) LoadFont();
  fluid_synth_write_float(synth_, frames, out, 0, 2, out, 1, 2);
  const float gain = gain_;
  if (gain != 1.0f)
    for (int i = 0; i < 2 * frames; ++i) out[i] *= gain;
  if (!playing_ || !EndReached()) return;
  playing_ = false;
  if (notify_) EndNotify(MCI_NOTIFY_SUCCESSFUL);
}

// The player walks every event of the piece to give its length: asked once
// it knows it, not every block.
bool SdlMusic::EndReached() {
  if (fluid_player_get_status(player_) == FLUID_PLAYER_DONE) return true;
  if (total_ticks_ <= 0) total_ticks_ = fluid_player_get_total_ticks(player_);
  return total_ticks_ > 0 && fluid_player_get_current_tick(player_) >= total_ticks_;
}

int SdlMusic::Open(const std::string& path) {
  if (open_) {
    if (notify_) EndNotify(MCI_NOTIFY_SUPERSEDED);
    Close();
  }
  if (!StartSynth()) return kFailed;
  // The same reader as lantern-drift --check; the game says where the name came from.
  std::optional<std::string> piece = ReadMidiFile(path);
  if (!piece) return kFailed;
  piece_.assign(piece->begin(), piece->end());
  fluid_synth_system_reset(synth_);
  NewPlayer();
  open_ = true;
  playing_ = false;
  return 0;
}

int SdlMusic::Seek() {
  if (!open_) return kFailed;
  if (notify_) EndNotify(MCI_NOTIFY_ABORTED);
  if (playing_) fluid_synth_all_notes_off(synth_, -1);
  playing_ = false;
  // A fresh player: seeking the old one would cut the release of the last notes.
  NewPlayer();
  return 0;
}

int SdlMusic::Play() {
  if (!open_) return kFailed;
  if (notify_) EndNotify(MCI_NOTIFY_SUPERSEDED);
  fluid_player_play(player_);
  playing_ = true;
  notify_ = true;
  return 0;
}

int SdlMusic::Stop() {
  if (!open_) return kFailed;
  if (notify_) EndNotify(MCI_NOTIFY_ABORTED);
  if (playing_) {
    fluid_player_stop(player_);
    fluid_synth_all_notes_off(synth_, -1);
  }
  playing_ = false;
  return 0;
}

int SdlMusic::Close() {
  if (!open_) return kFailed;
  Stop();
  delete_fluid_player(player_);
  player_ = nullptr;
  piece_.clear();
  open_ = false;
  return 0;
}

int SdlMusic::Status(std::string* answer) {
  if (!open_) return kFailed;
  if (answer != nullptr) *answer = playing_ ? "playing" : "stopped";
  return 0;
}

// Makes the synth once, at the first open. Its soundfont is loaded by the
// audio thread, so that the first frame does not wait for it.
bool SdlMusic::StartSynth() {
  if (synth_ != nullptr) return true;
  if (synth_failed_) return false;
  synth_failed_ = true;
  const std::string font = FindSoundfont();
  if (font.empty()) {
    SayOnce("no General MIDI soundfont found; playing without music");
    return false;
  }
  for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG})
    fluid_set_log_function(level, nullptr, nullptr);
  settings_ = new_fluid_settings();
  fluid_settings_setnum(settings_, "synth.sample-rate", rate_);
  fluid_settings_setnum(settings_, "synth.gain", 0.5);
  // Our pieces send nothing to the chorus, and sound no more than about
  // a hundred notes at once; only the instruments a piece selects are read
  // into memory, not the whole soundfont.
  fluid_settings_setint(settings_, "synth.chorus.active", 0);
  fluid_settings_setint(settings_, "synth.polyphony", kPolyphony);
  fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
  synth_ = new_fluid_synth(settings_);
  if (synth_ == nullptr) {
    SayOnce("cannot start the synthesizer; playing without music");
    return false;
  }
  font_ = font;
  synth_failed_ = false;
  Mix_HookMusic(Hook, this);
  return true;
}

// Audio thread, before the first block. A synth without its soundfont plays silence.
void SdlMusic::LoadFont() {
  if (fluid_synth_sfload(synth_, font_.c_str(), 1) == FLUID_FAILED)
    SayOnce("cannot load the soundfont " + font_ + "; playing without music");
  font_.clear();
}

void SdlMusic::NewPlayer() {
  if (player_ != nullptr) delete_fluid_player(player_);
  player_ = new_fluid_player(synth_);
  total_ticks_ = 0;
  fluid_player_add_mem(player_, piece_.data(), piece_.size());
}

// Any thread: the end of a wait for notification reaches the main loop as an event.
void SdlMusic::EndNotify(Sint32 code) {
  notify_ = false;
  SDL_Event event{};
  event.type = MusicEventType();
  event.user.code = code;
  SDL_PushEvent(&event);
}

void SdlMusic::SayOnce(const std::string& text) {
  if (said_.insert(text).second) std::fprintf(stderr, "lantern-drift: %s\n", text.c_str());
}

}  // namespace platform
