// Waves from arbitrary bytes, through the RIFF reader and the sound loader.
#include "fuzz_home.h"
#include "library/sound/el_sound.h"
#include "library/sound/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzHome home;
  WaveData wave;
  ReadWaveBytes(data, size, wave);
  home.Begin("f.wav", data, size);
  const int object = g_sound.LoadObject("F.WAV", 3);
  g_sound.PlayObject(object, -1);
  g_sound.ReleaseObject(object);
  return 0;
}
