// The level meter's reading: the peak of a block of samples, 0 to 1, and the
// same in dB below full scale for the operator.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace qx::audio {

inline float peakLevel(const std::int16_t* samples, int count)
{
    int peak = 0;
    for (int i = 0; i < count; ++i)
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    return std::min(1.0f, static_cast<float>(peak) / 32767.0f);
}

// -90 dB stands for silence.
inline float levelDb(float peak) { return peak <= 0.0000316f ? -90.0f : 20.0f * std::log10(peak); }

} // namespace qx::audio
