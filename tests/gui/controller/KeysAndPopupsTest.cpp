// Keys, LCD hot spots and popups, driven by mouse events on the real window.
#include "ControllerFixture.h"

#include "panel/PanelDisplay.h"

namespace qx::test {
namespace {

using panel::kKeyPressed;
using panel::kKeyReleased;

int lamp(const panel::PanelModel& m, std::uint32_t id) { return m.keys[static_cast<std::size_t>(panel::keyLampIndex(id))]; }

TEST_F(ControllerTest, KeyPressPostsOnceAndReleaseDrawsTheKeyUp)
{
    leftPress(290, 190); // NB, blanker off: switch it on
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_NB_SET, 1}}));
    EXPECT_EQ(lamp(model(), UM_KEY_7F) & 1, kKeyPressed);
    EXPECT_TRUE(timerStarted(panel::kKeyTimer, 100));
    leftRelease(290, 190);
    EXPECT_EQ(lamp(model(), UM_KEY_7F) & 1, kKeyReleased);
    EXPECT_EQ(controller().activeOperation(), 0);

    clear();
    radio.set(R::NB, 1);
    leftClick(290, 190);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_NB_SET, 0}}));
}

TEST_F(ControllerTest, TimerOneReleasesAKeyOnceThePointerLeavesIt)
{
    leftPress(420, 240); // A=B
    ASSERT_EQ(controller().activeOperation(), 81);
    tick(panel::kKeyTimer);
    EXPECT_EQ(controller().activeOperation(), 81);
    moveTo(500, 100);
    tick(panel::kKeyTimer);
    EXPECT_EQ(controller().activeOperation(), 0);
    EXPECT_TRUE(timerStopped(panel::kKeyTimer));
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_VV, 0}}));
}

TEST_F(ControllerTest, FixedRequestsOfKeysAndHotSpots)
{
    struct Case {
        int x, y;
        Posted want;
    };
    const Case cases[] = {
        {297, 243, {UM_REQ_MK_7_8, 1}}, {797, 145, {UM_REQ_SC_TOGGLE, 0}}, {520, 84, {UM_REQ_RA_SET, 3}},
        {670, 85, {UM_REQ_GT_SET, 4}}, {320, 50, {UM_REQ_MD_MODE_5, 0}},
    };
    for (const Case& c : cases) {
        clear();
        leftClick(c.x, c.y);
        EXPECT_EQ(posted(), std::vector<Posted>{c.want}) << c.x << "," << c.y;
    }
}

TEST_F(ControllerTest, VoxFollowsTheMode)
{
    struct Case {
        int mode;
        std::vector<Posted> want;
    };
    const Case cases[] = {
        {2, {{UM_REQ_VX_TOGGLE, 0}}}, {3, {{UM_REQ_BI_TOGGLE, 0}}}, {7, {{UM_REQ_BI_TOGGLE, 0}}}, {6, {}},
    };
    for (const Case& c : cases) {
        radio.set(R::MD0, c.mode);
        clear();
        leftClick(797, 85);
        EXPECT_EQ(posted(), c.want) << "mode " << c.mode;
    }
}

TEST_F(ControllerTest, HotSpotsThatDependOnState)
{
    struct Case {
        int mode, os, ct, rt;
        int x, y; // 271 shift +, 273 encoder, 268 break-in, right click on CLAR
        bool right;
        std::vector<Posted> want;
    };
    const Case cases[] = {
        {2, 0, 0, 0, 373, 67, false, {{UM_REQ_OS_1, 0}}},
        {2, 1, 0, 0, 373, 67, false, {{UM_REQ_OS_0, 0}}},
        {4, 0, 0, 0, 360, 50, false, {{UM_REQ_CT_2, 0}}},
        {4, 0, 2, 0, 360, 50, false, {{UM_REQ_CT_0, 0}}},
        {2, 0, 0, 0, 360, 50, false, {}},
        {2, 0, 0, 0, 400, 80, false, {}},
        {3, 0, 0, 0, 400, 80, false, {{UM_REQ_BI_TOGGLE, 0}}},
        {2, 0, 0, 0, 350, 280, true, {}},
        {2, 0, 0, 1, 350, 280, true, {{UM_REQ_RC, 0}}},
    };
    for (const Case& c : cases) {
        radio.set(R::MD0, c.mode);
        radio.set(R::OS0, c.os);
        radio.set(R::CT0, c.ct);
        radio.set(R::RT, c.rt);
        clear();
        if (c.right)
            rightClick(c.x, c.y);
        else
            leftClick(c.x, c.y);
        EXPECT_EQ(posted(), c.want) << c.x << "," << c.y << " mode " << c.mode;
        EXPECT_EQ(controller().activeOperation(), 0);
    }
}

TEST_F(ControllerTest, PopupsShowTheirLabelsWhereTheyBelongAndPostTheChoice)
{
    radio.set(R::GT0, 3);
    nextChoice = 1;
    leftClick(357, 195); // AGC
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(popups[0].x, 310);
    EXPECT_EQ(popups[0].y, 260);
    EXPECT_EQ(popupLabels[0], (std::vector<std::string>{"AGC OFF ", "AGC AUTO", "AGC FAST", "AGC SLOW"}));
    EXPECT_EQ(popups[0].checked, 1u << 3);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_GT_SET, 1}}));
    EXPECT_EQ(controller().activeOperation(), 0);
    EXPECT_EQ(lamp(model(), UM_KEY_7E) & 1, kKeyReleased);

    clear();
    nextChoice = 2;
    leftClick(237, 195); // ATT/IPO: two requests
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_RA_SET, 0}, {UM_REQ_PA_SET, 0}}));

    clear();
    nextChoice = std::nullopt;
    leftClick(798, 195); // meter popup dismissed
    EXPECT_EQ(popups.size(), 1u);
    EXPECT_TRUE(posted().empty());
}

