#include "serial/SerialReceiver.h"

#include "core/MessageIds.h"
#include "menu/MenuTable.h"
#include "serial/ComLink.h"
#include "serial/TextQueue.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"
#include "tests/unit/serial/FakeSerialDevice.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

struct SerialReceiverTest : ::testing::Test {
    std::shared_ptr<test::FakeLine> line = std::make_shared<test::FakeLine>();
    test::FakeOutbox outbox;
    ComLink link{test::fakeOpener(line), test::fakePath, outbox, [] { return 0; }};
    TextQueue answers;
    LinkFlags flags;
    RadioState state;
    MenuTable menu;
    SerialReceiver receiver{link, answers, outbox, flags, state, menu};

    void SetUp() override
    {
        state.setMenuReady(true);
        ASSERT_TRUE(link.open());
    }
    // Polls n times; the texts handed on, each of which must come with one post.
    std::vector<std::string> poll(int n = 1)
    {
        outbox.clear();
        for (int i = 0; i < n; ++i)
            receiver.handle(Message{UM_RECV_START, 0, 0});
        std::vector<std::string> out;
        std::array<char, TextQueue::kSlotSize> buf{};
        for (int len; (len = answers.tryTake(buf)) > 0;)
            out.emplace_back(buf.data(), static_cast<std::size_t>(len));
        EXPECT_EQ(outbox.threadPosts.size(), out.size());
        for (const auto& p : outbox.threadPosts)
            EXPECT_TRUE(p.to == ThreadId::AnlRecv && p.m == (Message{UM_ANSWER_ARRIVED, 0, 0}));
        return out;
    }
};

using Texts = std::vector<std::string>;

TEST_F(SerialReceiverTest, HandsOnOneAnswerPerPollAndClearsThePendingFlag)
{
    line->incoming = "FA14250000;?;MD02;";
    flags.answerPending = true;
    EXPECT_EQ(poll(), Texts{"FA14250000"});
    EXPECT_FALSE(flags.answerPending);
    flags.answerPending = true;
    EXPECT_EQ(poll(), Texts{"?"}); // the radio's refusal is its answer too
    EXPECT_FALSE(flags.answerPending);
    EXPECT_EQ(poll(), Texts{"MD02"});
    state.setMenuReady(false); // idle until the menu is loaded
    line->incoming = "FA14250000;";
    EXPECT_EQ(poll(), Texts{});
    EXPECT_EQ(line->incoming, "FA14250000;");
}

TEST_F(SerialReceiverTest, RtsFollowsTheBufferAndOverflow)
{
    line->incoming = "ZZ" + std::string(2100, '1'); // stays buffered: no ";" yet
    poll();
    line->status.errors = CommError::RxOverflow;
    poll();
    line->status.errors = 0;
    line->incoming = ";";
    EXPECT_EQ(poll(), Texts{}); // too long for a queue slot: dropped, not announced
    poll();
    EXPECT_EQ(line->rts, (std::vector<bool>{true, false, false, true}));
}

TEST_F(SerialReceiverTest, LineDownClosesThePortButBufferedAnswersStillGoOut)
{
    line->incoming = "FA14250000;MD02;";
    poll();
    line->status.lineDown = true;
    line->incoming = "ID0241;";
    EXPECT_EQ(poll(), Texts{"MD02"});
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(line->incoming, "ID0241;");
}

TEST_F(SerialReceiverTest, MenuAnswersUseTheTableAndTheHighestMenuNumber)
{
    MenuItem item;
    item.number = 3, item.width = 4;
    menu.putEntry(3, item);
    menu.setCount(3);
    state.set(RadioState::Int::HIGHEST_MENU, 3);
    line->incoming = "EX0031234;EX004123;MD01;";
    EXPECT_EQ(poll(3), (Texts{"EX0031234", "MD01"}));
}

} // namespace
} // namespace qx
