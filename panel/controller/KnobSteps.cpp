#include "panel/controller/KnobSteps.h"

#include "panel/controller/PanelOps.h"

#include <algorithm>
#include <array>

namespace qx::panel {

namespace {

using R = RadioState::Int;

constexpr int kShiftFromCentre = 40;

constexpr std::array kKnobs{
    KnobSpec{op::Squelch, R::SQ0, 3, 0, 255, 1, 20, 10, "SQ0;"},
    KnobSpec{op::AfGain, R::AG0, 1, 0, 255, 1, 20, 10, "AG0;"},
    KnobSpec{op::RfGain, R::RG0, 2, 0, 255, 1, 20, 10, "RG0;"},
    KnobSpec{op::IfShift, R::IS, 0, -1260, 1260, 10, 50, 50, "IS0;"},
};

} // namespace

const KnobSpec* knobSpec(int o)
{
    for (const KnobSpec& k : kKnobs)
        if (k.op == o)
            return &k;
    return nullptr;
}

int steppedKnobValue(const KnobSpec& k, int current, bool up, KnobStep kind)
{
    const int step = kind == KnobStep::Click ? k.click : kind == KnobStep::Wheel ? k.wheel : k.repeat;
    if (k.op == op::IfShift && current == 0)
        current = up ? kShiftFromCentre : -kShiftFromCentre;
    return std::clamp(current + (up ? step : -step), k.lower, k.upper);
}

} // namespace qx::panel
