#include "serial/SerialReceiver.h"

#include "core/MessageIds.h"
#include "menu/MenuTable.h"
#include "serial/ComLink.h"
#include "serial/TextQueue.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"
#include "tests/unit/serial/FakeSerialDevice.h"

#include <gtest/gtest.h>

#include <poll.h>

namespace qx {
namespace {

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

struct SerialReceiverTest : ::testing::Test {
    std::shared_ptr<test::FakeLine> line = std::make_shared<test::FakeLine>();
    test::FakeOutbox outbox;
    test::FakeClock clock;
    ComLink link{test::fakeOpener(line), test::fakePath, outbox, [] { return 0; }};
    TextQueue answers;
    LinkFlags flags;
    RadioState state;
    MenuTable menu;
    SerialReceiver receiver{link, answers, outbox, flags, state, menu, clock};

    void SetUp() override
    {
        state.setMenuReady(true);
        ASSERT_TRUE(link.open());
    }
    // One wake-up; the texts handed on, each of which must come with one post.
    Texts wake(short revents = POLLIN)
    {
        outbox.clear();
        receiver.onInput(revents);
        return handedOn();
    }
    Texts handedOn()
    {
        Texts out;
        std::array<char, TextQueue::kSlotSize> buf{};
        for (int len; (len = answers.tryTake(buf)) > 0;)
            out.emplace_back(buf.data(), static_cast<std::size_t>(len));
        std::size_t posts = 0;
        for (const auto& p : outbox.threadPosts)
            if (p.to == ThreadId::AnlRecv) {
                EXPECT_EQ(p.m, (Message{UM_ANSWER_ARRIVED, 0, 0}));
                ++posts;
            }
        EXPECT_EQ(posts, out.size());
        return out;
    }
};

TEST_F(SerialReceiverTest, HandsOnEverythingThatArrivedAndClearsThePendingFlag)
{
    line->incoming = "FA14250000;?;MD02;";
    flags.answerPending = true;
    EXPECT_EQ(wake(), (Texts{"FA14250000", "?", "MD02"}));
    EXPECT_FALSE(flags.answerPending);
    flags.answerPending = true;
    line->incoming = "?;FA1425";
    EXPECT_EQ(wake(), Texts{"?"}); // the radio's refusal is its answer too
    EXPECT_FALSE(flags.answerPending);
    outbox.clear();
    line->incoming = "0010;";
    receiver.handle(Message{UM_RECV_START, 0, 0}); // a poll by message reads the same way
    EXPECT_EQ(handedOn(), Texts{"FA14250010"});

    state.setMenuReady(false); // idle until the menu is loaded
    line->incoming = "FA14250000;";
    EXPECT_EQ(wake(), Texts{});
    EXPECT_EQ(line->incoming, "FA14250000;");
}

TEST_F(SerialReceiverTest, AReadThatFillsTheBufferIsFollowedByAnotherInTheSameWake)
{
    const std::string answer = "IF00014250000+000000020000";
    for (int i = 0; i < 700; ++i)
        line->incoming += answer + ";";
    ASSERT_GT(line->incoming.size(), AnswerFramer::kCapacity);
    const Texts got = wake();
    EXPECT_EQ(got, Texts(700, answer));
    EXPECT_TRUE(line->incoming.empty());
}

TEST_F(SerialReceiverTest, RtsFollowsOverflow)
{
    line->status.errors = CommError::RxOverflow;
    wake();
    line->status.errors = 0;
    wake();
    EXPECT_EQ(line->rts, (std::vector<bool>{false, true}));
}

TEST_F(SerialReceiverTest, LineDownClosesThePortAndReadsNoMore)
{
    line->incoming = "FA1425";
    wake();
    line->status.lineDown = true;
    line->incoming = "0000;ID0241;";
    EXPECT_EQ(wake(), Texts{});
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(line->incoming, "0000;ID0241;");
    EXPECT_EQ(receiver.framer().buffered(), "FA1425");
}

TEST_F(SerialReceiverTest, MenuAnswersUseTheTableAndTheHighestMenuNumber)
{
    MenuItem item;
    item.number = 3, item.width = 4;
    menu.putEntry(3, item);
    menu.setCount(3);
    state.set(RadioState::Int::HIGHEST_MENU, 3);
    line->incoming = "EX0031234;EX004123;MD01;";
    EXPECT_EQ(wake(), (Texts{"EX0031234", "MD01"}));
}

TEST_F(SerialReceiverTest, WaitsOnTheDeviceAndOnlyForWhatCanArrive)
{
    // A device without a descriptor is looked at every few milliseconds.
    InputWait w = receiver.inputWait();
    EXPECT_EQ(w.fd, -1);
    EXPECT_EQ(w.until, clock.now() + SerialReceiver::kFallbackPoll);

    line->fd = 42;
    w = receiver.inputWait();
    EXPECT_EQ(w.fd, 42);
    EXPECT_FALSE(w.until);

    // Part of a 27-character answer is in: sleep until its last character is
    // due at the line's speed, counted from its first, then watch the line.
    ASSERT_TRUE(link.setBaudRate(4800));
    const auto ct = SerialReceiver::characterTime(4800);
    EXPECT_EQ(ct, std::chrono::nanoseconds(2'291'666));
    line->incoming = "IF0";
    wake();
    // Three characters in: the first came two character times ago at the latest.
    const auto firstByte = clock.now() - ct * 2;
    w = receiver.inputWait();
    EXPECT_EQ(w.fd, -1);
    EXPECT_EQ(w.until, firstByte + ct * 26 + SerialReceiver::kLastByteGrace);
    clock.advance(30ms);
    line->incoming = "0014250000+000"; // on time: the due time stays
    wake();
    EXPECT_EQ(receiver.inputWait().until, firstByte + ct * 26 + SerialReceiver::kLastByteGrace);
    clock.advance(30ms);
    EXPECT_EQ(receiver.inputWait().fd, 42) << "late: what is missing is waited for on the line";

    line->incoming = "000020000;";
    EXPECT_EQ(wake(), Texts{"IF00014250000+000000020000"});
    EXPECT_EQ(receiver.inputWait().fd, 42) << "nothing pending, nothing to sleep through";

    // Closed, or the menu not loaded: only mail (the open, the ready menu) wakes it.
    state.setMenuReady(false);
    w = receiver.inputWait();
    EXPECT_TRUE(w.fd == -1 && !w.until);
    state.setMenuReady(true);
    link.close();
    w = receiver.inputWait();
    EXPECT_TRUE(w.fd == -1 && !w.until);
}

TEST_F(SerialReceiverTest, TheLinkWakesTheReceiveThreadWhenItOpensOrCloses)
{
    outbox.clear();
    link.close();
    ASSERT_TRUE(link.open());
    ASSERT_EQ(outbox.threadPosts.size(), 2u);
    for (const auto& p : outbox.threadPosts)
        EXPECT_TRUE(p.to == ThreadId::SioRecv && p.m == (Message{UM_RECV_START, 0, 0}));
}

// A descriptor that keeps saying "readable" with nothing to read would spin
// the thread: the far end is gone, whatever the device says.
TEST_F(SerialReceiverTest, ReadableWithNothingToReadClosesThePortOnlyWhenItSpins)
{
    line->fd = 42;
    auto emptyWakes = [&](int n, std::chrono::milliseconds apart, short revents = POLLIN) {
        for (int i = 0; i < n; ++i) {
            receiver.inputWait();
            wake(revents);
            clock.advance(apart);
        }
    };
    // Now and then, as a network device's control bytes may: no harm.
    emptyWakes(2 * SerialReceiver::kEmptyWakesToHangUp, SerialReceiver::kSpinWindow);
    EXPECT_TRUE(link.isOpen());
    // Bytes in between start the count again; deadlines prove nothing.
    emptyWakes(SerialReceiver::kEmptyWakesToHangUp - 1, 0ms, POLLIN | POLLHUP);
    line->incoming = "PS1;";
    receiver.inputWait();
    EXPECT_EQ(wake(), Texts{"PS1"});
    emptyWakes(SerialReceiver::kEmptyWakesToHangUp - 1, 0ms);
    emptyWakes(5, 0ms, 0);
    EXPECT_TRUE(link.isOpen());
    emptyWakes(1, 0ms);
    EXPECT_FALSE(link.isOpen());
}

} // namespace
} // namespace qx
