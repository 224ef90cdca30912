#include "tests/unit/analyser/AnalyserWorld.h"

namespace qx::test {
namespace {

struct LinkDecoderTest : AnalyserWorld {
    void setMeters()
    {
        for (RInt e : {RInt::RM0, RInt::RM1, RInt::SM0, RInt::SM1})
            radio.set(e, 90);
    }
};

TEST_F(LinkDecoderTest, KnownModelsStartTheReadOut)
{
    for (const char* text : {"ID0241", "ID0242", "ID0243"})
        EXPECT_TRUE(decode(text));
    EXPECT_EQ(requestIds(), (Ids{UM_REQ_READ_ALL_START, UM_REQ_READ_ALL_START, UM_REQ_READ_ALL_START}));
    EXPECT_TRUE(outbox.windowPosts.empty());
    EXPECT_EQ(radio.get(RInt::ID), 243);
}

TEST_F(LinkDecoderTest, UnknownModelIsReportedAtOnce)
{
    for (const char* text : {"ID0244", "ID02", "IDx241"}) {
        outbox.clear();
        EXPECT_EQ(decode(text), text == std::string_view("ID0244")) << text;
        EXPECT_EQ(requestIds(), Ids{UM_REQ_AI_TOGGLE}) << text;
        EXPECT_EQ(outbox.windowPosts, (std::vector<Message>{{UM_SHOW_ERROR, 1, 3}})) << text;
        ASSERT_EQ(outbox.timerCalls.size(), 1u) << text;
        EXPECT_FALSE(outbox.timerCalls[0].start);
        EXPECT_EQ(outbox.timerCalls[0].id, 37);
    }
}

TEST_F(LinkDecoderTest, AutoInformationOnAsksForTheModelAndRefreshesThePanelOnce)
{
    EXPECT_TRUE(decode("AI1"));
    EXPECT_TRUE(decode("AI1"));
    EXPECT_EQ(requestIds(), Ids{UM_REQ_ID_READ});
    ASSERT_EQ(outbox.windowSends.size(), 1u);
    EXPECT_EQ(outbox.windowSends[0].id, UM_PANEL_REFRESH);
    EXPECT_EQ(command.get(CInt::AI), 1);
}

TEST_F(LinkDecoderTest, AutoInformationOffAfterWeAskedForItIsReportedAsARefusal)
{
    decode("AI1");
    setMeters();
    link.aiSent = true;
    outbox.clear();
    EXPECT_FALSE(decode("AI0"));
    EXPECT_EQ(requestIds(), Ids{UM_REQ_AI_REFUSED}) << "the builder decides when to ask again";
    EXPECT_TRUE(outbox.windowPosts.empty());
    EXPECT_EQ(command.get(CInt::AI), 0);
    EXPECT_EQ(radio.get(RInt::RM0), 90);
}

TEST_F(LinkDecoderTest, AutoInformationOffOtherwiseZeroesTheMeters)
{
    decode("AI1");
    setMeters();
    outbox.clear();
    EXPECT_TRUE(decode("AI0"));
    EXPECT_EQ(requestIds(), Ids{UM_REQ_SEQUENCE_STOP});
    EXPECT_EQ(windowIds(), (Ids{UM_ANS_RM, UM_ANS_RM, UM_ANS_SM}));
    EXPECT_EQ(radio.get(RInt::RM0) + radio.get(RInt::RM1) + radio.get(RInt::SM0), 0);
    EXPECT_EQ(radio.get(RInt::SM1), 90);
    EXPECT_FALSE(decode("AIx")); // garbled: nothing at all
    EXPECT_EQ(outbox.threadPosts.size(), 1u);
}

TEST_F(LinkDecoderTest, PowerOffAndOnRestoresAutoInformation)
{
    decode("PS1");
    decode("AI1");
    setMeters();
    outbox.clear();
    EXPECT_TRUE(decode("PS0"));
    EXPECT_TRUE(decode("PS0")); // still off: nothing again
    EXPECT_EQ(radio.aiBeforePowerOff(), 1);
    EXPECT_EQ(windowIds(), (Ids{UM_ANS_RM, UM_ANS_RM, UM_ANS_SM}));
    EXPECT_EQ(requestIds(), Ids{UM_REQ_SEQUENCE_STOP});
    EXPECT_EQ(radio.get(RInt::SM1), 0);
    EXPECT_EQ(radio.get(RInt::SM0), 90);

    outbox.clear();
    EXPECT_TRUE(decode("PS1"));
    EXPECT_EQ(command.get(CInt::AI), 0);
    EXPECT_EQ(requestIds(), Ids{UM_REQ_AI_TOGGLE});
    // The radio kept auto-information on, so "AI1" is no change, yet the
    // link must be identified again.
    outbox.clear();
    EXPECT_TRUE(decode("AI1"));
    EXPECT_EQ(requestIds(), Ids{UM_REQ_ID_READ});
    EXPECT_FALSE(radio.powerOnReenable());
}

} // namespace
} // namespace qx::test
