#include "panel/dsp/DspKnobRules.h"

#include <algorithm>

namespace qx::dsp {
namespace {

int positive(int angle)
{
    return angle < 0 ? angle + 360 : angle;
}

} // namespace

int contourFrequencyAfterSteps(int current, int steps)
{
    int next = 0;
    if (current == 1)
        next = steps <= 0 ? 0 : 6 * steps + 2;
    else
        next = current + 6 * steps;
    if (next < 3)
        return kContourFrequencyMin;
    return std::min(next, kContourFrequencyMax);
}

int contourFrequencyAfterLabelStep(int current, int direction)
{
    if (direction < 0)
        return std::clamp(current - 1, kContourFrequencyMin, kContourFrequencyMax);
    switch (current) {
    case 1: return 8;
    case 8: return 14;
    case 14: return 20;
    case 20: return 26;
    default: return std::min(current + 1, kContourFrequencyMax);
    }
}

int contourFrequencyDotAngle(int value)
{
    return positive(10 * value - 140);
}

int contourLevelAfterSteps(int current, int steps)
{
    return std::clamp(current + steps, kContourLevelMin, kContourLevelMax);
}

int contourLevelDotAngle(int value)
{
    return positive(80 * value);
}

int dnrLevelAfterSteps(int current, int steps)
{
    return std::clamp(current + steps, kDnrLevelMin, kDnrLevelMax);
}

int dnrLevelDotAngle(int value)
{
    return positive(30 * value - 180);
}

int notchAfterSteps(int current, int steps)
{
    return std::clamp(current + steps, kNotchMin, kNotchMax);
}

int notchDotAngle(int value)
{
    return value >= 200 ? value - 200 : value + 160;
}

} // namespace qx::dsp
