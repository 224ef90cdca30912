#include "BuilderFixture.h"

#include "menu/MenuKind.h"

#include <cstdio>

namespace qx::test {
namespace {

using Timers = std::vector<FakeOutbox::TimerCall>;

const Log kReadAll = {
    "EX015;", "VS;",   "FA;",   "FB;",   "IF;",   "OI;",   "RS;",   "ST;",   "BS;",   "MD0;",  "RT;",
    "BP00;",  "BP01;", "CO00;", "CO01;", "MS;",   "NR0;",  "FT;",   "LK;",   "FS;",   "NA0;",  "NB0;",
    "GT0;",   "RA0;",  "PA0;",  "KR;",   "TS;",   "AC;",   "VX;",   "BI;",   "ML0;",  "~25",   "ML1;",
    "CS;",    "RM0;",  "KP;",   "KS;",   "SD;",   "MG;",   "VG;",   "VD;",   "SQ0;",  "AG0;",  "RG0;",
    "IS0;",   "SH0;",  "RL0;",  "BY;",   "SC;",   "SM0;",  "TX;",   "UL;",   "CN0;",  "CT0;",  "KM1;",
    "KM2;",   "KM3;",  "MC;",   "OS0;",  "PB;",   "PC;",   "PS;",   "RI0;",  "RI1;",  "RI3;",  "RI4;",
    "RI9;",   "BG0;",  "LM0;",  "DS;",   "VC;",   "VR;",   "AX;",   "DA;",   "SS0;",  "SF;",
};

std::size_t textsIn(const Log& log)
{
    std::size_t n = 0;
    for (const auto& s : log)
        n += s.starts_with("~") ? 0 : 1;
    return n;
}

class ReadSequencesTest : public BuilderTest {
protected:
    void steps(std::uint32_t id, int count)
    {
        for (int i = 0; i < count; ++i)
            post(id);
    }
};

TEST_F(ReadSequencesTest, ReadAllSendsEveryRowInTableOrderThenStartsTheMenuRead)
{
    flags.waitBoxShown = true;
    post(UM_REQ_READ_ALL_START);
    EXPECT_TRUE(flags.waitBoxBusy);
    EXPECT_EQ(timers(), (Timers{{true, 4, 30}}));

    steps(UM_REQ_READ_ALL_STEP, 68);
    EXPECT_TRUE(builder.readAll().running());
    post(UM_REQ_READ_ALL_STEP);

    const Log sent = take();
    EXPECT_EQ(sent, kReadAll);
    EXPECT_EQ(textsIn(sent), 75u);
    EXPECT_FALSE(builder.readAll().running());
    EXPECT_TRUE(builder.menuRead().running());
    EXPECT_EQ(timers(), (Timers{{true, 4, 30}, {false, 4, 0}, {true, 5, 30}}));
    EXPECT_TRUE(flags.waitBoxBusy);
    EXPECT_EQ(windowPostsOf(UM_WAIT_BOX_CLOSE), 0);
}

TEST_F(ReadSequencesTest, ReadAllWithoutACwBfoEntrySkipsTheMenuQuery)
{
    menu.update(15, [](MenuItem& e) {
        e.kind = MenuKind::List;
        return true;
    });
    post(UM_REQ_READ_ALL_START);
    steps(UM_REQ_READ_ALL_STEP, 69);
    const Log sent = take();
    EXPECT_EQ(textsIn(sent), 74u);
    EXPECT_EQ(sent.front(), "VS;");
}

TEST_F(ReadSequencesTest, SecondStartRestartsFromRowZeroWithoutASecondTimer)
{
    post(UM_REQ_READ_ALL_START);
    steps(UM_REQ_READ_ALL_STEP, 5);
    take();
    post(UM_REQ_READ_ALL_START);
    EXPECT_EQ(builder.readAll().nextRow(), 0);
    EXPECT_EQ(timers(), (Timers{{true, 4, 30}}));
    steps(UM_REQ_READ_ALL_STEP, 3);
    EXPECT_EQ(take(), (Log{"EX015;", "VS;"}));
}

TEST_F(ReadSequencesTest, LateTicksAfterAStopSendNothing)
{
    post(UM_REQ_READ_ALL_STEP);
    post(UM_REQ_MENU_READ_STEP);
    post(UM_REQ_KM_READ_STEP);
    EXPECT_TRUE(take().empty());
    EXPECT_TRUE(outbox.timerCalls.empty());
}

Log expectedMenuRead()
{
    Log log;
    for (int slot = 1; slot <= 66; ++slot) {
        if (slot == 27 || slot == 28 || slot == 40 || slot == 41)
            continue;
        char text[8];
        std::snprintf(text, sizeof text, "EX%03d;", slot);
        log.emplace_back(text);
    }
    log.emplace_back("DA;");
    log.emplace_back("~100");
    return log;
}

TEST_F(ReadSequencesTest, MenuReadAsksForEveryEntryInUseAndClosesTheShownWaitBox)
{
    flags.waitBoxShown = true;
    post(UM_REQ_MENU_READ_START);
    EXPECT_TRUE(flags.waitBoxBusy);
    steps(UM_REQ_MENU_READ_STEP, 66);
    EXPECT_TRUE(builder.menuRead().running());
    EXPECT_EQ(windowPostsOf(UM_WAIT_BOX_CLOSE), 0);
    post(UM_REQ_MENU_READ_STEP);

    Log expected = expectedMenuRead();
    expected.emplace_back("~100");
    EXPECT_EQ(take(), expected);
    EXPECT_FALSE(builder.menuRead().running());
    EXPECT_FALSE(flags.waitBoxBusy);
    EXPECT_EQ(windowPostsOf(UM_WAIT_BOX_CLOSE), 1);
    EXPECT_EQ(timers(), (Timers{{true, 5, 30}, {false, 5, 0}}));
}

TEST_F(ReadSequencesTest, MenuReadLeavesAWaitBoxThatIsNotShownAlone)
{
    post(UM_REQ_MENU_READ_START);
    steps(UM_REQ_MENU_READ_STEP, 67);
    EXPECT_EQ(take(), expectedMenuRead());
    EXPECT_FALSE(flags.waitBoxBusy);
    EXPECT_EQ(windowPostsOf(UM_WAIT_BOX_CLOSE), 0);
}

TEST_F(ReadSequencesTest, MenuReadOfAnUnloadedMenuEndsAtOnce)
{
    menu.setCount(0);
    post(UM_REQ_MENU_READ_START);
    post(UM_REQ_MENU_READ_STEP);
    EXPECT_TRUE(take().empty());
    EXPECT_FALSE(builder.menuRead().running());
}

TEST_F(ReadSequencesTest, StopEndsEverySequenceAndReleasesTheWaitBox)
{
    const struct {
        std::uint32_t start;
        Timers expected;
    } cases[] = {
        {UM_REQ_READ_ALL_START, {{false, 4, 0}, {false, 25, 0}}},
        {UM_REQ_MENU_READ_START, {{false, 5, 0}, {false, 25, 0}}},
    };
    for (const auto& c : cases) {
        flags.waitBoxShown = true;
        post(c.start);
        outbox.clear();
        take();
        post(UM_REQ_SEQUENCE_STOP);
        EXPECT_EQ(timers(), c.expected) << messageName(c.start);
        EXPECT_FALSE(flags.waitBoxBusy);
        EXPECT_EQ(windowPostsOf(UM_WAIT_BOX_CLOSE), 1);
        EXPECT_EQ(take(), (Log{"~100"}));
        EXPECT_FALSE(builder.readAll().running());
        EXPECT_FALSE(builder.menuRead().running());
    }
}

TEST_F(ReadSequencesTest, StopWithNothingRunningLeavesTheWaitBoxAlone)
{
    flags.waitBoxShown = true;
    post(UM_REQ_SEQUENCE_STOP);
    EXPECT_EQ(windowPostsOf(UM_WAIT_BOX_CLOSE), 0);
    EXPECT_EQ(timers(), (Timers{{false, 25, 0}}));
}

TEST_F(ReadSequencesTest, KeyerReadSendsThreeQueriesAndTheFourthTickEndsIt)
{
    post(UM_REQ_KM_READ_START);
    steps(UM_REQ_KM_READ_STEP, 4);
    EXPECT_EQ(take(), (Log{"KM1;", "KM2;", "KM3;"}));
    EXPECT_EQ(timers(), (Timers{{true, 25, 30}, {false, 25, 0}}));
    post(UM_REQ_KM_READ_STEP);
    EXPECT_TRUE(take().empty());

    // Stopped half-way, the next read starts again from the first memory.
    post(UM_REQ_KM_READ_START);
    post(UM_REQ_KM_READ_STEP);
    post(UM_REQ_SEQUENCE_STOP);
    post(UM_REQ_KM_READ_STEP);
    post(UM_REQ_KM_READ_START);
    post(UM_REQ_KM_READ_STEP);
    EXPECT_EQ(take(), (Log{"KM1;", "KM1;"}));
}

} // namespace
} // namespace qx::test
