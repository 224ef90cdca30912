#include "widgets/KnobDial.h"

namespace qx {

void KnobDial::grab(int pointerAngle)
{
    angle_ = pointerAngle;
    lastPointer_ = pointerAngle;
    degrees_ = 0;
    steps_ = 0;
}

bool KnobDial::follow(int pointerAngle)
{
    feed(angleChange(lastPointer_, pointerAngle));
    lastPointer_ = pointerAngle;
    const bool moved = angle_ != pointerAngle;
    angle_ = pointerAngle;
    return moved;
}

void KnobDial::notch(bool up)
{
    int to = angle_ + (up ? motion_.wheelIncrement : -motion_.wheelIncrement);
    if (to < 0)
        to = motion_.wrapBelow;
    else if (to >= 360)
        to = motion_.wrapAbove;
    angle_ = to;
    // One notch is one increment even where the wrap values would make the
    // picture jump further.
    feed(up ? motion_.wheelIncrement : -motion_.wheelIncrement);
}

int KnobDial::takeSteps()
{
    const int s = steps_;
    steps_ = 0;
    return s;
}

void KnobDial::rest()
{
    angle_ = kKnobAtRest;
    degrees_ = 0;
    steps_ = 0;
}

void KnobDial::feed(int degrees)
{
    degrees_ += degrees;
    const int q = motion_.degreesPerStep > 0 ? degrees_ / motion_.degreesPerStep : 0;
    if (q != 0) {
        steps_ += q;
        degrees_ = 0;
    }
}

} // namespace qx
