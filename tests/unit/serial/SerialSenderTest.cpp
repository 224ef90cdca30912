#include "serial/SerialSender.h"

#include "core/MessageIds.h"
#include "serial/ComLink.h"
#include "serial/TextQueue.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"
#include "tests/unit/serial/FakeSerialDevice.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using namespace std::chrono_literals;

struct SerialSenderTest : ::testing::Test {
    std::shared_ptr<test::FakeLine> line = std::make_shared<test::FakeLine>();
    test::FakeOutbox outbox;
    test::FakeClock clock;
    ComLink link{test::fakeOpener(line), test::fakePath, outbox, [] { return 1; }};
    TextQueue commands;
    LinkFlags flags;
    RadioState state;
    SerialSender sender{link, commands, clock, flags, state};

    void SetUp() override { state.setMenuReady(true); }
    void send(const std::string& text)
    {
        ASSERT_GT(commands.put(text), 0);
        sender.handle(Message{UM_SEND_QUEUED, 0, 0});
    }
};

TEST_F(SerialSenderTest, ReopensAClosedPortWithTheAiCommandAndAPause)
{
    send("FA;");
    send("PS;");
    EXPECT_EQ(line->written, "AI1;FA;PS;");
    EXPECT_EQ(clock.sleeps, (std::vector<Clock::Ms>{100ms}));
    EXPECT_TRUE(flags.answerPending);
}

TEST_F(SerialSenderTest, OpensThePortWhenAskedEvenBeforeTheMenuIsReady)
{
    state.setMenuReady(false);
    sender.handle(Message{UM_PORT_OPEN, 0, 0});
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(line->written, "AI1;");
    sender.handle(Message{UM_PORT_OPEN, 0, 0});
    EXPECT_EQ(line->opens, 1);
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(SerialSenderTest, WaitsForTheMenuThenSendsEveryWaitingCommand)
{
    state.setMenuReady(false);
    send("PS;");
    send("AI1;");
    EXPECT_EQ(line->written, "");
    EXPECT_EQ(commands.pending(), 2);
    state.setMenuReady(true);
    // The first message after the menu is ready also sends what waited, so
    // nothing stays behind (a trailing "AI;" would otherwise never go out).
    send("AI;");
    EXPECT_EQ(line->written, "AI1;PS;AI1;AI;");
    EXPECT_EQ(commands.pending(), 0);
    send("FA;");
    EXPECT_EQ(line->written, "AI1;PS;AI1;AI;FA;");
}

TEST_F(SerialSenderTest, TheMenuReadyWakeSendsWhatWaitedAndNothingMore)
{
    state.setMenuReady(false);
    send("PS;");
    // A wake before the menu is ready must not count as a waiting command.
    sender.handle(Message{UM_SEND_QUEUED, SerialSender::kWaitingOnly, 0});
    state.setMenuReady(true);
    sender.handle(Message{UM_SEND_QUEUED, SerialSender::kWaitingOnly, 0});
    EXPECT_EQ(line->written, "AI1;PS;");
    ASSERT_GT(commands.put("FA;"), 0);
    sender.handle(Message{UM_SEND_QUEUED, SerialSender::kWaitingOnly, 0});
    EXPECT_EQ(line->written, "AI1;PS;"); // a command's own message sends it
    sender.handle(Message{UM_SEND_QUEUED, 0, 0});
    EXPECT_EQ(line->written, "AI1;PS;FA;");
}

TEST_F(SerialSenderTest, LosesTheCommandWhenThePortWillNotOpenOrTheWriteFails)
{
    line->refuse = true;
    send("FA;");
    EXPECT_EQ(outbox.windowPosts, (std::vector<Message>{{UM_SHOW_ERROR, 0, 0}}));
    line->refuse = false;
    line->failWrites = true;
    send("FB;");
    EXPECT_EQ(commands.pending(), 0);
    EXPECT_FALSE(flags.answerPending);
    EXPECT_FALSE(link.isOpen()); // the next command reopens
}

TEST_F(SerialSenderTest, SendsOnlyOverAFitLine)
{
    struct Case { std::size_t outQueue; bool down, held; std::uint32_t errors; bool sent, closes; };
    using namespace CommError;
    const std::vector<Case> cases{
        {5119, false, false, 0, true, false},  {5120, false, false, 0, false, true},
        {0, true, false, 0, false, true},      {0, false, true, 0, false, false},
        {0, false, false, Overrun, false, false}, {0, false, false, Mode, false, false},
        {0, false, false, Io, false, false},   {0, false, false, Parity | Framing, true, false},
        {0, false, false, 64, true, false},
    };
    for (const Case& c : cases) {
        line->status = LineStatus{};
        ASSERT_TRUE(link.open() || link.isOpen());
        line->written.clear();
        line->status.outQueue = c.outQueue;
        line->status.lineDown = c.down;
        line->status.xoffHold = c.held;
        line->status.ctsHold = true; // never stops a command by itself
        line->status.errors = c.errors;
        flags.answerPending = false;
        send("FA;");
        EXPECT_EQ(line->written, c.sent ? "FA;" : "") << c.outQueue << c.down << c.held << c.errors;
        EXPECT_EQ(flags.answerPending, c.sent);
        EXPECT_EQ(link.isOpen(), !c.closes);
    }
}

TEST_F(SerialSenderTest, AutoInformationFlagFollowsTheFirstFourBytes)
{
    for (auto [text, before, after] : {std::tuple{"AI1;", false, true}, {"AI0;", true, false},
                                       {"AI1;FA;", false, true}, {"AI;", true, true}, {"AI2;", false, false}}) {
        flags.aiSent = before;
        send(text);
        EXPECT_EQ(flags.aiSent, after) << text;
    }
}

} // namespace
} // namespace qx
