#include "cat/Watchdog.h"

#include "core/MessageIds.h"
#include "tests/FakeOutbox.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

struct TickCase {
    bool pending, bytesWaiting, lineDown, lost;
};

class WatchdogTick : public ::testing::TestWithParam<TickCase> {};

TEST_P(WatchdogTick, DecidesFromTheOutstandingCommandAndTheLine)
{
    const TickCase& c = GetParam();
    LinkFlags flags;
    flags.answerPending = c.pending;
    FakeOutbox outbox;
    AnswerWatchdog::tick(flags, LineObservation{c.bytesWaiting, c.lineDown}, outbox);
    EXPECT_FALSE(flags.answerPending);
    ASSERT_EQ(outbox.threadPosts.size(), c.lost ? 1u : 0u);
    if (c.lost) {
        EXPECT_EQ(outbox.threadPosts[0].to, ThreadId::AnlRecv);
        EXPECT_EQ(outbox.threadPosts[0].m, (Message{UM_AI_OFF_SEEN, 0, 0}));
    }
}

// Nothing outstanding: only a dead line counts. A command outstanding: lost
// unless bytes are on their way.
INSTANTIATE_TEST_SUITE_P(Ticks, WatchdogTick,
                         ::testing::Values(TickCase{false, false, false, false}, TickCase{false, true, false, false},
                                           TickCase{false, false, true, true}, TickCase{false, true, true, true},
                                           TickCase{true, false, false, true}, TickCase{true, true, false, false},
                                           TickCase{true, false, true, true}, TickCase{true, true, true, false}));

} // namespace
} // namespace qx::test
