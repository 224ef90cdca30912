#include "panel/dsp/DspKnobRules.h"

#include <gtest/gtest.h>

namespace qx::dsp {
namespace {

TEST(DspKnobRules, ContourFrequencyTurnsOverItsFiveStops)
{
    const struct { int current, steps, next; } rows[] = {
        {1, 1, 8}, {8, 1, 14}, {14, 1, 20}, {20, 1, 26}, {26, 1, 26}, {1, 4, 26}, {1, 2, 14},
        {26, -1, 20}, {20, -1, 14}, {14, -1, 8}, {8, -1, 1}, {1, -1, 1}, {1, 0, 1},
        {5, -1, 1}, {9, -1, 3}, {26, -9, 1},
    };
    for (const auto& r : rows)
        EXPECT_EQ(contourFrequencyAfterSteps(r.current, r.steps), r.next) << r.current << " " << r.steps;
}

TEST(DspKnobRules, ContourFrequencyLabelJumpsUpAndCreepsDown)
{
    const struct { int current, direction, next; } rows[] = {
        {1, 1, 8}, {8, 1, 14}, {14, 1, 20}, {20, 1, 26}, {26, 1, 26}, {9, 1, 10},
        {8, -1, 7}, {1, -1, 1}, {26, -1, 25}, {32, -1, 26},
    };
    for (const auto& r : rows)
        EXPECT_EQ(contourFrequencyAfterLabelStep(r.current, r.direction), r.next) << r.current;
}

TEST(DspKnobRules, DotAnglesOfTheSelectedLabels)
{
    const struct { int (*angle)(int); int value, expected; } rows[] = {
        {contourFrequencyDotAngle, 1, 230}, {contourFrequencyDotAngle, 14, 0}, {contourFrequencyDotAngle, 26, 120},
        {contourLevelDotAngle, -2, 200}, {contourLevelDotAngle, 0, 0}, {contourLevelDotAngle, 2, 160},
        {dnrLevelDotAngle, 1, 210}, {dnrLevelDotAngle, 6, 0}, {dnrLevelDotAngle, 11, 150},
        {notchDotAngle, 73, 233}, {notchDotAngle, 199, 359}, {notchDotAngle, 200, 0}, {notchDotAngle, 327, 127},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.angle(r.value), r.expected) << r.value;
}

} // namespace
} // namespace qx::dsp
