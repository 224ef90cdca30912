#include "tests/unit/analyser/AnalyserWorld.h"

namespace qx::test {
namespace {

using RInt = RadioState::Int;
using CInt = CommandState::Int;

struct LinkDecoderTest : AnalyserWorld {
    bool decodeText(std::string_view text) { return decodeAnswer(findAnswer(text), text, ctx); }
    void setMeters()
    {
        radio.set(RInt::RM0, 90);
        radio.set(RInt::RM1, 80);
        radio.set(RInt::SM0, 70);
        radio.set(RInt::SM1, 60);
    }
};

TEST_F(LinkDecoderTest, KnownModelsStartTheReadOut)
{
    for (const char* text : {"ID0241", "ID0242", "ID0243"}) {
        outbox.clear();
        EXPECT_TRUE(decodeText(text)) << text;
        EXPECT_EQ(requestIds(), Ids{UM_REQ_READ_ALL_START}) << text;
        EXPECT_TRUE(outbox.windowPosts.empty());
        EXPECT_TRUE(outbox.timerCalls.empty());
    }
    EXPECT_EQ(radio.get(RInt::ID), 243);
}

TEST_F(LinkDecoderTest, UnknownModelIsReportedAtOnce)
{
    for (const char* text : {"ID0244", "ID0240", "ID02", "IDx241"}) {
        outbox.clear();
        decodeText(text);
        EXPECT_EQ(requestIds(), Ids{UM_REQ_AI_TOGGLE}) << text;
        ASSERT_EQ(outbox.windowPosts.size(), 1u) << text;
        EXPECT_EQ(outbox.windowPosts[0], (Message{UM_SHOW_ERROR, 1, 3})) << text;
        ASSERT_EQ(outbox.timerCalls.size(), 1u) << text;
        EXPECT_FALSE(outbox.timerCalls[0].start);
        EXPECT_EQ(outbox.timerCalls[0].id, 37);
    }
    EXPECT_EQ(radio.get(RInt::ID), 0);
    EXPECT_TRUE(decodeText("ID0244")); // well-formed, only not ours
    EXPECT_FALSE(decodeText("ID02"));
}

TEST_F(LinkDecoderTest, AutoInformationOnAsksForTheModelAndRefreshesThePanel)
{
    EXPECT_TRUE(decodeText("AI1"));
    EXPECT_EQ(requestIds(), Ids{UM_REQ_ID_READ});
    ASSERT_EQ(outbox.windowSends.size(), 1u);
    EXPECT_EQ(outbox.windowSends[0].id, UM_PANEL_REFRESH);
    EXPECT_EQ(command.get(CInt::AI), 1);

    outbox.clear();
    EXPECT_TRUE(decodeText("AI1")); // no change: nothing more to do
    EXPECT_TRUE(outbox.threadPosts.empty());
    EXPECT_TRUE(outbox.windowSends.empty());
}

TEST_F(LinkDecoderTest, AutoInformationOffAfterWeAskedForItIsAskedForAgain)
{
    decodeText("AI1");
    setMeters();
    link.aiSent = true;
    outbox.clear();
    EXPECT_FALSE(decodeText("AI0"));
    EXPECT_EQ(requestIds(), Ids{UM_REQ_AI_TOGGLE});
    EXPECT_TRUE(outbox.windowPosts.empty());
    EXPECT_EQ(command.get(CInt::AI), 0);
    EXPECT_EQ(radio.get(RInt::RM0), 90);
}

TEST_F(LinkDecoderTest, AutoInformationOffOtherwiseStopsSequencesAndZeroesMeters)
{
    decodeText("AI1");
    setMeters();
    link.aiSent = false;
    outbox.clear();
    EXPECT_TRUE(decodeText("AI0"));
    EXPECT_EQ(requestIds(), Ids{UM_REQ_SEQUENCE_STOP});
    EXPECT_EQ(windowIds(), (Ids{UM_ANS_RM, UM_ANS_RM, UM_ANS_SM}));
    EXPECT_EQ(radio.get(RInt::RM0), 0);
    EXPECT_EQ(radio.get(RInt::RM1), 0);
    EXPECT_EQ(radio.get(RInt::SM0), 0);
    EXPECT_EQ(radio.get(RInt::SM1), 60);
    EXPECT_TRUE(outbox.windowSends.empty());
}

TEST_F(LinkDecoderTest, GarbledAutoInformationAnswerDoesNothing)
{
    setMeters();
    EXPECT_FALSE(decodeText("AIx"));
    EXPECT_FALSE(decodeText("AI"));
    EXPECT_TRUE(outbox.threadPosts.empty());
    EXPECT_TRUE(outbox.windowPosts.empty());
    EXPECT_EQ(radio.get(RInt::RM0), 90);
}

TEST_F(LinkDecoderTest, PowerOffAndOnRestoresAutoInformation)
{
    EXPECT_TRUE(decodeText("PS1"));
    decodeText("AI1");
    setMeters();
    outbox.clear();

    EXPECT_TRUE(decodeText("PS0"));
    EXPECT_EQ(radio.aiBeforePowerOff(), 1);
    EXPECT_EQ(windowIds(), (Ids{UM_ANS_RM, UM_ANS_RM, UM_ANS_SM}));
    EXPECT_EQ(requestIds(), Ids{UM_REQ_SEQUENCE_STOP});
    EXPECT_EQ(radio.get(RInt::RM0), 0);
    EXPECT_EQ(radio.get(RInt::RM1), 0);
    EXPECT_EQ(radio.get(RInt::SM1), 0);
    EXPECT_EQ(radio.get(RInt::SM0), 70);
    EXPECT_EQ(command.get(CInt::PS), 0);

    outbox.clear();
    EXPECT_TRUE(decodeText("PS0")); // still off: nothing again
    EXPECT_TRUE(outbox.threadPosts.empty());

    EXPECT_TRUE(decodeText("PS1"));
    EXPECT_TRUE(radio.powerOnReenable());
    EXPECT_EQ(command.get(CInt::AI), 0);
    EXPECT_EQ(requestIds(), Ids{UM_REQ_AI_TOGGLE});

    // The radio still had auto-information on, so the answer is no change,
    // yet the link must be identified again.
    outbox.clear();
    EXPECT_TRUE(decodeText("AI1"));
    EXPECT_EQ(requestIds(), Ids{UM_REQ_ID_READ});
    EXPECT_FALSE(radio.powerOnReenable());
}

TEST_F(LinkDecoderTest, PowerOnWithoutSavedAutoInformationLeavesItOff)
{
    decodeText("PS1");
    decodeText("PS0"); // auto-information was off
    outbox.clear();
    EXPECT_TRUE(decodeText("PS1"));
    EXPECT_FALSE(radio.powerOnReenable());
    EXPECT_TRUE(outbox.threadPosts.empty());
    EXPECT_FALSE(decodeText("PSx"));
}

} // namespace
} // namespace qx::test
