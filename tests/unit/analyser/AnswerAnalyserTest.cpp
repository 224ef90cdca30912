#include "tests/unit/analyser/AnalyserWorld.h"

#include "cat/Watchdog.h"

namespace qx::test {
namespace {

struct AnswerAnalyserTest : AnalyserWorld {
    // Stopped while decoding, restarted after.
    void expectWatchdogRestarted()
    {
        ASSERT_EQ(outbox.timerCalls.size(), 2u);
        EXPECT_FALSE(outbox.timerCalls[0].start);
        EXPECT_EQ(outbox.timerCalls[0].id, 17);
        EXPECT_TRUE(outbox.timerCalls[1].start);
        EXPECT_EQ(outbox.timerCalls[1].id, 17);
        EXPECT_EQ(outbox.timerCalls[1].periodMs, 3000);
    }
};

TEST_F(AnswerAnalyserTest, EveryWellFormedAnswerNotifiesChangedOrNot)
{
    arrive("FA14250000");
    arrive("FA14250000");
    arrive("FA00029999");
    arrive("FA1425000X");
    arrive("LM000");
    for (const char* mode : {"MD0C", "MD0D", "MD0G"})
        arrive(mode); // each asks for the step
    EXPECT_EQ(windowIds(), (Ids{UM_ANS_FA, UM_ANS_FA, UM_ANS_FA, UM_ANS_LM, UM_ANS_MD, UM_ANS_MD}));
    EXPECT_EQ(requestIds(), (Ids{UM_REQ_ST_READ, UM_REQ_ST_READ, UM_REQ_ST_READ}));
    EXPECT_EQ(outbox.windowPosts[0], (Message{UM_ANS_FA, 0, 0}));
    EXPECT_EQ(radio.get(RInt::FA), 14250000);
}

TEST_F(AnswerAnalyserTest, IgnoredUnknownAndMalformedAnswersOnlyRestartTheWatchdog)
{
    for (const char* text : {"DS1", "ZZ123", "??", "fa14250000", "", "FA1425000X"}) {
        outbox.clear();
        EXPECT_FALSE(analyser.dispatch(text)) << text;
        EXPECT_TRUE(outbox.windowPosts.empty()) << text;
        expectWatchdogRestarted();
    }
}

// The sender of a refused command (a read of an empty memory channel, a
// setting the radio will not take) learns of it; nothing else changes.
TEST_F(AnswerAnalyserTest, RefusalIsAnnouncedAndKeepsTheLinkAlive)
{
    EXPECT_FALSE(analyser.dispatch("?"));
    EXPECT_EQ(windowIds(), (Ids{UM_ANS_REFUSED}));
    EXPECT_TRUE(requestIds().empty());
    expectWatchdogRestarted();
}

TEST_F(AnswerAnalyserTest, OneAnswerTakenPerMessageAndNoneWaitedFor)
{
    answers.put("FA14250000");
    answers.put("FB14000000");
    analyser.handle(Message{UM_ANSWER_ARRIVED, 0, 0});
    EXPECT_EQ(answers.pending(), 1);
    analyser.handle(Message{UM_ANSWER_ARRIVED, 0, 0});
    EXPECT_EQ(windowIds(), (Ids{UM_ANS_FA, UM_ANS_FB}));
    outbox.clear();
    analyser.handle(Message{UM_ANSWER_ARRIVED, 0, 0});
    EXPECT_TRUE(outbox.timerCalls.empty());
}

// The mode answer's own request comes first: the next step waits behind
// its pause, as it always has.
TEST_F(AnswerAnalyserTest, TheAnswerThatCompletesASequenceStepTellsTheBuilderAfterDecoding)
{
    StepAnswers steps;
    AnswerAnalyser paced{answers, outbox, link, radio, command, menu, &steps};
    const std::string queries[] = {"MD0;", "FA;"};
    const std::uint64_t token = steps.expect(4, queries);
    for (const char* text : {"MD02", "FB14000000", "FA14250000"}) {
        answers.put(text);
        paced.handle(Message{UM_ANSWER_ARRIVED, 0, 0});
    }
    EXPECT_EQ(requestIds(), (Ids{UM_REQ_ST_READ, UM_SEQUENCE_ANSWERED}));
    EXPECT_EQ(outbox.threadPosts.back().m, (Message{UM_SEQUENCE_ANSWERED, 4, static_cast<std::int64_t>(token)}));
    EXPECT_EQ(windowIds(), (Ids{UM_ANS_MD, UM_ANS_FB, UM_ANS_FA}));
    EXPECT_EQ(radio.get(RInt::FA), 14250000);
}

TEST_F(AnswerAnalyserTest, MenuAnswerThatChangesAValueNotifiesByKind)
{
    const std::pair<int, Ids> cases[] = {
        {11, {UM_ANS_OTHER, UM_ANS_CO}}, {12, {UM_ANS_OTHER, UM_ANS_BP}}, {15, {UM_ANS_OTHER, UM_ANS_RM}},
        {37, {UM_ANS_OTHER, UM_ANS_RM}}, {39, {UM_ANS_OTHER, UM_ANS_RM}}, {1, {UM_ANS_OTHER}},
    };
    for (const auto& [kind, ids] : cases) {
        menu.update(12, [kind = kind](MenuItem& item) {
            item.kind = kind;
            item.value = 0;
            return true;
        });
        outbox.clear();
        EXPECT_TRUE(analyser.dispatch("EX0121")) << kind;
        EXPECT_EQ(windowIds(), ids) << kind;
        expectWatchdogRestarted();
        outbox.clear();
        EXPECT_FALSE(analyser.dispatch("EX0121")) << kind; // no change, no news
        EXPECT_TRUE(outbox.windowPosts.empty()) << kind;
    }
}

TEST_F(AnswerAnalyserTest, MenuAnswersReadByTheEntrysWidthAndKind)
{
    arrive("EX06510000000001"); // "MY BAND": the "1.8" and "GEN" bands
    arrive("EX025-030");        // "D DISP", signed
    EXPECT_EQ(menu.getEntry(65).value, 1024.0 + 1.0);
    EXPECT_EQ(menu.getEntry(25).value, -30.0);

    radio.set(RInt::HIGHEST_MENU, 64);
    outbox.clear();
    for (const char* text : {"EX06511111111111", "EX0000", "EX999123", "EX0211", "EX"})
        EXPECT_FALSE(analyser.dispatch(text)) << text;
    EXPECT_TRUE(outbox.windowPosts.empty());
    EXPECT_EQ(menu.getEntry(65).value, 1025.0);
    EXPECT_EQ(menu.getEntry(21).value, 12.0); // "CWSPEED" needs two digits
}

TEST_F(AnswerAnalyserTest, LineLostActsAsAutoInformationOff)
{
    arrive("AI1");
    arrive("SM0120");
    link.aiSent = true;
    outbox.clear();
    analyser.handle(Message{UM_AI_OFF_SEEN, 0, 0});
    EXPECT_FALSE(link.aiSent);
    EXPECT_EQ(requestIds(), (Ids{UM_REQ_SEQUENCE_STOP, UM_REQ_SEQUENCE_STOP}));
    EXPECT_EQ(windowIds(), (Ids{UM_ANS_RM, UM_ANS_RM, UM_ANS_SM, UM_ANS_AI}));
    EXPECT_EQ(radio.get(RInt::SM0), 0);
    EXPECT_TRUE(outbox.timerCalls.empty());
}

// While the one-second polls keep writing commands that get no answer, every
// tick declares the link lost exactly once; a tick that finds nothing
// written and the line up stays quiet.
TEST_F(AnswerAnalyserTest, SilentRadioIsDeclaredLostOncePerTick)
{
    arrive("RM1150");
    for (int tick = 0; tick < 3; ++tick) {
        link.answerPending = true;
        FakeOutbox ui;
        AnswerWatchdog::tick(link, LineObservation{}, ui);
        ASSERT_EQ(ui.threadPosts.size(), 1u) << tick;
        EXPECT_EQ(ui.threadPosts[0].to, ThreadId::AnlRecv);
        analyser.handle(ui.threadPosts[0].m);
    }
    EXPECT_EQ(radio.get(RInt::RM1), 0);
    FakeOutbox ui;
    AnswerWatchdog::tick(link, LineObservation{}, ui);
    EXPECT_TRUE(ui.threadPosts.empty());
}

} // namespace
} // namespace qx::test
