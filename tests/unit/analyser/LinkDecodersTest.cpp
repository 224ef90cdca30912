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
    for (const char* text : {"ID0241", "ID0242", "ID0243"}) {
        link.idAwaited = true;
        EXPECT_TRUE(decode(text));
    }
    EXPECT_EQ(requestIds(), (Ids{UM_REQ_READ_ALL_START, UM_REQ_READ_ALL_START, UM_REQ_READ_ALL_START}));
    EXPECT_TRUE(outbox.windowPosts.empty());
    EXPECT_EQ(radio.get(RInt::ID), 243);
}

TEST_F(LinkDecoderTest, UnknownModelIsReportedAtOnce)
{
    for (const char* text : {"ID0244", "ID02", "IDx241"}) {
        outbox.clear();
        link.idAwaited = true;
        EXPECT_EQ(decode(text), text == std::string_view("ID0244")) << text;
        EXPECT_EQ(requestIds(), Ids{UM_REQ_AI_TOGGLE}) << text;
        EXPECT_EQ(outbox.windowPosts, (std::vector<Message>{{UM_SHOW_ERROR, 1, 3}})) << text;
        ASSERT_EQ(outbox.timerCalls.size(), 1u) << text;
        EXPECT_FALSE(outbox.timerCalls[0].start);
        EXPECT_EQ(outbox.timerCalls[0].id, 37);
    }
    EXPECT_EQ(radio.answeredModel(), -1) << "the last had no number";
    link.idAwaited = true;
    decode("ID9999");
    EXPECT_EQ(radio.answeredModel(), 9999) << "kept for the operator, though out of the entry's range";
}

// Before, each of these sent "AI0;" and raised "Failed to connect the COM port.".
TEST_F(LinkDecoderTest, IdentityAnswersNobodyAskedForChangeNothing)
{
    link.idAwaited = true;
    EXPECT_TRUE(decode("ID0241")); // the link-up's own answer
    outbox.clear();
    for (const char* text : {"ID", "ID9999", "ID0241", "ID0243"})
        EXPECT_FALSE(decode(text)) << text;
    for (int i = 0; i < 300; ++i)
        arrive(i % 2 ? "ID9999" : "ID"); // through the analyser, as a babbling radio sends them
    EXPECT_TRUE(outbox.threadPosts.empty());
    EXPECT_TRUE(outbox.windowPosts.empty());
    for (const auto& t : outbox.timerCalls)
        EXPECT_NE(t.id, kConnectAttemptTimer); // only the answer watchdog's restarts
    EXPECT_EQ(radio.get(RInt::ID), 241);
    EXPECT_EQ(radio.answeredModel(), 241);
}

TEST_F(LinkDecoderTest, OnlyTheLinkUpWaitsForTheModel)
{
    EXPECT_TRUE(decode("AI1"));
    EXPECT_TRUE(link.idAwaited) << "switching on asks for the model";
    EXPECT_TRUE(decode("AI0"));
    EXPECT_FALSE(link.idAwaited) << "a link that went down waits for nothing";
    outbox.clear();
    EXPECT_FALSE(decode("ID0241"));
    EXPECT_TRUE(outbox.threadPosts.empty()) << "a late answer starts no read-out";

    decode("AI1");
    link.aiSent = true;
    decode("AI0"); // refused while we asked for it: asked again, still waiting
    EXPECT_TRUE(link.idAwaited);
}

TEST_F(LinkDecoderTest, AnOnAnswerStillOnTheLineAfterLinkOffDoesNotRelink)
{
    link.aiSwitchedOff = true; // "AI0;" written; the answer to an earlier "AI;" comes after
    EXPECT_FALSE(decode("AI1"));
    EXPECT_EQ(radio.get(RInt::AI), 0);
    EXPECT_TRUE(requestIds().empty()) << "no model read, no link-up";
    link.aiSwitchedOff = false; // "AI1;" written again
    EXPECT_TRUE(decode("AI1"));
    EXPECT_EQ(requestIds(), Ids{UM_REQ_ID_READ});
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
