// MIDI music for the media-control command strings the game sends, on
// FluidSynth: one synth with the soundfont loaded once, a player per start
// of a piece, rendered in SDL_mixer's music hook on the audio thread.
#pragma once

#include <SDL.h>
#include <fluidsynth.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace platform {

// The SDL user event that the audio thread pushes at the end of a piece;
// event.user.code carries the MCI_NOTIFY_* code.
Uint32 MusicEventType();

class SdlMusic {
 public:
  explicit SdlMusic(int rate);
  ~SdlMusic();
  SdlMusic(const SdlMusic&) = delete;
  SdlMusic& operator=(const SdlMusic&) = delete;

  // One command string; 0 on success. "status midi mode" fills answer.
  int Command(const std::string& command, std::string* answer);
  // 0 (silent) to 1 (as rendered).
  void SetVolume(float gain) { gain_ = gain; }

 private:
  static void Hook(void* self, Uint8* stream, int bytes);
  void Render(float* out, int frames);
  bool EndReached();

  int Open(const std::string& path);
  int Seek();
  int Play();
  int Stop();
  int Close();
  int Status(std::string* answer);
  bool StartSynth();
  void LoadFont();
  void NewPlayer();
  void EndNotify(Sint32 code);
  void SayOnce(const std::string& text);

  std::mutex mutex_;  // between the commands and the audio thread
  int rate_;
  std::atomic<float> gain_ = 1.0f;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_player_t* player_ = nullptr;
  int total_ticks_ = 0;  // of the player's piece, once it has read it
  bool synth_failed_ = false;
  std::string font_;         // the soundfont still to be loaded
  std::vector<char> piece_;  // the open MIDI file
  bool open_ = false;
  bool playing_ = false;
  bool notify_ = false;  // a "play ... notify" waits for its end
  std::set<std::string> said_;
};

}  // namespace platform
