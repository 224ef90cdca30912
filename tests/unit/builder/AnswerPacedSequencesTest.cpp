// The read sequences paced by the radio's answers: each step goes out when
// the answers to the one before it are in, and at the timer's tick at the
// latest. The builder runs here without its thread; what it posts to itself
// is handed back as the thread would.
#include "BuilderFixture.h"

#include "cat/CatTables.h"
#include "menu/MenuKind.h"
#include "sim/RadioModel.h"

#include <cstdio>

namespace qx::test {
namespace {

class AnswerPacedTest : public BuilderTest {
protected:
    // Hands the builder what it posted to its own thread since the last call.
    int deliverOwnPosts()
    {
        int delivered = 0;
        while (posted_ < outbox.threadPosts.size()) {
            const auto p = outbox.threadPosts[posted_++];
            if (p.to == ThreadId::AnlSend && p.m.id == UM_SEQUENCE_ANSWERED) {
                paced.handle(p.m);
                ++delivered;
            }
        }
        return delivered;
    }
    // The analyser's part: the answer has been decoded; a completed step is
    // posted to the builder, which the thread then runs.
    void answer(std::string_view text)
    {
        if (auto done = steps.arrived(text))
            outbox.postToThread(ThreadId::AnlSend, *done);
        deliverOwnPosts();
    }
    int ticks(std::uint32_t id) const
    {
        int n = 0;
        for (const auto& p : outbox.threadPosts)
            n += p.m.id == id ? 1 : 0;
        return n;
    }
    std::size_t restarts(int timer) const
    {
        std::size_t n = 0;
        for (const auto& c : outbox.timerCalls)
            n += c.start && c.id == timer ? 1 : 0;
        return n;
    }

