// What a knob sets: the value it reads from the radio state, how steps and
// label clicks change it, where its dot points for a value, and the request
// that sends it.
#pragma once
#include <string>

namespace qx {

class KnobBinding {
public:
    virtual ~KnobBinding() = default;
    virtual int current() const = 0;
    // The value after `steps` gathered drag or wheel steps, within range.
    virtual int afterSteps(int current, int steps) const = 0;
    // The value after one label click: direction -1 decreases, +1 increases.
    virtual int afterLabelStep(int current, int direction) const = 0;
    virtual int dotAngle(int value) const = 0;
    // Posts the request; false when nothing was posted.
    virtual bool send(int value) = 0;
    // The read command that confirms the change.
    virtual std::string readBackText() const = 0;
};

} // namespace qx
