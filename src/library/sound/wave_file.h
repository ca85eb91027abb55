// The RIFF WAVE reader of the sound objects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

struct WaveData {
  platform::WaveFormat format;
  std::vector<uint8_t> samples;
};

// Reads a RIFF WAVE file; 0 on success, non-zero on failure with why in English.
int ReadWaveFile(const std::string& path, WaveData& out, std::string& why);
// The same rules on bytes already in memory.
int ReadWaveBytes(const uint8_t* data, size_t size, WaveData& out);
