#include "sim/BandPlan.h"

#include <array>

namespace qx::sim {
namespace {

// Mode codes: 1 LSB, 2 USB, 3 CW, 5 AM.
constexpr std::array kBands = {
    Band{0, 1800000, 2000000, 1840000, 1},        Band{1, 3500000, 4000000, 3700000, 1},
    Band{3, 7000000, 7300000, 7050000, 1},        Band{4, 10100000, 10150000, 10120000, 3},
    Band{5, 14000000, 14350000, 14250000, 2},     Band{6, 18068000, 18168000, 18100000, 2},
    Band{7, 21000000, 21450000, 21250000, 2},     Band{8, 24890000, 24990000, 24940000, 2},
    Band{9, 28000000, 29700000, 28500000, 2},     Band{10, 50000000, 54000000, 50150000, 2},
    Band{BandPlan::kGeneral, BandPlan::kLowest, BandPlan::kHighest, 10000000, 5},
};

} // namespace

const Band* BandPlan::find(int number)
{
    for (const Band& b : kBands) {
        if (b.number == number)
            return &b;
    }
    return nullptr;
}

int BandPlan::bandOf(long long hz)
{
    for (const Band& b : kBands) {
        if (b.number != kGeneral && hz >= b.low && hz <= b.high)
            return b.number;
    }
    return kGeneral;
}

int BandPlan::step(int number, bool up)
{
    const int count = static_cast<int>(kBands.size());
    int index = 0;
    for (int i = 0; i < count; ++i) {
        if (kBands[static_cast<std::size_t>(i)].number == number)
            index = i;
    }
    index = (index + (up ? 1 : count - 1)) % count;
    return kBands[static_cast<std::size_t>(index)].number;
}

} // namespace qx::sim
