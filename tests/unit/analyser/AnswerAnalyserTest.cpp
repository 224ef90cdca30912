#include "tests/unit/analyser/AnalyserWorld.h"

#include "cat/Watchdog.h"
#include "menu/MenuKind.h"

namespace qx::test {
namespace {

using RInt = RadioState::Int;

struct AnswerAnalyserTest : AnalyserWorld {
    // The watchdog calls of one dispatch: stopped first, restarted last.
    void expectWatchdogRestarted()
    {
        ASSERT_EQ(outbox.timerCalls.size(), 2u);
        EXPECT_FALSE(outbox.timerCalls[0].start);
        EXPECT_EQ(outbox.timerCalls[0].id, 17);
        EXPECT_TRUE(outbox.timerCalls[1].start);
        EXPECT_EQ(outbox.timerCalls[1].id, 17);
        EXPECT_EQ(outbox.timerCalls[1].periodMs, 3000);
    }
    // Makes slot `slot` an entry of `kind`, one digit wide, holding 0.
    void makeEntry(int slot, int kind)
    {
        menu.update(slot, [kind](MenuItem& item) {
            item.kind = kind;
            item.width = 1;
            item.value = 0;
            return true;
        });
    }
};

TEST_F(AnswerAnalyserTest, SameAnswerTwiceNotifiesTwice)
{
    arrive("FA14250000");
    arrive("FA14250000");
    EXPECT_EQ(windowIds(), (Ids{UM_ANS_FA, UM_ANS_FA}));
    EXPECT_EQ(radio.get(RInt::FA), 14250000);
    for (const Message& m : outbox.windowPosts)
        EXPECT_EQ(m, (Message{UM_ANS_FA, 0, 0}));
}

TEST_F(AnswerAnalyserTest, WellFormedButOutOfRangeStillNotifies)
{
    arrive("FA00029999");
    EXPECT_EQ(windowIds(), Ids{UM_ANS_FA});
    EXPECT_EQ(radio.get(RInt::FA), 7000000);
    expectWatchdogRestarted();
}

TEST_F(AnswerAnalyserTest, EveryModeAnswerAsksForTheStep)
{
    arrive("MD0C");
    arrive("MD0D");
    arrive("MD0G");
    EXPECT_EQ(windowIds(), (Ids{UM_ANS_MD, UM_ANS_MD}));
    EXPECT_EQ(requestIds(), (Ids{UM_REQ_ST_READ, UM_REQ_ST_READ, UM_REQ_ST_READ}));
    EXPECT_EQ(radio.get(RInt::MD0), 12);
}

TEST_F(AnswerAnalyserTest, MalformedAnswerNotifiesNothingButRestartsTheWatchdog)
{
    arrive("FA1425000X");
    EXPECT_TRUE(outbox.windowPosts.empty());
    expectWatchdogRestarted();
}

TEST_F(AnswerAnalyserTest, IgnoredAndUnknownAnswersOnlyRestartTheWatchdog)
{
    for (const char* text : {"DS1", "ZZ123", "?", "fa14250000", ""}) {
        outbox.clear();
        EXPECT_FALSE(analyser.dispatch(text)) << text;
        EXPECT_TRUE(outbox.windowPosts.empty()) << text;
        EXPECT_TRUE(outbox.threadPosts.empty()) << text;
        expectWatchdogRestarted();
    }
}

TEST_F(AnswerAnalyserTest, LockAnswerAlwaysNotifies)
{
    arrive("LM000");
    EXPECT_EQ(windowIds(), Ids{UM_ANS_LM});
}

TEST_F(AnswerAnalyserTest, OneAnswerTakenPerMessage)
{
    answers.put("FA14250000");
    answers.put("FB14000000");
    analyser.handle(Message{UM_ANSWER_ARRIVED, 0, 0});
    EXPECT_EQ(windowIds(), Ids{UM_ANS_FA});
    EXPECT_EQ(answers.pending(), 1);
    analyser.handle(Message{UM_ANSWER_ARRIVED, 0, 0});
    EXPECT_EQ(windowIds(), (Ids{UM_ANS_FA, UM_ANS_FB}));

    // A message with nothing queued neither waits nor touches the watchdog.
    outbox.clear();
    analyser.handle(Message{UM_ANSWER_ARRIVED, 0, 0});
    EXPECT_TRUE(outbox.timerCalls.empty());
}

TEST_F(AnswerAnalyserTest, MenuAnswerThatChangesAValueNotifiesByKind)
{
    struct Case {
        int kind;
        Ids ids;
    };
    const Case cases[] = {
        {11, {UM_ANS_OTHER, UM_ANS_CO}}, {12, {UM_ANS_OTHER, UM_ANS_BP}}, {15, {UM_ANS_OTHER, UM_ANS_RM}},
        {37, {UM_ANS_OTHER, UM_ANS_RM}}, {38, {UM_ANS_OTHER, UM_ANS_RM}}, {39, {UM_ANS_OTHER, UM_ANS_RM}},
        {1, {UM_ANS_OTHER}},
    };
    for (const Case& c : cases) {
        makeEntry(12, c.kind);
        outbox.clear();
        EXPECT_TRUE(analyser.dispatch("EX0121")) << c.kind;
        EXPECT_EQ(windowIds(), c.ids) << c.kind;
        EXPECT_EQ(menu.getEntry(12).value, 1.0);
        expectWatchdogRestarted();

        outbox.clear();
        EXPECT_FALSE(analyser.dispatch("EX0121")) << c.kind; // no change, no news
        EXPECT_TRUE(outbox.windowPosts.empty()) << c.kind;
    }
}

TEST_F(AnswerAnalyserTest, MenuAnswersDecodedByTheEntrysWidthAndKind)
{
    arrive("EX06510000000001"); // "MY BAND": only the "1.8" and "GEN" bands
    EXPECT_EQ(menu.getEntry(65).value, 1024.0 + 1.0);
    arrive("EX025-030"); // "D DISP", signed
    EXPECT_EQ(menu.getEntry(25).value, -30.0);
    EXPECT_EQ(windowIds(), (Ids{UM_ANS_OTHER, UM_ANS_OTHER}));
}

TEST_F(AnswerAnalyserTest, MenuAnswersOutsideTheMenuOrCutShortChangeNothing)
{
    radio.set(RInt::HIGHEST_MENU, 64);
    const MenuItem before = menu.getEntry(65);
    for (const char* text : {"EX06510000000001", "EX0000", "EX999123", "EX0211", "EX", "EX02"}) {
        outbox.clear();
        EXPECT_FALSE(analyser.dispatch(text)) << text;
        EXPECT_TRUE(outbox.windowPosts.empty()) << text;
        expectWatchdogRestarted();
    }
    EXPECT_EQ(menu.getEntry(65).value, before.value);
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
    EXPECT_EQ(radio.get(RInt::AI), 0);
    EXPECT_TRUE(outbox.timerCalls.empty());
}

// The main window's tick and the analyser together: while the one-second
// polls keep writing commands that get no answer, every tick declares the
// link lost exactly once; once a tick finds nothing written, it stays quiet.
TEST_F(AnswerAnalyserTest, SilentRadioIsDeclaredLostOncePerTick)
{
    arrive("AI1");
    arrive("RM1150");
    for (int tick = 0; tick < 3; ++tick) {
        link.answerPending = true; // a poll went out
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
