// Waiting in widget tests: spin the event loop until a condition holds or a
// generous time-out passes. QtTest's QTRY_ macros report to QtTest's own
// logger, which GoogleTest never hears of, so a failed QTRY_ would pass.
#pragma once
#include <QDeadlineTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace qx::test {

template <class Condition>
bool waitUntil(Condition done, int timeoutMs = 10000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}

} // namespace qx::test

// Fails the test (and returns) when `expr` does not come true within `ms`.
#define QX_WAIT_ASSERT(expr, ms) \
    ASSERT_TRUE(::qx::test::waitUntil([&] { return static_cast<bool>(expr); }, (ms))) << "waited for: " #expr
#define QX_WAIT_EXPECT(expr, ms) \
    EXPECT_TRUE(::qx::test::waitUntil([&] { return static_cast<bool>(expr); }, (ms))) << "waited for: " #expr
// Waits for `actual` to equal `expected`, then asserts it, showing both.
#define QX_WAIT_EQ(actual, expected, ms)                                          \
    do {                                                                          \
        ::qx::test::waitUntil([&] { return (actual) == (expected); }, (ms));      \
        ASSERT_EQ(actual, expected) << "waited " << (ms) << " ms";                \
    } while (0)
