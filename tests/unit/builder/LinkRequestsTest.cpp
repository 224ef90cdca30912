#include "BuilderFixture.h"

namespace qx::test {
namespace {

using CS = CommandState::Int;

class LinkRequestsTest : public BuilderTest {};

TEST_F(LinkRequestsTest, SwitchingAutoInformationOnOpensThePortAndReadsItBack)
{
    command.set(CS::AI, 0);
    post(UM_REQ_AI_TOGGLE);
    EXPECT_EQ(port.opens, 1);
    EXPECT_EQ(take(), (Log{"AI1;", "~20", "AI;"}));
    EXPECT_EQ(answerQueue.pending(), 0);
    EXPECT_EQ(postsTo(ThreadId::AnlSend, UM_REQ_SEQUENCE_STOP), 0);
}

TEST_F(LinkRequestsTest, SwitchingAutoInformationOffTakesTheLinkDown)
{
    command.set(CS::AI, 1);
    command.set(CS::PS, 0);
    radio.setAiBeforePowerOff(1);
    flags.aiSent = true;

    post(UM_REQ_AI_TOGGLE);

    EXPECT_EQ(take(), (Log{"AI0;", "~20", "AI;", "~25"}));
    EXPECT_EQ(postsTo(ThreadId::AnlSend, UM_REQ_SEQUENCE_STOP), 1);
    EXPECT_FALSE(flags.aiSent);
    EXPECT_EQ(radio.aiBeforePowerOff(), 0);
    std::array<char, TextQueue::kSlotSize> buf{};
    ASSERT_EQ(answerQueue.tryTake(buf), 3);
    EXPECT_EQ(std::string(buf.data(), 3), "AI0");
    EXPECT_EQ(postsTo(ThreadId::AnlRecv, UM_ANSWER_ARRIVED), 1);
}

TEST_F(LinkRequestsTest, LinkOffWhileOnKeepsTheSavedAutoInformation)
{
    command.set(CS::AI, 1);
    command.set(CS::PS, 1);
    radio.setAiBeforePowerOff(1);
    post(UM_REQ_AI_TOGGLE);
    EXPECT_EQ(radio.aiBeforePowerOff(), 1);
}

TEST_F(LinkRequestsTest, AutoInformationOfUnknownStateSendsNothing)
{
    command.set(CS::AI, 2);
    post(UM_REQ_AI_TOGGLE);
    EXPECT_TRUE(take().empty());
    EXPECT_EQ(answerQueue.pending(), 0);
}

TEST_F(LinkRequestsTest, SwitchingOffPollsTwiceThenStopsItsTimer)
{
    command.set(CS::PS, 1);
    post(UM_REQ_POWER_TOGGLE);
    EXPECT_EQ(take(), (Log{"PS0;"}));
    EXPECT_EQ(timers(), (std::vector<FakeOutbox::TimerCall>{{true, 24, 600}}));

    post(UM_REQ_PS_POLL);
    EXPECT_EQ(timers().size(), 1u);
    post(UM_REQ_PS_POLL);
    EXPECT_EQ(take(), (Log{"PS;", "PS;"}));
    EXPECT_EQ(timers(), (std::vector<FakeOutbox::TimerCall>{{true, 24, 600}, {false, 24, 0}}));
}

TEST_F(LinkRequestsTest, SwitchingOffAgainPollsTwiceEvenAfterAnOddPoll)
{
    command.set(CS::PS, 1);
    post(UM_REQ_POWER_TOGGLE);
    post(UM_REQ_PS_POLL);
    post(UM_REQ_POWER_TOGGLE);
    outbox.clear();
    post(UM_REQ_PS_POLL);
    EXPECT_TRUE(outbox.timerCalls.empty());
    post(UM_REQ_PS_POLL);
    EXPECT_EQ(timers(), (std::vector<FakeOutbox::TimerCall>{{false, 24, 0}}));
}

TEST_F(LinkRequestsTest, SwitchingOffIsRefusedWhileSavedAutoInformationIsComingBack)
{
    const struct {
        int aiBefore, radioAi, commandAi;
        Log expected;
    } cases[] = {
        {1, 1, 0, {}},
        {1, 1, 1, {"PS0;"}},
        {0, 1, 0, {"PS0;"}},
        {1, 0, 0, {"PS0;"}},
    };
    for (const auto& c : cases) {
        command.set(CS::PS, 1);
        radio.setAiBeforePowerOff(c.aiBefore);
        radio.set(RadioState::Int::AI, c.radioAi);
        command.set(CS::AI, c.commandAi);
        post(UM_REQ_POWER_TOGGLE);
        EXPECT_EQ(take(), c.expected) << c.aiBefore << c.radioAi << c.commandAi;
    }
}

TEST_F(LinkRequestsTest, SwitchingOnSendsTwiceAcrossTheWakeUpPauseThenReadsOnce)
{
    command.set(CS::PS, 0);
    post(UM_REQ_POWER_TOGGLE);
    EXPECT_EQ(take(), (Log{"PS1;", "~800", "PS1;"}));
    EXPECT_EQ(timers(), (std::vector<FakeOutbox::TimerCall>{{true, 23, 100}}));

    post(UM_REQ_PS_READ);
    EXPECT_EQ(take(), (Log{"PS;"}));
    EXPECT_EQ(timers(), (std::vector<FakeOutbox::TimerCall>{{true, 23, 100}, {false, 23, 0}}));
}

TEST_F(LinkRequestsTest, OneSecondPollAsksForPowerAndAutoInformationWhileTheLinkIsUp)
{
    const struct {
        int ai, power;
        Log expected;
    } cases[] = {
        {0, 1, {}},
        {1, 0, {"PS;"}},
        {1, 1, {"PS;", "~30", "AI;"}},
    };
    for (const auto& c : cases) {
        command.set(CS::AI, c.ai);
        command.set(CS::PS, c.power);
        post(UM_REQ_PS_AI_READ);
        EXPECT_EQ(take(), c.expected) << c.ai << c.power;
    }
}

TEST_F(LinkRequestsTest, FlushPostsForATextQueuedByAWindow)
{
    sendQueue.put("PS;");
    post(UM_REQ_FLUSH);
    EXPECT_EQ(take(), (Log{"PS;"}));
    EXPECT_EQ(postsTo(ThreadId::SioSend, UM_SEND_QUEUED), 1);
}

} // namespace
} // namespace qx::test
