// Line faults on demand: silence, dropped or corrupted bytes, answers split
// into two pieces with a gap, answers held back, bursts of noise. Seeded, so
// a faulty run can be repeated.
#pragma once
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace qx::sim {

struct FaultSettings {
    bool silent = false;                     // answers are not sent at all
    double dropShare = 0;                    // share of bytes lost, 0 to 1
    double corruptShare = 0;                 // share of bytes replaced, 0 to 1
    std::chrono::milliseconds splitGap{0};   // > 0: each answer in two pieces this far apart
    std::chrono::milliseconds delay{0};      // before each answer

    bool any() const
    {
        return silent || dropShare > 0 || corruptShare > 0 || splitGap.count() > 0 || delay.count() > 0;
    }
};

class FaultInjector {
public:
    struct Piece {
        std::string bytes;
        std::chrono::milliseconds after;  // wait after the previous piece was due
    };

    explicit FaultInjector(std::uint32_t seed);

    // Shares are clamped to 0-1 and times to zero or more.
    void configure(FaultSettings settings);
    const FaultSettings& settings() const { return settings_; }

    // How one answer goes out; nothing when the line is silent.
    std::vector<Piece> shape(std::string_view answer);
    // Random bytes, never ";" so they cannot end a frame by luck.
    std::string noise(std::size_t count);

private:
    bool chance(double share);
    char randomByte();

    FaultSettings settings_;
    std::mt19937 random_;
};

} // namespace qx::sim
