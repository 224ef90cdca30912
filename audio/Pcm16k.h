// 48 kHz to 16 kHz for the pages whose browser cannot decode Opus: a short
// low-pass filter ahead of keeping every third sample, so nothing above
// 8 kHz folds back into the band.
#pragma once
#include <cstdint>
#include <vector>

namespace qx::audio {

class Downsample48To16 {
public:
    // `count` must be a multiple of 3; the filter's memory runs across calls.
    std::vector<std::int16_t> process(const std::int16_t* samples, int count);

private:
    static constexpr int kTaps = 15;
    float history_[kTaps] = {};
    int phase_ = 0;
};

} // namespace qx::audio