TEST_F(ControllerTest, SplitValuesSwapWhileVfoBOperates)
{
    struct Case {
        int vs, choice;
        std::int64_t want;
    };
    const Case cases[] = {{0, 1, 1}, {1, 1, 0}, {1, 0, 1}, {1, 2, 2}};
    for (const Case& c : cases) {
        radio.set(R::VS, c.vs);
        nextChoice = c.choice;
        clear();
        leftClick(748, 145);
        ASSERT_EQ(popups.size(), 1u);
        EXPECT_EQ(popupLabels[0][1], "SPLIT ON   ");
        EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_QS_FT, c.want}})) << c.vs << "/" << c.choice;
    }
}

TEST_F(ControllerTest, ModePopupsOpenOnRightClicksAtTwoPlaces)
{
    nextChoice = 3;
    rightClick(297, 243);
    rightClick(357, 243);
    ASSERT_EQ(popups.size(), 2u);
    EXPECT_EQ(popups[0].x, 263);
    EXPECT_EQ(popups[1].x, 324);
    EXPECT_EQ(popupLabels[0][3], "CW-R");
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_MD_MODE_7, 0}, {UM_REQ_MD_MODE_7, 0}}));
}

TEST_F(ControllerTest, StepPopupOpensASecondAfterTheClick)
{
    radio.set(R::MD0, 4);
    leftClick(748, 130);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_ST_READ, 0}}));
    EXPECT_TRUE(timerStarted(panel::kDelayedPopupTimer, 1000));
    EXPECT_TRUE(popups.empty());
    EXPECT_EQ(controller().activeOperation(), 222);

    nextChoice = 1;
    tick(panel::kDelayedPopupTimer);
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(popups[0].x, 712);
    EXPECT_EQ(popupLabels[0].size(), 8u);
    EXPECT_EQ(posted().back(), (Posted{UM_REQ_ST_SET_B, 1}));
    EXPECT_EQ(controller().activeOperation(), 0);
}

TEST_F(ControllerTest, AnotherPressCancelsTheDelayedPopup)
{
    leftClick(748, 130);
    leftClick(797, 145); // scan key
    tick(panel::kDelayedPopupTimer);
    EXPECT_TRUE(popups.empty());
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_ST_READ, 0}, {UM_REQ_SC_TOGGLE, 0}}));
}

TEST_F(ControllerTest, BandPopupAfterARightPressOnTheBandKeys)
{
    nextChoice = 10;
    rightPress(610, 195);
    rightRelease(610, 195);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_BS_READ, 0}}));
    tick(panel::kDelayedPopupTimer);
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(popups[0].x, 588);
    EXPECT_EQ(popupLabels[0][10], "GEN ");
    EXPECT_EQ(posted().back(), (Posted{UM_REQ_BS_11, 0}));
}

TEST_F(ControllerTest, RightPressOnMemoryWriteOpensTheChannelTable)
{
    rightPress(797, 40);
    rightRelease(797, 40);
    EXPECT_TRUE(window->auxOpen(AuxKind::MemoryChannels));
    EXPECT_FALSE(window->auxOpen(AuxKind::MemoryWrite));
    EXPECT_TRUE(posted().empty());
}

TEST_F(ControllerTest, DspPopupWidthChoiceOpensTheWidthPopup)
{
    int calls = 0;
    host().setChooser([&](const panel::PopupRequest& p) -> std::optional<int> {
        ++calls;
        if (p.popup == panel::Popup::Dsp)
            return 3;
        EXPECT_EQ(p.popup, panel::Popup::Width);
        EXPECT_EQ(p.x, 128);
        return 2;
    });
    leftClick(170, 195);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_SH_SET_B, 31}}));
}

TEST_F(ControllerTest, OpenWindowsBlockThePanelExceptDspChoicesBesideCw)
{
    ASSERT_TRUE(window->openAux(AuxKind::Cw));
    clear(); // the window's own reads
    leftClick(290, 190);
    EXPECT_TRUE(posted().empty());
    nextChoice = 5; // SELECT
    leftClick(170, 195);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_SF_0, 0}}));
}

TEST_F(ControllerTest, LinkKeySwitchesPowerOnFirstWhenBothAreOff)
{
    radio.set(R::AI, 0);
    radio.set(R::CO0, 2);
    leftClick(50, 195);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_POWER_TOGGLE, 0}, {UM_REQ_AI_TOGGLE, 0}}));
    EXPECT_EQ(pauses, std::vector<int>{100});
    EXPECT_EQ(radio.get(R::CO0), 0);
    EXPECT_TRUE(timerStarted(panel::kConnectCheckTimer, 1500));

    clear();
    radio.set(R::PS, 1);
    radio.set(R::AI, 1);
    leftClick(50, 195);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_AI_TOGGLE, 0}}));
    EXPECT_TRUE(timerStopped(panel::kConnectCheckTimer));
}

} // namespace
} // namespace qx::test
