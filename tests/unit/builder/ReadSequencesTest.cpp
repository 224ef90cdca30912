#include "BuilderFixture.h"

#include "menu/MenuKind.h"

#include <cstdio>

namespace qx::test {
namespace {

const Log kReadAll = {
    "EX015;", "VS;",  "FA;",  "FB;",  "IF;",  "OI;",  "RS;",  "ST;",  "BS;",  "MD0;", "RT;",  "BP00;",
    "BP01;",  "CO00;", "CO01;", "MS;", "NR0;", "FT;",  "LK;",  "FS;",  "NA0;", "NB0;", "GT0;", "RA0;",
    "PA0;",   "KR;",  "TS;",  "AC;",  "VX;",  "BI;",  "ML0;", "~25",  "ML1;", "CS;",  "RM0;", "KP;",
    "KS;",    "SD;",  "MG;",  "VG;",  "VD;",  "SQ0;", "AG0;", "RG0;", "IS0;", "SH0;", "RL0;", "BY;",
    "SC;",    "SM0;", "TX;",  "UL;",  "CN0;", "CT0;", "KM1;", "KM2;", "KM3;", "MC;",  "OS0;", "PB;",
    "PC;",    "PS;",  "RI0;", "RI1;", "RI3;", "RI4;", "RI9;", "BG0;", "LM0;", "DS;",  "VC;",  "VR;",
    "AX;",    "DA;",  "SS0;", "SF;",
};

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
    for (bool cwBfo : {true, false}) {
        if (!cwBfo)  // no menu entry of the kind read with the rows
            menu.update(15, [](MenuItem& e) { return (e.kind = MenuKind::List) != 0; });
        outbox.clear();
        flags.waitBoxShown = true;
        post(UM_REQ_READ_ALL_START);
        steps(UM_REQ_READ_ALL_STEP, 68);
        EXPECT_TRUE(builder.readAll().running() && flags.waitBoxBusy);
        post(UM_REQ_READ_ALL_STEP);

        EXPECT_EQ(take(), cwBfo ? kReadAll : Log(kReadAll.begin() + 1, kReadAll.end()));  // 75 or 74 texts
        EXPECT_TRUE(builder.menuRead().running() && flags.waitBoxBusy);
        EXPECT_EQ(timers(), (Timers{{true, 4, 30}, {false, 4, 0}, {true, 5, 30}}));
        EXPECT_EQ(posts(UM_WAIT_BOX_CLOSE), 0);
        post(UM_REQ_SEQUENCE_STOP);
        take();
    }
}

TEST_F(ReadSequencesTest, SecondStartRestartsFromRowZeroWithoutASecondTimer)
{
    post(UM_REQ_READ_ALL_START);
    steps(UM_REQ_READ_ALL_STEP, 5);
    take();
    post(UM_REQ_READ_ALL_START);
    steps(UM_REQ_READ_ALL_STEP, 3);
    EXPECT_EQ(take(), (Log{"EX015;", "VS;"}));
    EXPECT_EQ(timers(), (Timers{{true, 4, 30}}));
}

TEST_F(ReadSequencesTest, MenuReadAsksForEveryEntryInUseAndClosesOnlyAShownWaitBox)
{
    Log expected;
    for (int slot = 1; slot <= 66; ++slot) {
        if (slot == 27 || slot == 28 || slot == 40 || slot == 41)
            continue;  // vacant
        char text[8];
        std::snprintf(text, sizeof text, "EX%03d;", slot);
        expected.emplace_back(text);
    }
    expected.insert(expected.end(), {"DA;", "~100"});

    for (bool shown : {false, true}) {
        flags.waitBoxShown = shown;
        post(UM_REQ_MENU_READ_START);
        steps(UM_REQ_MENU_READ_STEP, 66);
        EXPECT_TRUE(flags.waitBoxBusy);
        post(UM_REQ_MENU_READ_STEP);
        Log sent = take();
        if (shown) {
            EXPECT_EQ(sent.back(), "~100");
            sent.pop_back();
        }
        EXPECT_EQ(sent, expected);
        EXPECT_FALSE(flags.waitBoxBusy);
        EXPECT_EQ(posts(UM_WAIT_BOX_CLOSE), shown ? 1 : 0);
        EXPECT_EQ(timers().back(), std::make_tuple(false, 5, 0));
    }
}

TEST_F(ReadSequencesTest, StopEndsEitherReadSequenceAndReleasesTheWaitBox)
{
    for (std::uint32_t start : {UM_REQ_READ_ALL_START, UM_REQ_MENU_READ_START}) {
        flags.waitBoxShown = true;
        post(start);
        outbox.clear();
        post(UM_REQ_SEQUENCE_STOP);
        const int timer = start == UM_REQ_READ_ALL_START ? 4 : 5;
        EXPECT_EQ(timers(), (Timers{{false, timer, 0}, {false, 25, 0}}));
        EXPECT_FALSE(flags.waitBoxBusy);
        EXPECT_EQ(posts(UM_WAIT_BOX_CLOSE), 1);
        // A tick already on its way finds the sequence stopped.
        post(start == UM_REQ_READ_ALL_START ? UM_REQ_READ_ALL_STEP : UM_REQ_MENU_READ_STEP);
        EXPECT_EQ(take(), (Log{"~100"}));
    }
}

TEST_F(ReadSequencesTest, KeyerReadSendsThreeQueriesAndAlwaysRestartsAtTheFirst)
{
    post(UM_REQ_KM_READ_START);
    steps(UM_REQ_KM_READ_STEP, 5);
    EXPECT_EQ(take(), (Log{"KM1;", "KM2;", "KM3;"}));
    EXPECT_EQ(timers(), (Timers{{true, 25, 30}, {false, 25, 0}}));

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
