#include "library/sound/el_sound.h"

#include "library/sound/wave_file.h"
#include "library/system/failure.h"
#include "library/system/file_lookup.h"

elSound g_sound;

namespace {

void LoadError(const char* message) { ReportError("elSound::LoadObject", message); }

}  // namespace

int elSound::InitSound() {
  available_ = platform::Get().OpenSound();
  if (!available_) return 0;
  for (Object& o : objects_) o.buffers = NoBuffers();
  return 1;
}

void elSound::ResetTable() {
  for (Object& o : objects_) {
    FreeBuffers(o);
    o = Object();
  }
}

int elSound::LoadObject(const std::string& name, int mix) {
  if (!available_) return 0;
  if (mix < -kMaxMix || mix > kMaxMix) {
    LoadError("ミックス数が多過ぎます");
    return 0;
  }
  if (name.size() > static_cast<size_t>(kNameMax)) {
    NoteFailureDetail(ShownName(name) + ": the name is longer than 30 characters");
    LoadError("ファイル名またはリソース名が長すぎます");
    return 0;
  }
  int number = 0;
  while (number < kObjects && objects_[number].used) ++number;
  if (number == kObjects) {
    LoadError("オブジェクト数が多過ぎます");
    return 0;
  }
  WaveData wave;
  std::string why;
  if (ReadWaveFile(ProgramFile(name), wave, why) != 0) {
    NoteFailureDetail(ShownName(name) + ": " + why);
    LoadError("WAVEリソースが見つかりません");
    return 0;
  }
  Object& o = objects_[number];
  // An object needs at least one buffer, whatever the caller passed.
  o.mix = mix == 0 ? 1 : (mix < 0 ? -mix : mix);
  o.next = 0;
  for (int b = 0; b < o.mix; ++b) {
    o.buffers[b] =
        platform::Get().CreateSoundBuffer(wave.format, wave.samples.data(), wave.samples.size());
    if (o.buffers[b] < 0) {
      FreeBuffers(o);
      o = Object();
      LoadError("サウンドバッファが生成できません");
      return 0;
    }
  }
  o.used = true;
  o.name = name;
  return number;
}

void elSound::PlayObject(int object, int buffer, int pan) {
  if (!available_ || !InTable(object)) return;
  Object& o = objects_[object];
  if (!o.used || buffer < -1 || buffer >= o.mix) return;
  if (buffer >= 0) {
    platform::Get().PlayBuffer(o.buffers[buffer], pan);
    return;
  }
  platform::Get().PlayBuffer(o.buffers[o.next], pan);
  o.next = (o.next + 1) % o.mix;
}

void elSound::ReleaseObject(int object) {
  if (!available_ || !InTable(object) || !objects_[object].used) return;
  FreeBuffers(objects_[object]);
  objects_[object] = Object();
}

void elSound::ReleaseSound() {
  if (!available_) return;
  for (Object& o : objects_) FreeBuffers(o);
  platform::Get().CloseSound();
  // The device is gone: nothing may reach it any more.
  available_ = false;
}

void elSound::FreeBuffers(Object& object) {
  for (int& handle : object.buffers) {
    if (handle < 0) continue;
    if (available_) {
      platform::Get().StopBuffer(handle);
      platform::Get().ReleaseBuffer(handle);
    }
    handle = -1;
  }
}

bool elSound::Used(int object) const { return InTable(object) && objects_[object].used; }

int elSound::UsedCount() const {
  int count = 0;
  for (const Object& o : objects_) count += o.used ? 1 : 0;
  return count;
}

void ResetSound() { g_sound = elSound(); }
