// Sound effects on SDL_mixer (one reserved channel per sound buffer) and MIDI
// music on FluidSynth, driven by the media-control command strings.
#pragma once

#include <string>

#include "platform/platform.h"

namespace platform {

class SdlAudio {
 public:
  SdlAudio();
  ~SdlAudio();

  bool Open();
  void Close();
  int CreateBuffer(const WaveFormat& format, const uint8_t* data, size_t bytes);
  void Play(int buffer);
  void Stop(int buffer);
  void Release(int buffer);
  int MusicCommand(const std::string& command, std::string* answer);
  // Effects are silent while the window is inactive; music plays on.
  void SetFocus(bool active);
};

}  // namespace platform
