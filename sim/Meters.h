// The meters of the radio: an S-meter that wanders while receiving, and while
// transmitting the power, ALC, SWR and the other transmit meters. Driven by a
// seeded generator so a run can be repeated exactly.
#pragma once
#include <array>
#include <cstdint>
#include <random>

namespace qx::sim {

class Meters {
public:
    // Meter numbers as the "RM" answers carry them: 0 is the S-meter, 1-6 the
    // transmit meters chosen by the meter selection 0-5.
    static constexpr int kSMeter = 0;
    static constexpr int kTransmitMeters = 6;

    explicit Meters(std::uint32_t seed);

    // One update. powerSetting is the "PC" value (watts).
    void step(bool transmitting, int powerSetting);
    // Readings 0-255; 0 for a meter that is not live.
    int reading(int meter) const;
    // Supply voltage in tenths of a volt.
    int supplyTenths() const { return supply_; }

    static constexpr int meterForSelection(int selection) { return selection + 1; }

private:
    int jitter(int lo, int hi);

    std::mt19937 random_;
    int sMeter_ = 40;
    std::array<int, kTransmitMeters + 1> readings_{};
    int supply_ = 138;
};

} // namespace qx::sim
