#include "panel/dsp/DspKnobBinding.h"

#include "core/PostRequest.h"
#include "core/RequestTable.h"

namespace qx {

DspKnobBinding::DspKnobBinding(const DspKnobRule& rule, Outbox& outbox, const RadioState& radio,
                               std::function<bool()> allowed)
    : rule_(rule), outbox_(outbox), radio_(radio), allowed_(std::move(allowed))
{
}

int DspKnobBinding::current() const
{
    return radio_.get(rule_.entry);
}

int DspKnobBinding::afterSteps(int current, int steps) const
{
    return rule_.afterSteps(current, steps);
}

int DspKnobBinding::afterLabelStep(int current, int direction) const
{
    return rule_.afterLabelStep ? rule_.afterLabelStep(current, direction) : rule_.afterSteps(current, direction);
}

int DspKnobBinding::dotAngle(int value) const
{
    return rule_.dotAngle(value);
}

bool DspKnobBinding::send(int value)
{
    if (allowed_ && !allowed_())
        return false;
    return PostRequest(outbox_, requestRowOf(rule_.request), 0, 0, 0, value);
}

std::string DspKnobBinding::readBackText() const
{
    return rule_.readBack;
}

} // namespace qx
