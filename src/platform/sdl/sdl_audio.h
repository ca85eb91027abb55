// Sound effects on SDL_mixer, one mixer channel per sound buffer, and MIDI
// music (SdlMusic) rendered into the mixer's music hook.
#pragma once

#include <SDL_mixer.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

class SdlMusic;
class PeakLimiter;

class SdlAudio {
 public:
  // The rate asked of the device: that of today's desktops, so that nothing
  // resamples the mix again on its way out. A device that runs at another rate
  // keeps it, and the mix follows.
  static constexpr int kRate = 48000;

  SdlAudio();
  ~SdlAudio();

  bool Open();
  void Close();
  // The handle is the buffer's own mixer channel; -1 when the wave cannot be played.
  int CreateBuffer(const WaveFormat& format, const uint8_t* data, size_t bytes);
  // pan: -100 (left only) to 100 (right only), 0 both sides at full level.
  void Play(int buffer, int pan);
  void Stop(int buffer);
  void Release(int buffer);
  int MusicCommand(const std::string& command, std::string* answer);
  // Effects are silent while the window is inactive; music plays on.
  void SetFocus(bool active);
  // 0..100 each.
  void SetVolumes(int music, int sound);

 private:
  struct Buffer {
    std::vector<Uint8> samples;  // in the device format
    Mix_Chunk* chunk = nullptr;
  };
  Buffer* Find(int buffer);
  int FreeChannel();
  int EffectVolume() const;
  static void PostMix(void* self, Uint8* stream, int bytes);

  bool open_ = false;
  bool active_ = true;
  int music_volume_ = 100;
  int sound_volume_ = 100;
  int rate_ = 0;
  Uint16 format_ = 0;
  int channels_ = 0;
  std::vector<Buffer> buffers_;
  std::unique_ptr<SdlMusic> music_;
  std::unique_ptr<PeakLimiter> limiter_;
};

}  // namespace platform
