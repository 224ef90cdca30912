#include "panel/controller/DialMath.h"

#include <cmath>
#include <numbers>

namespace qx::panel {

int pointerAngle(int cx, int cy, int x, int y)
{
    const double dx = x - cx, dy = y - cy;
    const int a = static_cast<int>(180.0 - std::atan2(dx, dy) * 180.0 / std::numbers::pi);
    return ((a % 360) + 360) % 360;
}

int angleChange(int from, int to)
{
    int d = (to - from) % 360;
    if (d > 180)
        d -= 360;
    else if (d <= -180)
        d += 360;
    return d;
}

int wheelAngle(int angle, int notch)
{
    const int a = (angle >= 360 ? 0 : angle) + notch * kDegreesPerStep;
    if (a < 0)
        return 352;
    if (a >= 360)
        return 7;
    return a;
}

void DialSteps::begin(int angle)
{
    last_ = angle;
    degrees_ = 0;
    steps_ = 0;
}

void DialSteps::moveTo(int angle)
{
    degrees_ += angleChange(last_, angle);
    last_ = angle;
    const int q = degrees_ / kDegreesPerStep;
    if (q != 0) {
        steps_ += q;
        degrees_ -= q * kDegreesPerStep;
    }
}

int DialSteps::take()
{
    const int s = steps_;
    steps_ = 0;
    return s;
}

} // namespace qx::panel