    StepAnswers steps;
    CommandBuilder paced{sendQueue, answerQueue, radio, command, menu, flags, outbox, clock, port, &steps};
    std::size_t posted_ = 0;
};

// A radio that answers every read: the whole link-up read runs without a
// single tick, in the same order as on ticks, and never has more than one
// step's queries unanswered.
TEST_F(AnswerPacedTest, ARadioThatAnswersRunsBothSequencesWithoutWaitingForTicks)
{
    sim::RadioModel radioModel;
    radioModel.power(true);
    radioModel.tick(std::chrono::seconds(2));

    paced.handle({UM_REQ_READ_ALL_START, 0, 0});
    deliverOwnPosts();
    ASSERT_EQ(log, Log{"EX015;"}) << "the first step need not wait for a tick, the empty row 0 neither";
    Log wire;
    std::size_t answered = 0;
    std::size_t mostOutstanding = 0;
    while (answered < log.size() && answered < 400) {
        mostOutstanding = std::max(mostOutstanding, log.size() - answered);
        const std::string text = log[answered++];
        if (text.starts_with("~"))
            continue; // a pause
        wire.push_back(text);
        for (const std::string& reply : radioModel.handle(text))
            answer(std::string_view(reply).substr(0, reply.size() - 1));
    }
    EXPECT_FALSE(paced.readAll().running() || paced.menuRead().running());
    EXPECT_FALSE(flags.waitBoxBusy);

    Log expected = {
        "EX015;", "VS;",  "FA;",  "FB;",  "IF;",  "OI;",  "RS;",  "ST;",  "BS;",  "MD0;", "RT;",  "BP00;",
        "BP01;",  "CO00;", "CO01;", "MS;", "NR0;", "FT;",  "LK;",  "FS;",  "NA0;", "NB0;", "GT0;", "RA0;",
        "PA0;",   "KR;",  "TS;",  "AC;",  "VX;",  "BI;",  "ML0;", "ML1;", "CS;",  "RM0;", "KP;",  "KS;",
        "SD;",    "MG;",  "VG;",  "VD;",  "SQ0;", "AG0;", "RG0;", "IS0;", "SH0;", "RL0;", "BY;",  "SC;",
        "SM0;",   "TX;",  "UL;",  "CN0;", "CT0;", "KM1;", "KM2;", "KM3;", "MC;",  "OS0;", "PB;",  "PC;",
        "PS;",    "RI0;", "RI1;", "RI3;", "RI4;", "RI9;", "BG0;", "LM0;", "DS;",  "VC;",  "VR;",  "AX;",
        "DA;",    "SS0;", "SF;",
    };
    for (int slot = 1; slot <= menu.count(); ++slot) {
        const int kind = menu.kindOf(slot);
        if (kind == MenuKind::Vacant)
            continue;
        char text[8];
        std::snprintf(text, sizeof text, kind == MenuKind::Dimmer ? "DA;" : "EX%03d;", slot);
        expected.emplace_back(text);
    }
    ASSERT_EQ(expected.size(), 138u);
    EXPECT_EQ(wire, expected);
    EXPECT_EQ(ticks(UM_REQ_READ_ALL_STEP) + ticks(UM_REQ_MENU_READ_STEP), 0);
    EXPECT_LE(mostOutstanding, 6u) << "the list step of five queries and its pause";
    // Every answered step puts the next tick a whole period after it.
    EXPECT_GT(restarts(ReadAllSequence::kTimer), 60u);
    for (const auto& c : outbox.timerCalls)
        EXPECT_TRUE(!c.start || c.periodMs == 30) << c.id;
}

TEST_F(AnswerPacedTest, AStepWaitsForEveryOneOfItsAnswers)
{
    paced.handle({UM_REQ_READ_ALL_START, 0, 0});
    deliverOwnPosts();
    while (paced.readAll().nextRow() != static_cast<int>(ReadRow::RI))
        paced.handle({UM_REQ_READ_ALL_STEP, 0, 0});
    take();
    paced.handle({UM_REQ_READ_ALL_STEP, 0, 0});
    EXPECT_EQ(take(), (Log{"RI0;", "RI1;", "RI3;", "RI4;", "RI9;"}));
    for (const char* a : {"RI00", "RI10", "RI30", "RI90", "BG012", "RI1x"})
        answer(a);
    EXPECT_EQ(take(), Log{}) << "RI4 is still out; other answers count for nothing";
    answer("RI40");
    EXPECT_EQ(take(), Log{"BG0;"});
}

TEST_F(AnswerPacedTest, OnlyTheAnswerToTheLatestStepMovesTheSequence)
{
    paced.handle({UM_REQ_READ_ALL_START, 0, 0});
    deliverOwnPosts();
    EXPECT_EQ(take(), Log{"EX015;"});
    // The radio is slow: the tick sends the next step; the late answer to
    // the first is stale and must not send a third.
    paced.handle({UM_REQ_READ_ALL_STEP, 0, 0});
    EXPECT_EQ(take(), Log{"VS;"});
    answer("EX0151");
    EXPECT_EQ(take(), Log{});
    // A completion that comes after a tick already moved on is ignored too.
    answer("VS0");
    ASSERT_EQ(take(), Log{"FA;"});
    paced.handle({UM_SEQUENCE_ANSWERED, ReadAllSequence::kTimer, outbox.threadPosts.back().m.lParam});
    EXPECT_EQ(take(), Log{});
    // Nor does anything reach a stopped sequence.
    paced.handle({UM_REQ_SEQUENCE_STOP, 0, 0});
    take();
    answer("FA14250000");
    EXPECT_EQ(take(), Log{});
    EXPECT_FALSE(paced.readAll().running());
}

TEST_F(AnswerPacedTest, TheMenuReadWaitsForTheLastReadAllAnswerAndTheKeyerReadEndsWithItsThird)
{
    paced.handle({UM_REQ_READ_ALL_START, 0, 0});
    for (int row = 0; row <= ReadAllSequence::kLastRow; ++row)
        paced.handle({UM_REQ_READ_ALL_STEP, 0, 0});
    EXPECT_EQ(take().back(), "SF;");
    ASSERT_TRUE(paced.menuRead().running());
    deliverOwnPosts();
    EXPECT_EQ(take(), Log{}) << "\"SF;\" is still out";
    answer("SF0");
    EXPECT_EQ(take(), Log{"EX001;"});

    paced.handle({UM_REQ_KM_READ_START, 0, 0});
    deliverOwnPosts();
    EXPECT_EQ(take(), Log{"KM1;"});
    answer("KM1CQ");
    answer("EX0011");
    EXPECT_EQ(take(), (Log{"KM2;", "EX002;"})) << "two sequences wait side by side";
    answer("KM2");
    answer("KM3");
    EXPECT_EQ(take(), Log{"KM3;"});
    EXPECT_FALSE(paced.keyerRead().running());
}

} // namespace
} // namespace qx::test
