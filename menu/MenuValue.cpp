#include "menu/MenuValue.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace qx {

int menuInt(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double kMax = std::numeric_limits<int>::max();
    constexpr double kMin = std::numeric_limits<int>::min();
    if (value >= kMax)
        return std::numeric_limits<int>::max();
    if (value <= kMin)
        return std::numeric_limits<int>::min();
    // Printing rounds to the sixth decimal, which is what lets 11.9999997 count as 12.
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6f", value);
    long long whole = 0;
    bool negative = false;
    const char* p = buf;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    for (; *p >= '0' && *p <= '9'; ++p)
        whole = whole * 10 + (*p - '0');
    if (negative)
        whole = -whole;
    if (whole > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (whole < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(whole);
}

long long truncatedValue(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double kLimit = 9.0e18;
    if (value >= kLimit)
        return static_cast<long long>(kLimit);
    if (value <= -kLimit)
        return -static_cast<long long>(kLimit);
    return static_cast<long long>(value);
}

} // namespace qx
