// The four knobs: their requests, ranges, step sizes and read-back texts,
// and the value one step gives.
#pragma once
#include "state/RadioState.h"

#include <cstdint>
#include <string_view>

namespace qx::panel {

enum class KnobStep { Click, Wheel, Repeat };

struct KnobSpec {
    int op;
    RadioState::Int entry;
    int labelIndex; // the label bar of UM_PANEL_8F
    int lower, upper;
    int click, wheel, repeat;
    std::string_view readBack;
};

// The step rules of a knob op; nullptr for other ops.
const KnobSpec* knobSpec(int op);

// The value after one step up or down from `current`, held in range. From
// a centred IF shift the first step counts from +-40.
int steppedKnobValue(const KnobSpec& k, int current, bool up, KnobStep kind);

} // namespace qx::panel
