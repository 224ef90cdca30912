#include "serial/SerialSender.h"

#include "app/MessageIds.h"
#include "serial/ComLink.h"
#include "serial/TextQueue.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"
#include "tests/unit/serial/FakeSerialDevice.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using namespace std::chrono_literals;

class SerialSenderTest : public ::testing::Test {
protected:
    void SetUp() override { state.setMenuReady(true); }

    void send(const std::string& text)
    {
        ASSERT_GT(commands.put(text), 0);
        sender.handle(Message{UM_SEND_QUEUED, 0, 0});
    }
    void openQuietly()
    {
        ASSERT_TRUE(link.open());
        line().written.clear();
    }
    test::FakeLine& line() { return *fake.line; }

    test::FakeOpener fake;
    test::FakeOutbox outbox;
    test::FakeClock clock;
    int ai = 0;
    ComLink link{fake.opener(), [](int) { return std::optional<std::string>("/dev/fake"); }, outbox,
                 [this] { return ai; }};
    TextQueue commands;
    LinkFlags flags;
    RadioState state;
    SerialSender sender{link, commands, clock, flags, state};
};

TEST_F(SerialSenderTest, ClosedPortIsReopenedWithTheAiCommandAndAPauseFirst)
{
    ai = 1;
    send("FA;");
    EXPECT_EQ(line().written, "AI1;FA;");
    EXPECT_EQ(clock.sleeps, (std::vector<Clock::Ms>{100ms}));
    EXPECT_TRUE(flags.answerPending);
}

TEST_F(SerialSenderTest, OpenPortSendsAtOnce)
{
    openQuietly();
    send("PS;");
    EXPECT_EQ(line().written, "PS;");
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(SerialSenderTest, WaitsForTheMenuWithoutTouchingTheQueue)
{
    openQuietly();
    state.setMenuReady(false);
    send("PS;");
    send("ID;");
    EXPECT_EQ(line().written, "");
    EXPECT_EQ(commands.pending(), 2);
    state.setMenuReady(true);
    sender.handle(Message{UM_SEND_QUEUED, 0, 0});
    EXPECT_EQ(line().written, "PS;");
}

TEST_F(SerialSenderTest, PortThatWillNotOpenLosesTheCommand)
{
    *fake.refuse = true;
    send("FA;");
    EXPECT_EQ(commands.pending(), 0);
    EXPECT_FALSE(flags.answerPending);
    ASSERT_EQ(outbox.windowPosts.size(), 1u);
    EXPECT_EQ(outbox.windowPosts[0], (Message{UM_SHOW_ERROR, 0, 0}));
    EXPECT_TRUE(clock.sleeps.empty());
}

struct LineCase {
    const char* name;
    LineStatus status;
    bool sent;
    bool closes;
};

LineStatus with(auto change)
{
    LineStatus s;
    change(s);
    return s;
}

class SenderLine : public SerialSenderTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(SenderLine, SendsOnlyOverAFitLine)
{
    openQuietly();
    line().status = GetParam().status;
    send("FA;");
    EXPECT_EQ(line().written, GetParam().sent ? "FA;" : "");
    EXPECT_EQ(flags.answerPending.load(), GetParam().sent);
    EXPECT_EQ(link.isOpen(), !GetParam().closes);
    EXPECT_EQ(commands.pending(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SenderLine,
    ::testing::Values(
        LineCase{"clear", {}, true, false},
        LineCase{"backlogJustBelowTheLimit", with([](LineStatus& s) { s.outQueue = 5119; }), true, false},
        LineCase{"backlogAtTheLimit", with([](LineStatus& s) { s.outQueue = 5120; }), false, true},
        LineCase{"lineDown", with([](LineStatus& s) { s.lineDown = true; }), false, true},
        LineCase{"ctsHoldAloneStopsNothing", with([](LineStatus& s) { s.ctsHold = true; }), true, false},
        LineCase{"dsrHold", with([](LineStatus& s) { s.dsrHold = true; }), false, false},
        LineCase{"xoffHold", with([](LineStatus& s) { s.xoffHold = true; }), false, false},
        LineCase{"xoffSent", with([](LineStatus& s) { s.xoffSent = true; }), false, false},
        LineCase{"eof", with([](LineStatus& s) { s.eof = true; }), false, false},
        LineCase{"rxOverflow", with([](LineStatus& s) { s.errors = CommError::RxOverflow; }), false, false},
        LineCase{"overrun", with([](LineStatus& s) { s.errors = CommError::Overrun; }), false, false},
        LineCase{"parity", with([](LineStatus& s) { s.errors = CommError::Parity; }), false, false},
        LineCase{"framing", with([](LineStatus& s) { s.errors = CommError::Framing; }), false, false},
        LineCase{"break", with([](LineStatus& s) { s.errors = CommError::Break; }), false, false},
        LineCase{"txFull", with([](LineStatus& s) { s.errors = CommError::TxFull; }), false, false},
        LineCase{"io", with([](LineStatus& s) { s.errors = CommError::Io; }), false, false},
        LineCase{"mode", with([](LineStatus& s) { s.errors = CommError::Mode; }), false, false},
        LineCase{"severalErrorsPass",
                 with([](LineStatus& s) { s.errors = CommError::Parity | CommError::Framing; }), true, false},
        LineCase{"unlistedErrorPasses", with([](LineStatus& s) { s.errors = 64; }), true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SerialSenderTest, AutoInformationFlagFollowsTheFirstFourBytes)
{
    openQuietly();
    struct Case { const char* text; bool before; bool after; };
    for (const Case c : {Case{"AI1;", false, true}, Case{"AI0;", true, false}, Case{"AI1;FA;", false, true},
                         Case{"AI;", true, true}, Case{"AI;", false, false}, Case{"FA;", true, true},
                         Case{"AI2;", true, true}}) {
        flags.aiSent = c.before;
        send(c.text);
        EXPECT_EQ(flags.aiSent.load(), c.after) << c.text;
    }
}

TEST_F(SerialSenderTest, LongestTextGoesOutWhole)
{
    openQuietly();
    const std::string text = "KM1" + std::string(507, 'A') + ";";
    ASSERT_EQ(text.size(), 511u);
    send(text);
    EXPECT_EQ(line().written, text);
}

TEST_F(SerialSenderTest, FailedWriteClosesThePortAndLeavesNothingPending)
{
    openQuietly();
    line().failWrites = true;
    send("FA;");
    EXPECT_FALSE(flags.answerPending);
    EXPECT_FALSE(link.isOpen());
}

TEST_F(SerialSenderTest, MessageWithoutAQueuedTextSendsNothing)
{
    openQuietly();
    sender.handle(Message{UM_SEND_QUEUED, 0, 0});
    EXPECT_EQ(line().written, "");
    EXPECT_FALSE(flags.answerPending);
}

} // namespace
} // namespace qx
