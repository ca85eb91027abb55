#include "platform/sdl/sdl_audio.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "platform/mix/peak_limiter.h"
#include "platform/mix/resampler.h"
#include "platform/sdl/sdl_music.h"

namespace platform {

namespace {

constexpr int kChunkFrames = 1024;  // about 21 ms: effect latency and music end granularity
// The mix is float, so sums of channels do not clip; the limiter brings the
// loudest moments under the ceiling. Effects leave room for the music below it:
// one effect of the default pack peaks between -1.4 and -6 dBFS, so alone it
// stays under the ceiling and untouched.
constexpr float kCeiling = 0.891f;     // -1 dBFS
constexpr float kEffectGain = 0.794f;  // -2 dB
// Keeps every length inside the converter's int; far beyond any sound effect.
constexpr size_t kMaxWaveBytes = size_t{16} << 20;

void Put(std::vector<Uint8>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<Uint8>(value >> (8 * i)));
}

void PutChunk(std::vector<Uint8>& out, const char* id, const Uint8* data, size_t size) {
  out.insert(out.end(), id, id + 4);
  Put(out, static_cast<uint32_t>(size), 4);
  out.insert(out.end(), data, data + size);
  if (size % 2 == 1) out.push_back(0);
}

// The wave as a RIFF file again, for SDL's own loader, which decodes every
// encoding it knows: PCM of any width, float, a-law, mu-law, IMA and MS ADPCM,
// and the extensible header over any of them.
std::vector<Uint8> RiffImage(const WaveFormat& format, const uint8_t* data, size_t bytes) {
  std::vector<Uint8> fmt;
  Put(fmt, format.format_tag, 2);
  Put(fmt, format.channels, 2);
  Put(fmt, format.samples_per_sec, 4);
  Put(fmt, format.avg_bytes_per_sec, 4);
  Put(fmt, format.block_align, 2);
  Put(fmt, format.bits_per_sample, 2);
  if (format.format_tag != 1) {
    Put(fmt, static_cast<uint32_t>(format.extra.size()), 2);
    fmt.insert(fmt.end(), format.extra.begin(), format.extra.end());
  }
  std::vector<Uint8> image = {'W', 'A', 'V', 'E'};
  PutChunk(image, "fmt ", fmt.data(), fmt.size());
  PutChunk(image, "data", data, bytes);
  std::vector<Uint8> riff;
  PutChunk(riff, "RIFF", image.data(), image.size());
  return riff;
}

// ALSA reports each failed device probe on standard error by itself; the game
// says what matters once, in its own words.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

void SayNoDevice() {
  std::fprintf(stderr, "lantern-drift: no sound device (%s); playing without sound\n",
               SDL_GetError());
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
  // Only the rate may change: the music hook and the limiter work in this
  // format; SDL converts it to what the device takes.
  if (Mix_OpenAudioDevice(SdlAudio::kRate, AUDIO_F32SYS, 2, kChunkFrames, nullptr,
                          SDL_AUDIO_ALLOW_FREQUENCY_CHANGE) != 0) {
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
  if (!open_ || bytes > kMaxWaveBytes || format.extra.size() > UINT16_MAX) return -1;
  Buffer buffer;
  // The file's bytes decide these sizes: running out of memory refuses the wave.
  try {
    const std::vector<Uint8> riff = RiffImage(format, data, bytes);
    SDL_AudioSpec spec;
    Uint8* decoded = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(SDL_RWFromConstMem(riff.data(), static_cast<int>(riff.size())), 1, &spec,
                       &decoded, &length) == nullptr)
      return -1;
    const std::unique_ptr<Uint8, void (*)(Uint8*)> owned(decoded, SDL_FreeWAV);
    SDL_AudioCVT cvt;
    // SDL converts the encoding and the channels, at the wave's own rate; the
    // rate is ours to change. The converter counts in int.
    if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_F32SYS,
                          static_cast<Uint8>(channels_), spec.freq) < 0 ||
        uint64_t{length} * static_cast<uint64_t>(cvt.len_mult) >= INT_MAX)
      return -1;
    std::vector<Uint8> converted(static_cast<size_t>(length) * static_cast<size_t>(cvt.len_mult));
    if (length > 0) std::memcpy(converted.data(), decoded, length);
    cvt.buf = converted.data();
    cvt.len = static_cast<int>(length);
    if (length > 0 && cvt.needed && SDL_ConvertAudio(&cvt) != 0) return -1;
    const size_t frame_bytes = sizeof(float) * static_cast<size_t>(channels_);
    const size_t frames =
        (cvt.needed && length > 0 ? static_cast<size_t>(cvt.len_cvt) : length) / frame_bytes;
    const std::vector<float> sound = Resample(reinterpret_cast<const float*>(converted.data()),
                                              frames, channels_, spec.freq, rate_);
    if (sound.size() * sizeof(float) >= INT_MAX) return -1;
    // One byte more, so that an empty sound still has an address.
    buffer.samples.resize(sound.size() * sizeof(float) + 1);
    if (!sound.empty())
      std::memcpy(buffer.samples.data(), sound.data(), sound.size() * sizeof(float));
    buffer.chunk =
        Mix_QuickLoad_RAW(buffer.samples.data(), static_cast<Uint32>(sound.size() * sizeof(float)));
  } catch (const std::bad_alloc&) {
    return -1;
  }
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

// The far side fades, the near one keeps its level: an effect in the middle
// sounds as loud as it did before effects were panned.
void SdlAudio::Play(int buffer, int pan) {
  Buffer* b = Find(buffer);
  if (b == nullptr) return;
  Mix_Volume(buffer, EffectVolume());
  const int p = std::clamp(pan, -100, 100);
  Mix_SetPanning(buffer, static_cast<Uint8>(255 * std::min(100, 100 - p) / 100),
                 static_cast<Uint8>(255 * std::min(100, 100 + p) / 100));
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
