// Sound from one sample rate to another, once, when an effect is loaded: a
// windowed-sinc filter, so that neither the upsampled effects ring with images
// of their own spectrum nor a downsampled one folds its highs back.
#pragma once

#include <cstddef>
#include <vector>

namespace platform {

// Interleaved frames of channels floats at from_rate, as frames at to_rate
// (ceil(frames * to_rate / from_rate) of them). Empty for a rate or channel
// count below 1.
std::vector<float> Resample(const float* samples, size_t frames, int channels, int from_rate,
                            int to_rate);

}  // namespace platform
