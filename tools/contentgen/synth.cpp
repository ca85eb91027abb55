#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "random.h"
#include "wav_writer.h"

namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

float Shape(float phase, Wave wave) {
  switch (wave) {
    case Wave::kSine: return std::sin(kTwoPi * phase);
    case Wave::kTriangle: return 4.0f * std::abs(phase - 0.5f) - 1.0f;
    case Wave::kSoftSquare: return std::tanh(3.0f * std::sin(kTwoPi * phase));
  }
  return 0.0f;
}

float Coefficient(float cutoff) {
  return 1.0f - std::exp(-kTwoPi * cutoff / static_cast<float>(kSampleRate));
}

size_t Length(float seconds) { return static_cast<size_t>(seconds * kSampleRate); }

}  // namespace

Curve Constant(float v) {
  return [v](float) { return v; };
}

Curve Glide(float a, float b, float seconds) {
  return [=](float t) { return a * std::pow(b / a, std::min(t / seconds, 1.0f)); };
}

Samples Oscillate(float seconds, const Curve& frequency, Wave wave) {
  Samples s(Length(seconds));
  float phase = 0.0f;
  for (size_t i = 0; i < s.size(); ++i) {
    s[i] = Shape(phase, wave);
    phase += frequency(static_cast<float>(i) / kSampleRate) / kSampleRate;
    phase -= std::floor(phase);
  }
  return s;
}

Samples Noise(float seconds, uint32_t seed) {
  Random random(seed);
  Samples s(Length(seconds));
  for (float& v : s) v = random.Range(-1.0f, 1.0f);
  return s;
}

void LowPass(Samples& s, const Curve& cutoff) {
  float state = 0.0f;
  for (size_t i = 0; i < s.size(); ++i) {
    state += Coefficient(cutoff(static_cast<float>(i) / kSampleRate)) * (s[i] - state);
    s[i] = state;
  }
}

void HighPass(Samples& s, const Curve& cutoff) {
  float low = 0.0f;
  for (size_t i = 0; i < s.size(); ++i) {
    low += Coefficient(cutoff(static_cast<float>(i) / kSampleRate)) * (s[i] - low);
    s[i] -= low;
  }
}

void Envelope(Samples& s, float attack, float decay_rate) {
  for (size_t i = 0; i < s.size(); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float rise = attack > 0.0f ? std::min(t / attack, 1.0f) : 1.0f;
    s[i] *= rise * std::exp(-decay_rate * std::max(t - attack, 0.0f));
  }
}

void MixInto(Samples& target, const Samples& source, float gain, float offset) {
  const size_t start = Length(offset);
  if (target.size() < start + source.size()) target.resize(start + source.size(), 0.0f);
  for (size_t i = 0; i < source.size(); ++i) target[start + i] += gain * source[i];
}

void Finish(Samples& s, float peak) {
  float loudest = 0.0f;
  for (float v : s) loudest = std::max(loudest, std::abs(v));
  if (loudest > 0.0f) {
    for (float& v : s) v *= peak / loudest;
  }
  const size_t tail = std::min(s.size(), Length(0.006f));
  for (size_t i = 0; i < tail; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / tail;
}
