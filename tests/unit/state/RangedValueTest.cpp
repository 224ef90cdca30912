#include "state/RangedValue.h"

#include <gtest/gtest.h>

#include <limits>

namespace qx {
namespace {

struct IntCase {
    int offered;
    int expected;
};

TEST(RangedValue, StoresOnlyValuesInsideInclusiveBounds)
{
    const IntCase cases[] = {
        {-6, 3}, {-5, -5}, {0, 0}, {7, 7}, {8, 7}, {std::numeric_limits<int>::min(), 7},
        {std::numeric_limits<int>::max(), 7},
    };
    RangedValue<int> v(-5, 7, 3);
    for (const IntCase& c : cases) {
        EXPECT_TRUE(v.set(c.offered)) << c.offered;
        EXPECT_EQ(v.get(), c.expected) << "after offering " << c.offered;
    }
}

TEST(RangedValue, RealRejectsOutsideBoundsAndNaN)
{
    RangedValue<double> v(-9999.0, 9999.0, 0.0);
    EXPECT_TRUE(v.set(-9999.0));
    EXPECT_EQ(v.get(), -9999.0);
    EXPECT_TRUE(v.set(9999.5));
    EXPECT_TRUE(v.set(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_TRUE(v.set(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(v.get(), -9999.0);
    EXPECT_TRUE(v.set(12.5));
    EXPECT_EQ(v.get(), 12.5);
}

TEST(RangedValue, ResetPutsBackEvenAnOutOfRangeDefault)
{
    RangedValue<int> v(241, 243, 0);
    EXPECT_EQ(v.get(), 0);
    v.set(242);
    v.reset(0);
    EXPECT_EQ(v.get(), 0);
    EXPECT_EQ(v.lower(), 241);
    EXPECT_EQ(v.upper(), 243);
}

} // namespace
} // namespace qx
