#include "widgets/KnobDial.h"
#include "widgets/KnobGeometry.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

constexpr KnobPoint kCentre{100, 100};

TEST(KnobGeometry, PointerAngleGrowsClockwiseFromStraightUp)
{
    const struct { KnobPoint p; int angle; } rows[] = {
        {{100, 80}, 0}, {{120, 100}, 90}, {{100, 120}, 180}, {{80, 100}, 270},
        {{110, 90}, 45}, {{90, 90}, 315}, {{99, 60}, 358},
    };
    for (const auto& r : rows)
        EXPECT_EQ(pointerAngle(kCentre, r.p), r.angle) << r.p.x << "," << r.p.y;
}

TEST(KnobGeometry, DiscReachesTwentyPixelsAndNoFurther)
{
    const struct { KnobPoint p; bool on; } rows[] = {
        {{100, 100}, true}, {{120, 100}, true}, {{100, 80}, true}, {{80, 100}, true},
        {{121, 100}, false}, {{100, 121}, false}, {{114, 114}, true}, {{115, 115}, false},
        {{86, 86}, true}, {{300, 300}, false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(onKnobDisc(kCentre, r.p), r.on) << r.p.x << "," << r.p.y;
}

TEST(KnobGeometry, AngleChangeTakesTheShorterWay)
{
    const struct { int from, to, change; } rows[] = {
        {10, 40, 30}, {40, 10, -30}, {355, 5, 10}, {5, 355, -10}, {0, 359, -1}, {359, 0, 1}, {0, 179, 179},
    };
    for (const auto& r : rows)
        EXPECT_EQ(angleChange(r.from, r.to), r.change) << r.from << "->" << r.to;
}

TEST(KnobGeometry, DotSitsTenPixelsOutFromTheFaceCentre)
{
    const KnobPoint face{138, 39};
    EXPECT_EQ(dotPosition(face, 0), (KnobPoint{160, 51}));
    EXPECT_EQ(dotPosition(face, 90), (KnobPoint{170, 61}));
    EXPECT_EQ(dotPosition(face, 180), (KnobPoint{160, 71}));
    EXPECT_EQ(dotPosition(face, 270), (KnobPoint{150, 61}));
    // Products are truncated toward zero, not rounded.
    EXPECT_EQ(dotPosition(face, 45), (KnobPoint{167, 54}));
}

TEST(KnobDial, ExactlyOneStepOfDragGivesOneStep)
{
    KnobDial d({60, 60, 299, 60});
    d.grab(100);
    d.follow(159);
    EXPECT_EQ(d.takeSteps(), 0) << "one degree short";
    d.follow(160);
    EXPECT_EQ(d.takeSteps(), 1) << "the short degree carried";
    d.follow(40);
    EXPECT_EQ(d.takeSteps(), -2);
}

TEST(KnobDial, CrossingNorthCountsTheShortWay)
{
    KnobDial d({10, 10, 350, 10});
    d.grab(355);
    d.follow(5);
    EXPECT_EQ(d.takeSteps(), 1);
    d.follow(355);
    EXPECT_EQ(d.takeSteps(), -1);
    EXPECT_EQ(d.angle(), 355);
}

TEST(KnobDial, WheelNotchesWrapThePictureAndGiveOneStepEach)
{
    const struct { KnobMotion m; bool fromRest; int start; bool up; int angle; } rows[] = {
        {{60, 60, 299, 60}, true, 0, true, 60},
        {{60, 60, 299, 60}, true, 0, false, 300},
        {{1, 1, 358, 1}, false, 0, false, 358},
        {{1, 1, 358, 1}, false, 359, true, 1},
        {{18, 18, 341, 18}, false, 10, false, 341},
    };
    for (const auto& r : rows) {
        KnobDial d(r.m);
        if (!r.fromRest)
            d.grab(r.start);
        d.notch(r.up);
        EXPECT_EQ(d.angle(), r.angle) << r.start;
        EXPECT_EQ(d.takeSteps(), r.up ? 1 : -1) << r.start;
    }
}

} // namespace
} // namespace qx::test
