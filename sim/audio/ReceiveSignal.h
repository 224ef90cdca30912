// What the simulated radio hears: one station on the air at a fixed
// frequency. Its tone's pitch is how far the dial is from it (tune closer,
// the pitch falls), audible within the passband; as a beacon it keys its
// carrier in Morse, otherwise it holds it. Pure: samples from a sample clock.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qx::sim {

class ReceiveSignal {
public:
    static constexpr int kRate = 48000;
    static constexpr long long kLowestPitch = 100;
    static constexpr long long kHighestPitch = 3000;

    explicit ReceiveSignal(long long stationHz, bool beacon = false, std::string text = "VVV DE QX720 ");

    // The pitch heard with the dial at `dialHz`; 0 when outside the passband.
    static long long pitchFor(long long stationHz, long long dialHz);
    // The next `count` samples with the dial where it is now; silent while transmitting.
    void render(long long dialHz, bool transmitting, std::int16_t* out, int count);
    long long stationHz() const { return stationHz_; }

private:
    bool keyedAt(std::uint64_t sample) const;

    long long stationHz_;
    bool beacon_;
    std::vector<bool> keying_;  // one entry per Morse dot time
    double phase_ = 0;
    std::uint64_t sample_ = 0;
};

} // namespace qx::sim
