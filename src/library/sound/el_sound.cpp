#include "library/sound/el_sound.h"

elSound g_sound;

int elSound::InitSound() { return 0; }
void elSound::ResetTable() {}
int elSound::LoadObject(const std::string&, int) { return 0; }
void elSound::PlayObject(int, int) {}
void elSound::ReleaseObject(int) {}
void elSound::ReleaseSound() {}
bool elSound::Used(int) const { return false; }
int elSound::UsedCount() const { return 0; }
int ReadWaveFile(const std::string&, WaveData&) { return 1; }
int ReadWaveBytes(const uint8_t*, size_t, WaveData&) { return 1; }
void ResetSound() { g_sound = elSound(); }
