// Building blocks of the sound effects: oscillators, noise, filters and envelopes.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

using Samples = std::vector<float>;
// A value that changes over time, t in seconds from the sound's start.
using Curve = std::function<float(float t)>;

enum class Wave { kSine, kTriangle, kSoftSquare };

Curve Constant(float v);
// Exponential glide from a to b over seconds, flat afterwards.
Curve Glide(float a, float b, float seconds);

Samples Oscillate(float seconds, const Curve& frequency, Wave wave);
Samples Noise(float seconds, uint32_t seed);
// One-pole filters with a cutoff that may move.
void LowPass(Samples& s, const Curve& cutoff);
void HighPass(Samples& s, const Curve& cutoff);
// Linear attack, then exponential decay at rate per second.
void Envelope(Samples& s, float attack, float decay_rate);
// Adds source into target at offset seconds, growing target when needed.
void MixInto(Samples& target, const Samples& source, float gain, float offset = 0.0f);
// Scales to the given peak and softens the last few milliseconds against clicks.
void Finish(Samples& s, float peak);
