// Writes sounds as RIFF WAVE files: PCM, 16-bit, mono.
#pragma once

#include <string>
#include <vector>

constexpr int kSampleRate = 22050;

// Samples are floats in -1..1; they are clamped and scaled to 16 bits.
void WriteWav(const std::string& path, const std::vector<float>& samples);
