#include "platform/sdl/sdl_audio.h"

namespace platform {

SdlAudio::SdlAudio() = default;
SdlAudio::~SdlAudio() { Close(); }
bool SdlAudio::Open() { return false; }
void SdlAudio::Close() {}
int SdlAudio::CreateBuffer(const WaveFormat&, const uint8_t*, size_t) { return -1; }
void SdlAudio::Play(int) {}
void SdlAudio::Stop(int) {}
void SdlAudio::Release(int) {}
int SdlAudio::MusicCommand(const std::string&, std::string* answer) {
  if (answer != nullptr) answer->clear();
  return 0;
}
void SdlAudio::SetFocus(bool) {}

}  // namespace platform
