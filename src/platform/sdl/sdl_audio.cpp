#include "platform/sdl/sdl_audio.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/sdl/peak_limiter.h"
#include "platform/sdl/sdl_music.h"

namespace platform {

namespace {

constexpr int kRate = 44100;
constexpr int kChunkFrames = 1024;  // about 23 ms: effect latency and music end granularity
// The mix is float, so sums of channels do not clip; the limiter brings the
// loudest moments under the ceiling. Effects leave room for the music below it:
// one effect of the default pack peaks between -1.4 and -6 dBFS, so alone it
// stays under the ceiling and untouched.
constexpr float kCeiling = 0.891f;  // -1 dBFS
constexpr float kEffectGain = 0.794f;  // -2 dB
// Keeps every length inside the converter's int; far beyond any sound effect.
constexpr size_t kMaxWaveBytes = size_t{16} << 20;

// The SDL sample format of a wave, or 0 when the mixer cannot take it.
SDL_AudioFormat SampleFormat(const WaveFormat& format) {
  const bool whole_frames = format.block_align == format.channels * format.bits_per_sample / 8;
  if (format.channels == 0 || format.channels > 8 || format.samples_per_sec == 0 || !whole_frames)
    return 0;
  if (format.format_tag == 3 && format.bits_per_sample == 32) return AUDIO_F32LSB;
  if (format.format_tag != 1) return 0;
  switch (format.bits_per_sample) {
    case 8: return AUDIO_U8;
    case 16: return AUDIO_S16LSB;
    case 32: return AUDIO_S32LSB;
    default: return 0;
  }
}

// ALSA reports each failed device probe on standard error by itself; the game
// says what matters once, in its own words.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

void SayNoDevice() {
  std::fprintf(stderr, "lantern-drift: no sound device (%s); playing without sound\n", SDL_GetError());
}

}  // namespace

SdlAudio::SdlAudio() = default;
SdlAudio::~SdlAudio() { Close(); }

bool SdlAudio::Open() {
  if (open_) return true;
  snd_lib_error_set_handler(QuietAlsa);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    SayNoDevice();
    return false;
  }
  // No format changes allowed: the music hook and the limiter work in this format;
  // SDL converts it to what the device takes.
  if (Mix_OpenAudioDevice(kRate, AUDIO_F32SYS, 2, kChunkFrames, nullptr, 0) != 0) {
    SayNoDevice();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_QuerySpec(&rate_, &format_, &channels_);
  Mix_AllocateChannels(0);
  music_ = std::make_unique<SdlMusic>(rate_);
  music_->SetVolume(static_cast<float>(music_volume_) / 100.0f);
  limiter_ = std::make_unique<PeakLimiter>(rate_, kCeiling);
  Mix_SetPostMix(PostMix, this);
  open_ = true;
  return true;
}

void SdlAudio::Close() {
  if (!open_) return;
  music_.reset();
  Mix_SetPostMix(nullptr, nullptr);
  limiter_.reset();
  Mix_HaltChannel(-1);
  for (Buffer& b : buffers_)
    if (b.chunk != nullptr) Mix_FreeChunk(b.chunk);
  buffers_.clear();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open_ = false;
}

int SdlAudio::CreateBuffer(const WaveFormat& format, const uint8_t* data, size_t bytes) {
  const SDL_AudioFormat source = SampleFormat(format);
  if (!open_ || source == 0 || bytes > kMaxWaveBytes) return -1;
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, source, static_cast<Uint8>(format.channels),
                        static_cast<int>(format.samples_per_sec), format_,
                        static_cast<Uint8>(channels_), rate_) < 0)
    return -1;
  Buffer buffer;
  const size_t whole = bytes - bytes % format.block_align;
  buffer.samples.resize(whole * static_cast<size_t>(cvt.len_mult) + 1);
  if (whole > 0) std::memcpy(buffer.samples.data(), data, whole);
  cvt.buf = buffer.samples.data();
  cvt.len = static_cast<int>(whole);
  if (whole > 0 && cvt.needed && SDL_ConvertAudio(&cvt) != 0) return -1;
  const Uint32 length = static_cast<Uint32>(cvt.needed && whole > 0 ? cvt.len_cvt : whole);
  buffer.chunk = Mix_QuickLoad_RAW(buffer.samples.data(), length);
  if (buffer.chunk == nullptr) return -1;
  const int channel = FreeChannel();
  if (channel < 0) {
    Mix_FreeChunk(buffer.chunk);
    return -1;
  }
  buffers_[static_cast<size_t>(channel)] = std::move(buffer);
  return channel;
}

// The lowest channel without a buffer, growing the mixer's channels when all are taken.
int SdlAudio::FreeChannel() {
  for (size_t c = 0; c < buffers_.size(); ++c)
    if (buffers_[c].chunk == nullptr) return static_cast<int>(c);
  const int count = static_cast<int>(buffers_.size()) + 1;
  if (Mix_AllocateChannels(count) != count) return -1;
  // Reserved: the mixer never picks one of them for a play of its own choice.
  Mix_ReserveChannels(count);
  buffers_.emplace_back();
  return count - 1;
}

SdlAudio::Buffer* SdlAudio::Find(int buffer) {
  if (buffer < 0 || static_cast<size_t>(buffer) >= buffers_.size()) return nullptr;
  Buffer& b = buffers_[static_cast<size_t>(buffer)];
  return b.chunk != nullptr ? &b : nullptr;
}

void SdlAudio::Play(int buffer) {
  Buffer* b = Find(buffer);
  if (b == nullptr) return;
  Mix_Volume(buffer, EffectVolume());
  Mix_PlayChannel(buffer, b->chunk, 0);
}

void SdlAudio::Stop(int buffer) {
  if (Find(buffer) != nullptr) Mix_HaltChannel(buffer);
}

void SdlAudio::Release(int buffer) {
  Buffer* b = Find(buffer);
  if (b == nullptr) return;
  Mix_HaltChannel(buffer);
  Mix_FreeChunk(b->chunk);
  *b = Buffer();
}

int SdlAudio::MusicCommand(const std::string& command, std::string* answer) {
  if (answer != nullptr) answer->clear();
  return music_ ? music_->Command(command, answer) : 1;
}

int SdlAudio::EffectVolume() const {
  if (!active_) return 0;
  return static_cast<int>(std::lround(MIX_MAX_VOLUME * kEffectGain * sound_volume_ / 100.0f));
}

// Audio thread, after the channels and the music were mixed.
void SdlAudio::PostMix(void* self, Uint8* stream, int bytes) {
  static_cast<SdlAudio*>(self)->limiter_->Process(reinterpret_cast<float*>(stream),
                                                  bytes / static_cast<int>(2 * sizeof(float)));
}

void SdlAudio::SetVolumes(int music, int sound) {
  music_volume_ = std::clamp(music, 0, 100);
  sound_volume_ = std::clamp(sound, 0, 100);
  if (music_) music_->SetVolume(static_cast<float>(music_volume_) / 100.0f);
  if (open_ && !buffers_.empty()) Mix_Volume(-1, EffectVolume());
}

void SdlAudio::SetFocus(bool active) {
  active_ = active;
  // The mixer divides by its channel count when setting them all.
  if (open_ && !buffers_.empty()) Mix_Volume(-1, EffectVolume());
}

}  // namespace platform
