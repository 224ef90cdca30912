#include "widgets/KnobGeometry.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace qx {
namespace {

constexpr int kSpan = 2 * kKnobHitRadius + 1;
using DiscMap = std::array<std::array<bool, kSpan>, kSpan>;

double radians(int degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

DiscMap buildDisc()
{
    DiscMap map{};
    for (int r = 0; r <= kKnobHitRadius; ++r) {
        for (int a = 0; a < 360; ++a) {
            const int dx = static_cast<int>(r * std::sin(radians(a)));
            const int dy = static_cast<int>(-r * std::cos(radians(a)));
            map[static_cast<std::size_t>(dx + kKnobHitRadius)][static_cast<std::size_t>(dy + kKnobHitRadius)] = true;
        }
    }
    return map;
}

} // namespace

int pointerAngle(KnobPoint centre, KnobPoint p)
{
    const double dx = p.x - centre.x;
    const double dy = p.y - centre.y;
    int angle = static_cast<int>(180.0 - std::atan2(dx, dy) * 180.0 / std::numbers::pi);
    angle %= 360;
    return angle < 0 ? angle + 360 : angle;
}

bool onKnobDisc(KnobPoint centre, KnobPoint p)
{
    static const DiscMap disc = buildDisc();
    const int dx = p.x - centre.x;
    const int dy = p.y - centre.y;
    if (std::abs(dx) > kKnobHitRadius || std::abs(dy) > kKnobHitRadius)
        return false;
    return disc[static_cast<std::size_t>(dx + kKnobHitRadius)][static_cast<std::size_t>(dy + kKnobHitRadius)];
}

int angleChange(int from, int to)
{
    int d = (to - from) % 360;
    if (d > 180)
        d -= 360;
    else if (d < -179)
        d += 360;
    return d;
}

KnobPoint dotPosition(KnobPoint face, int angle)
{
    return {face.x + 22 + static_cast<int>(10 * std::sin(radians(angle))),
            face.y + 22 - static_cast<int>(10 * std::cos(radians(angle)))};
}

} // namespace qx
