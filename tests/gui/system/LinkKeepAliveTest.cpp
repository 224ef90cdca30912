// The window's own reconnecting: when it tries, at what pace, and that the
// operator's LINK press ends it.
#include "app/gui/LinkKeepAlive.h"

#include <gtest/gtest.h>

#include <chrono>

namespace qx {
namespace {

using namespace std::chrono_literals;

class KeepAlive : public ::testing::Test {
protected:
    // Ticks once a second for `seconds`; the attempts made meanwhile.
    int run(int seconds)
    {
        const int before = attempts;
        for (int i = 0; i < seconds; ++i) {
            now += 1s;
            keeper.tick(now);
        }
        return attempts - before;
    }
    void status(LinkPhase p)
    {
        LinkStatus s;
        s.phase = p;
        keeper.linkStatus(s);
    }

    bool linked = false;
    int attempts = 0;
    LinkKeepAlive::Clock::time_point now{};
    LinkKeepAlive keeper{[this] { return linked; }, [this] { ++attempts; }};
};

TEST_F(KeepAlive, NeverTriesForALinkThatWasNeverUp)
{
    status(LinkPhase::PortOpen);
    EXPECT_EQ(run(120), 0);
    EXPECT_EQ(keeper.note(), "");
}

TEST_F(KeepAlive, ALostLinkIsAskedForAtOnceThenLessAndLessOften)
{
    linked = true;
    status(LinkPhase::Linked);
    EXPECT_EQ(run(30), 0) << "nothing while linked";
    linked = false;
    status(LinkPhase::LinkLost);
    EXPECT_EQ(run(1), 1) << "at once";
    EXPECT_EQ(keeper.note(), "reconnecting by itself, attempt 1 (LINK stops)");
    EXPECT_EQ(run(5), 1) << "then after 5 s";
    EXPECT_EQ(run(10), 1) << "10 s";
    EXPECT_EQ(run(20), 1) << "20 s";
    EXPECT_EQ(run(40), 1) << "40 s";
    EXPECT_EQ(run(60), 1) << "at most once a minute";
    EXPECT_EQ(run(60), 1);
    EXPECT_EQ(keeper.attempts(), 7);

    linked = true; // back
    status(LinkPhase::Linked);
    EXPECT_EQ(run(5), 0);
    EXPECT_EQ(keeper.note(), "");
    linked = false; // lost again: the pace starts afresh
    EXPECT_EQ(run(1), 1);
    EXPECT_EQ(run(5), 1);
}

TEST_F(KeepAlive, TheOperatorsLinkPressEndsIt)
{
    linked = true;
    status(LinkPhase::Linked);
    keeper.operatorPressedLink(); // LINK off
    // A report made while the link was still up arrives after the press.
    status(LinkPhase::Linked);
    linked = false;
    EXPECT_EQ(run(120), 0);
    status(LinkPhase::PortOpen);
    status(LinkPhase::Linked);
    EXPECT_TRUE(keeper.armed()) << "linked again after it was down";
    keeper.operatorPressedLink();
    status(LinkPhase::PortOpen);
    EXPECT_EQ(run(120), 0);

    // Linked again, lost, trying: a press takes over from the retries.
    linked = true;
    status(LinkPhase::Linked);
    linked = false;
    EXPECT_EQ(run(6), 2);
    keeper.operatorPressedLink();
    EXPECT_FALSE(keeper.armed());
    EXPECT_EQ(run(120), 0);
    EXPECT_EQ(keeper.note(), "");
}

} // namespace
} // namespace qx
