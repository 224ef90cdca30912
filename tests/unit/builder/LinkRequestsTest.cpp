#include "BuilderFixture.h"

#include "core/ErrorMessages.h"

namespace qx::test {
namespace {

using CS = CommandState::Int;

TEST_F(BuilderTest, AutoInformationOnOpensThePortAndReadsItBack)
{
    post(UM_REQ_AI_TOGGLE);
    EXPECT_EQ(port.opens, 1);
    EXPECT_EQ(take(), (Log{"AI1;", "~20", "AI;"}));
    EXPECT_EQ(answerQueue.pending(), 0);
}

TEST_F(BuilderTest, AutoInformationOffTakesTheLinkDown)
{
    for (int power : {0, 1}) {
        command.set(CS::AI, 1);
        command.set(CS::PS, power);
        radio.setAiBeforePowerOff(1);
        flags.aiSent = true;
        outbox.clear();
        post(UM_REQ_AI_TOGGLE);

        EXPECT_EQ(take(), (Log{"AI0;", "~20", "AI;", "~25"}));
        EXPECT_EQ(posts(UM_REQ_SEQUENCE_STOP), 1);
        EXPECT_FALSE(flags.aiSent);
        EXPECT_EQ(radio.aiBeforePowerOff(), power);  // forgotten only while off
        std::array<char, TextQueue::kSlotSize> buf{};
        ASSERT_EQ(answerQueue.tryTake(buf), 3);
        EXPECT_EQ(std::string(buf.data(), 3), "AI0");
        EXPECT_EQ(posts(UM_ANSWER_ARRIVED), 1);
    }
}

// A radio that answers "AI0;" to "AI1;": each attempt brings two refusals
// (for "AI1;" and for "AI;").
TEST_F(BuilderTest, RefusedAutoInformationIsAskedForThreeTimesASecondApartThenReported)
{
    constexpr int kRetry = LinkRequests::kAiRetryTimer;
    auto refusedTwice = [this] {
        command.set(CS::AI, 0);
        post(UM_REQ_AI_REFUSED);
        post(UM_REQ_AI_REFUSED);
    };
    post(UM_REQ_AI_TOGGLE);
    EXPECT_EQ(take(), (Log{"AI1;", "~20", "AI;"}));
    for (int retry = 1; retry <= 3; ++retry) {
        outbox.clear();
        refusedTwice();
        EXPECT_TRUE(take().empty()) << "nothing is asked at once, retry " << retry;
        EXPECT_EQ(timers(), (Timers{{true, kRetry, 1000}})) << "one retry a second later, retry " << retry;
        post(UM_REQ_AI_RETRY);
        EXPECT_EQ(take(), (Log{"AI1;", "~20", "AI;"})) << retry;
        post(UM_REQ_AI_RETRY); // a late tick asks nothing twice
        EXPECT_TRUE(take().empty()) << retry;
    }
    outbox.clear();
    refusedTwice();
    EXPECT_TRUE(take().empty());
    EXPECT_TRUE(timers().empty()) << "no fourth retry";
    ASSERT_EQ(outbox.windowPosts.size(), 1u) << "one message, not one per refusal";
    EXPECT_EQ(outbox.windowPosts[0].id, UM_SHOW_ERROR);
    EXPECT_EQ(outbox.windowPosts[0].lParam, kAiRefusedRow);
    refusedTwice();
    post(UM_REQ_AI_RETRY);
    EXPECT_TRUE(take().empty());
    EXPECT_EQ(outbox.windowPosts.size(), 1u);

    // The LINK key tries again, with a fresh count.
    post(UM_REQ_AI_TOGGLE);
    EXPECT_EQ(take(), (Log{"AI1;", "~20", "AI;"}));
    outbox.clear();
    refusedTwice();
    EXPECT_EQ(timers(), (Timers{{true, kRetry, 1000}}));
}

TEST_F(BuilderTest, AToggleTakesThePlaceOfAPendingRetryAndALinkUpStartsAFreshCount)
{
    constexpr int kRetry = LinkRequests::kAiRetryTimer;
    post(UM_REQ_AI_TOGGLE);
    post(UM_REQ_AI_REFUSED);
    take();
    outbox.clear();
    post(UM_REQ_AI_TOGGLE); // a connection attempt while the retry waits
    EXPECT_EQ(take(), (Log{"AI1;", "~20", "AI;"}));
    EXPECT_EQ(timers(), (Timers{{false, kRetry, 0}}));
    post(UM_REQ_AI_RETRY);
    EXPECT_TRUE(take().empty()) << "the cancelled retry asks nothing";

    // Two refusals counted so far; a link that comes up forgets them.
    post(UM_REQ_AI_REFUSED);
    post(UM_REQ_AI_RETRY);
    post(UM_REQ_READ_ALL_START);
    post(UM_REQ_SEQUENCE_STOP);
    take();
    outbox.clear();
    for (int retry = 1; retry <= 3; ++retry) {
        post(UM_REQ_AI_REFUSED);
        post(UM_REQ_AI_RETRY);
    }
    EXPECT_EQ(take(), (Log{"AI1;", "~20", "AI;", "AI1;", "~20", "AI;", "AI1;", "~20", "AI;"}));
    EXPECT_TRUE(outbox.windowPosts.empty());
}

TEST_F(BuilderTest, PowerSwitchingPollsUntilTheRadioHasAnswered)
{
    command.set(CS::PS, 1);  // on: switch off, then two polls 600 ms apart
    post(UM_REQ_POWER_TOGGLE);
    post(UM_REQ_PS_POLL);
    EXPECT_EQ(timers(), (Timers{{true, 24, 600}}));
    post(UM_REQ_PS_POLL);
    EXPECT_EQ(take(), (Log{"PS0;", "PS;", "PS;"}));
    EXPECT_EQ(timers(), (Timers{{true, 24, 600}, {false, 24, 0}}));

    command.set(CS::PS, 0);  // off: wake it, switch on, one read 100 ms later
    outbox.clear();
    post(UM_REQ_POWER_TOGGLE);
    post(UM_REQ_PS_READ);
    EXPECT_EQ(take(), (Log{"PS1;", "~800", "PS1;", "PS;"}));
    EXPECT_EQ(timers(), (Timers{{true, 23, 100}, {false, 23, 0}}));
}

TEST_F(BuilderTest, PowerOffIsRefusedWhileSavedAutoInformationIsComingBack)
{
    const struct {
        int aiBefore, radioAi, commandAi;
        Log expected;
    } cases[] = {{1, 1, 0, {}}, {1, 1, 1, {"PS0;"}}, {0, 1, 0, {"PS0;"}}, {1, 0, 0, {"PS0;"}}};
    for (const auto& c : cases) {
        command.set(CS::PS, 1);
        radio.setAiBeforePowerOff(c.aiBefore);
        radio.set(RadioState::Int::AI, c.radioAi);
        command.set(CS::AI, c.commandAi);
        post(UM_REQ_POWER_TOGGLE);
        EXPECT_EQ(take(), c.expected) << c.aiBefore << c.radioAi << c.commandAi;
    }
}

TEST_F(BuilderTest, OneSecondPollAsksForPowerAndAutoInformationWhileTheLinkIsUp)
{
    const struct {
        int ai, power;
        Log expected;
    } cases[] = {{0, 1, {}}, {1, 0, {"PS;"}}, {1, 1, {"PS;", "~30", "AI;"}}};
    for (const auto& c : cases) {
        command.set(CS::AI, c.ai);
        command.set(CS::PS, c.power);
        post(UM_REQ_PS_AI_READ);
        EXPECT_EQ(take(), c.expected) << c.ai << c.power;
    }
}

} // namespace
} // namespace qx::test
