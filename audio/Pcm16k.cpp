#include "audio/Pcm16k.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qx::audio {
namespace {

// A Hamming-windowed sinc with its cut-off at 7 kHz (of 48 kHz), made once.
std::array<float, 15> makeTaps()
{
    std::array<float, 15> taps{};
    constexpr double fc = 7000.0 / 48000.0;
    constexpr int n = 15;
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const double m = i - (n - 1) / 2.0;
        const double sinc = m == 0 ? 2 * fc : std::sin(2 * M_PI * fc * m) / (M_PI * m);
        const double window = 0.54 - 0.46 * std::cos(2 * M_PI * i / (n - 1));
        taps[static_cast<std::size_t>(i)] = static_cast<float>(sinc * window);
        sum += sinc * window;
    }
    for (float& t : taps)
        t = static_cast<float>(t / sum);
    return taps;
}

} // namespace

std::vector<std::int16_t> Downsample48To16::process(const std::int16_t* samples, int count)
{
    static const std::array<float, 15> taps = makeTaps();
    std::vector<std::int16_t> out;
    out.reserve(static_cast<std::size_t>(count / 3 + 1));
    for (int i = 0; i < count; ++i) {
        std::copy(history_ + 1, history_ + kTaps, history_);
        history_[kTaps - 1] = samples[i];
        if (++phase_ < 3)
            continue;
        phase_ = 0;
        float acc = 0;
        for (int k = 0; k < kTaps; ++k)
            acc += history_[k] * taps[static_cast<std::size_t>(k)];
        out.push_back(static_cast<std::int16_t>(std::clamp(std::lround(acc), -32768L, 32767L)));
    }
    return out;
}

} // namespace qx::audio
