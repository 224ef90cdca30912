// Reading the memory channels: a few reads in flight, answers matched to
// reads even when one goes missing or another window's answer comes in
// between, and a silent radio ending the read as a failure.
#include "backup/ChannelReader.h"
#include "tests/unit/backup/BackupWorld.h"

namespace qx::test {
namespace {

struct ChannelReaderTest : BackupWorld {
    std::vector<int> asked() const
    {
        std::vector<int> out;
        for (const Message& m : requests(UM_REQ_MR_READ))
            out.push_back(static_cast<int>(m.lParam));
        return out;
    }
    // The decoder stored the channel's record, then the notification came.
    void answer(ChannelReader& r, int channel, long long frequency)
    {
        radio.memoryChannels().store(channel, MemoryChannel{frequency, 0, 0, 0, 2, 0, 8, 0});
        r.onNotification({UM_ANS_MR, 0, 0});
    }
    void refuse(ChannelReader& r) { r.onNotification({UM_ANS_REFUSED, 0, 0}); }
    std::vector<int> heldChannels(const ChannelReader& r) const
    {
        std::vector<int> out;
        for (const SavedChannel& c : r.held())
            out.push_back(c.channel);
        return out;
    }
};

TEST_F(ChannelReaderTest, KeepsThreeReadsInFlightAndTakesAnswersInOrder)
{
    ChannelReader r(access, ChannelRange{1, 5});
    r.start();
    EXPECT_EQ(asked(), (std::vector<int>{1, 2, 3}));
    refuse(r); // channel 1 is empty
    EXPECT_EQ(asked(), (std::vector<int>{1, 2, 3, 4}));
    answer(r, 2, 7074000);
    refuse(r);
    refuse(r);
    EXPECT_EQ(r.progress().done, 4);
    EXPECT_FALSE(r.finished());
    answer(r, 5, 50313000);
    EXPECT_EQ(asked(), (std::vector<int>{1, 2, 3, 4, 5}));
    ASSERT_TRUE(r.complete());
    EXPECT_EQ(heldChannels(r), (std::vector<int>{2, 5}));
    EXPECT_EQ(r.held()[1].content.frequency, 50313000);
    EXPECT_EQ(r.progress().total, 5);
    EXPECT_FALSE(r.deadline());
}

TEST_F(ChannelReaderTest, AnAnswerForALaterChannelMeansAnEarlierOneWasLost)
{
    ChannelReader r(access, ChannelRange{1, 3});
    r.start();
    answer(r, 2, 7074000); // 1's answer never came
    refuse(r);             // 3
    EXPECT_EQ(asked(), (std::vector<int>{1, 2, 3, 1}));
    EXPECT_FALSE(r.finished());
    refuse(r); // 1, asked again, is empty
    ASSERT_TRUE(r.complete());
    EXPECT_EQ(heldChannels(r), (std::vector<int>{2}));
}

TEST_F(ChannelReaderTest, AnswersNotAskedForAreNotTakenForOurs)
{
    // An answer from before the read, and one another window asked for.
    radio.memoryChannels().store(1, MemoryChannel{3500000, 0, 0, 0, 1, 0, 0, 0});
    ChannelReader r(access, ChannelRange{1, 2});
    r.start();
    answer(r, 9, 14000000);
    EXPECT_EQ(r.progress().done, 0);
    refuse(r); // 1 was emptied since that old answer
    refuse(r);
    ASSERT_TRUE(r.complete());
    EXPECT_TRUE(r.held().empty());
}

TEST_F(ChannelReaderTest, ARefusalOfSomethingElseIsMendedByTheLateAnswer)
{
    ChannelReader r(access, ChannelRange{1, 2});
    r.start();
    refuse(r);              // not ours, but taken for channel 1
    answer(r, 1, 7074000);  // 1's own answer, late
    refuse(r);              // 2
    ASSERT_TRUE(r.complete());
    EXPECT_EQ(heldChannels(r), (std::vector<int>{1}));
}

TEST_F(ChannelReaderTest, SilenceAsksAgainThenEndsInFailure)
{
    ChannelReader r(access, ChannelRange{1, 2});
    r.start();
    ASSERT_EQ(r.deadline(), clock.now() + ChannelReader::kQuiet);
    clock.advance(ChannelReader::kQuiet - Clock::Ms{1});
    r.onTimeout(); // early: nothing
    EXPECT_EQ(asked().size(), 2u);
    clock.advance(Clock::Ms{1});
    r.onTimeout();
    EXPECT_EQ(asked(), (std::vector<int>{1, 2, 1, 2}));
    clock.advance(ChannelReader::kQuiet);
    r.onTimeout();
    EXPECT_EQ(asked().size(), 6u);
    clock.advance(ChannelReader::kQuiet);
    r.onTimeout();
    EXPECT_TRUE(r.finished());
    EXPECT_FALSE(r.complete());
    EXPECT_NE(r.failure().find("memory channel 1"), std::string::npos);
    EXPECT_EQ(asked().size(), 6u);
}

TEST_F(ChannelReaderTest, CancelAsksNothingMore)
{
    ChannelReader r(access, ChannelRange{1, 504});
    r.start();
    refuse(r);
    r.cancel();
    refuse(r);
    answer(r, 2, 7074000);
    EXPECT_TRUE(r.finished());
    EXPECT_TRUE(r.cancelled());
    EXPECT_FALSE(r.complete());
    EXPECT_EQ(asked().size(), 4u);
    EXPECT_FALSE(r.deadline());
}

} // namespace
} // namespace qx::test
