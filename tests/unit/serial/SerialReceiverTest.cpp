#include "serial/SerialReceiver.h"

#include "app/MessageIds.h"
#include "menu/MenuTable.h"
#include "serial/ComLink.h"
#include "serial/TextQueue.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"
#include "tests/unit/serial/FakeSerialDevice.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

class SerialReceiverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.setMenuReady(true);
        ASSERT_TRUE(link.open());
        line().written.clear();
    }

    void poll() { receiver.handle(Message{UM_RECV_START, 0, 0}); }
    test::FakeLine& line() { return *fake.line; }

    std::vector<std::string> takeAll()
    {
        std::vector<std::string> out;
        std::array<char, TextQueue::kSlotSize> buf{};
        for (int n; (n = answers.tryTake(buf)) > 0;)
            out.emplace_back(buf.data(), static_cast<std::size_t>(n));
        return out;
    }
    std::size_t arrivals() const
    {
        std::size_t n = 0;
        for (const auto& p : outbox.threadPosts)
            n += p.to == ThreadId::AnlRecv && p.m == Message{UM_ANSWER_ARRIVED, 0, 0};
        return n;
    }

    test::FakeOpener fake;
    test::FakeOutbox outbox;
    ComLink link{fake.opener(), [](int) { return std::optional<std::string>("/dev/fake"); }, outbox,
                 [] { return 0; }};
    TextQueue answers;
    LinkFlags flags;
    RadioState state;
    MenuTable menu;
    SerialReceiver receiver{link, answers, outbox, flags, state, menu};
};

TEST_F(SerialReceiverTest, HandsEachFramedAnswerOnWithOnePost)
{
    flags.answerPending = true;
    line().incoming = "FA14250000;MD02;";
    poll();
    EXPECT_FALSE(flags.answerPending);
    EXPECT_EQ(takeAll(), (std::vector<std::string>{"FA14250000"}));
    EXPECT_EQ(arrivals(), 1u);
    poll();
    EXPECT_EQ(takeAll(), (std::vector<std::string>{"MD02"}));
    EXPECT_EQ(arrivals(), 2u);
    poll();
    EXPECT_EQ(arrivals(), 2u);
}

TEST_F(SerialReceiverTest, DoesNothingUntilTheMenuIsLoaded)
{
    state.setMenuReady(false);
    line().incoming = "FA14250000;";
    poll();
    EXPECT_EQ(line().incoming, "FA14250000;");
    EXPECT_TRUE(line().rtsCalls.empty());
    EXPECT_TRUE(outbox.threadPosts.empty());
}

TEST_F(SerialReceiverTest, ErrorRepliesAndUnframeableBytesPostNothing)
{
    flags.answerPending = true;
    line().incoming = "?;";
    for (int i = 0; i < 4; ++i)
        poll();
    EXPECT_TRUE(flags.answerPending); // only a framed answer clears it
    EXPECT_TRUE(takeAll().empty());
    EXPECT_EQ(arrivals(), 0u);
}

TEST_F(SerialReceiverTest, RaisesRtsWhileRoomyAndDropsItOnOverflow)
{
    poll();
    ASSERT_EQ(line().rtsCalls, (std::vector<bool>{true}));
    line().status.errors = CommError::RxOverflow;
    poll();
    EXPECT_EQ(line().rtsCalls, (std::vector<bool>{true, false}));
}

TEST_F(SerialReceiverTest, DropsRtsWhileTheBufferHoldsTwoKilobytes)
{
    // An unknown code without its ";" yet keeps everything buffered.
    line().incoming = "ZZ" + std::string(2100, '1');
    poll();
    ASSERT_EQ(receiver.framer().count(), 2102u);
    line().rtsCalls.clear();
    poll();
    EXPECT_EQ(line().rtsCalls, (std::vector<bool>{false}));
    line().incoming = ";";
    poll();
    EXPECT_EQ(receiver.framer().count(), 0u);
    EXPECT_TRUE(takeAll().empty()); // longer than a queue slot: dropped, not announced
    EXPECT_EQ(arrivals(), 0u);
}

TEST_F(SerialReceiverTest, LineDownClosesThePortButBufferedAnswersStillGoOut)
{
    line().incoming = "FA14250000;MD02;";
    poll();
    line().status.lineDown = true;
    line().incoming = "ID0241;";
    poll();
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(line().incoming, "ID0241;"); // not read from a closed port
    EXPECT_EQ(takeAll(), (std::vector<std::string>{"FA14250000", "MD02"}));
}

TEST_F(SerialReceiverTest, FramingErrorStripsLeadingNoise)
{
    line().incoming = std::string("\x00\xf0", 2) + "PS1;";
    line().status.errors = CommError::Framing;
    poll();
    EXPECT_EQ(takeAll(), (std::vector<std::string>{"PS1"}));
}

TEST_F(SerialReceiverTest, MenuAnswersUseTheMenuTableAndTheHighestNumber)
{
    MenuItem item;
    item.number = 3;
    item.kind = 0;
    item.width = 4;
    menu.putEntry(3, item);
    state.set(RadioState::Int::HIGHEST_MENU, 3);
    line().incoming = "EX0031234;EX004123;MD01;";
    poll();
    poll();
    poll();
    EXPECT_EQ(takeAll(), (std::vector<std::string>{"EX0031234", "MD01"}));
}

TEST_F(SerialReceiverTest, IgnoresOtherMessages)
{
    line().incoming = "FA14250000;";
    receiver.handle(Message{UM_SEND_QUEUED, 0, 0});
    EXPECT_EQ(line().incoming, "FA14250000;");
}

} // namespace
} // namespace qx
