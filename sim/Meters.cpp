#include "sim/Meters.h"

#include <algorithm>

namespace qx::sim {
namespace {

int clampReading(int v)
{
    return std::clamp(v, 0, 255);
}

} // namespace

Meters::Meters(std::uint32_t seed) : random_(seed)
{
    readings_[kSMeter] = sMeter_;
}

int Meters::jitter(int lo, int hi)
{
    // A modulo draw keeps the sequence identical on every standard library.
    const auto span = static_cast<std::uint32_t>(hi - lo + 1);
    return lo + static_cast<int>(random_() % span);
}

void Meters::step(bool transmitting, int powerSetting)
{
    readings_.fill(0);
    if (transmitting) {
        const int power = std::clamp(powerSetting, 0, 100);
        readings_[1] = clampReading(power + jitter(0, 20));            // compression
        readings_[2] = clampReading(jitter(10, 60));                   // ALC
        readings_[3] = clampReading(power * 2 + jitter(-6, 6));        // power out
        readings_[4] = clampReading(jitter(20, 40));                   // SWR
        readings_[5] = clampReading(power * 3 / 2 + jitter(-4, 4));    // drain current
        readings_[6] = clampReading(190 + jitter(-3, 3));              // supply
        supply_ = 134 + jitter(-1, 1);
        return;
    }
    sMeter_ = clampReading(sMeter_ + jitter(-12, 12));
    readings_[kSMeter] = sMeter_;
    supply_ = 138 + jitter(-1, 1);
}

int Meters::reading(int meter) const
{
    return meter >= 0 && meter <= kTransmitMeters ? readings_[static_cast<std::size_t>(meter)] : 0;
}

} // namespace qx::sim
