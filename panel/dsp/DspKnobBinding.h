// A DSP knob tied to its radio-state entry and its request: the rules of
// DspKnobRules plus what is posted and what is read back.
#pragma once
#include "widgets/KnobBinding.h"
#include "state/RadioState.h"

#include <cstdint>
#include <functional>

namespace qx {

class Outbox;

struct DspKnobRule {
    RadioState::Int entry;
    std::uint32_t request;
    const char* readBack;
    int (*afterSteps)(int current, int steps);
    int (*afterLabelStep)(int current, int direction); // null: one step of afterSteps
    int (*dotAngle)(int value);
};

class DspKnobBinding final : public KnobBinding {
public:
    // `allowed`, when given, must hold for anything to be sent.
    DspKnobBinding(const DspKnobRule& rule, Outbox& outbox, const RadioState& radio,
                   std::function<bool()> allowed = {});

    int current() const override;
    int afterSteps(int current, int steps) const override;
    int afterLabelStep(int current, int direction) const override;
    int dotAngle(int value) const override;
    bool send(int value) override;
    std::string readBackText() const override;

private:
    DspKnobRule rule_;
    Outbox& outbox_;
    const RadioState& radio_;
    std::function<bool()> allowed_;
};

} // namespace qx
