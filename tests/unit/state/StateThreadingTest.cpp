// A writer and a reader on the same entries at once. Run under the thread
// sanitizer these catch a data race; in any build they catch a reader seeing
// a value the store should never hold.
#include "state/RadioState.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace qx {
namespace {

TEST(RadioStateThreads, ReaderSeesOnlyStoredFrequencies)
{
    RadioState rs;
    constexpr int kRounds = 20000;
    std::thread writer([&rs] {
        for (int i = 0; i < kRounds; ++i)
            rs.set(RadioState::Int::FA, (i % 2) ? 14000000 : 29999);
        rs.setMenuReady(true);
    });
    bool onlyKnown = true;
    while (!rs.menuReady()) {
        const int fa = rs.get(RadioState::Int::FA);
        if (fa != 7000000 && fa != 14000000)
            onlyKnown = false;
    }
    writer.join();
    EXPECT_TRUE(onlyKnown);
    EXPECT_EQ(rs.get(RadioState::Int::FA), 14000000);
}

TEST(RadioStateThreads, KeyerTextIsNeverTorn)
{
    RadioState rs;
    const std::string a(51, 'A');
    const std::string b(10, 'B');
    rs.setKeyerText(1, a);
    std::thread writer([&] {
        for (int i = 0; i < 5000; ++i)
            rs.setKeyerText(1, (i % 2) ? a : b);
        rs.setMenuReady(true);
    });
    bool whole = true;
    while (!rs.menuReady()) {
        const std::string t = rs.keyerText(1);
        if (t != a && t != b)
            whole = false;
    }
    writer.join();
    EXPECT_TRUE(whole);
}

} // namespace
} // namespace qx
