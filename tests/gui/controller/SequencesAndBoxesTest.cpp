// The connection attempts after key 1, the MENU key, Enter, and the two boxes.
#include "ControllerFixture.h"

#include "core/ErrorMessages.h"
#include "panel/PanelDisplay.h"
#include "panel/boxes/ConnectingDlg.h"
#include "panel/boxes/WaitBoxDlg.h"
#include "windows/AuxWindow.h"
#include "tests/gui/GuiWait.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace qx::test {
namespace {

TEST_F(ControllerTest, FourAttemptsThenTheFailureMessage)
{
    radio.set(R::AI, 0);
    radio.set(R::PS, 1);
    leftClick(50, 195);
    clear();
    tick(panel::kConnectCheckTimer);
    ASSERT_NE(host().connectingBox(), nullptr);
    EXPECT_TRUE(host().connectingBox()->isVisible());
    EXPECT_EQ(host().connectingBox()->text()->text(), "Connecting the COM port now.");
    EXPECT_TRUE(controller().connecting());
    EXPECT_TRUE(timerStarted(panel::kConnectAttemptTimer, 1000));

    leftClick(290, 190); // keys are ignored meanwhile
    EXPECT_TRUE(posted().empty());
    for (int i = 0; i < 4; ++i)
        tick(panel::kConnectAttemptTimer);
    EXPECT_EQ(posted(), std::vector<Posted>(4, Posted{UM_REQ_AI_TOGGLE, 0}));
    EXPECT_TRUE(window->messageBoxes().isEmpty());

    tick(panel::kConnectAttemptTimer);
    EXPECT_EQ(posted().size(), 4u);
    EXPECT_FALSE(controller().connecting());
    EXPECT_EQ(host().connectingBox(), nullptr);
    EXPECT_TRUE(timerStopped(panel::kConnectAttemptTimer));
    const auto boxes = window->messageBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->text(), "Failed to connect the COM port.");
    boxes[0]->close();

    clear();
    leftClick(50, 195); // usable again
    EXPECT_EQ(posted(), (std::vector<Posted>{Posted{UM_REQ_AI_TOGGLE, 0}}));
}

TEST_F(ControllerTest, LinkUpEndsTheAttempts)
{
    radio.set(R::PS, 1);
    leftClick(50, 195);
    tick(panel::kConnectCheckTimer);
    tick(panel::kConnectAttemptTimer);
    window->onMessage({UM_PANEL_REFRESH, 0, 0});
    EXPECT_FALSE(controller().connecting());
    EXPECT_EQ(host().connectingBox(), nullptr);
    EXPECT_TRUE(timerStopped(panel::kConnectAttemptTimer));
}

TEST_F(ControllerTest, ARefusedAutoInformationEndsTheAttemptsWithItsOwnMessage)
{
    radio.set(R::AI, 0);
    radio.set(R::PS, 1);
    leftClick(50, 195);
    tick(panel::kConnectCheckTimer);
    tick(panel::kConnectAttemptTimer);
    ASSERT_TRUE(controller().connecting());
    window->onMessage({UM_SHOW_ERROR, 1, kAiRefusedRow});
    EXPECT_FALSE(controller().connecting());
    EXPECT_EQ(host().connectingBox(), nullptr);
    EXPECT_TRUE(timerStopped(panel::kConnectAttemptTimer));
    const auto boxes = window->messageBoxes();
    ASSERT_EQ(boxes.size(), 1) << "only the refusal, not the attempts' failure as well";
    EXPECT_EQ(boxes[0]->text(), "The transceiver did not turn auto-information on.\nPlease check its CAT settings.");
    boxes[0]->close();
    clear();
    leftClick(50, 195);
    EXPECT_EQ(posted().size(), 1u) << "the panel is usable";
}

TEST_F(ControllerTest, TheMenuIsGreyedWhileTheAttemptsRun)
{
    radio.set(R::AI, 0);
    auto menuEnabled = [this] {
        for (int id : {kCmdCommandSend, kCmdComSelect, kCmdBaudRate, kCmdPlayback, kCmdCw, kCmdRepeater, kCmdVersion})
            if (!window->menuAction(id)->isEnabled())
                return false;
        return true;
    };
    struct Case {
        const char* name;
        bool linkComesUp;
        bool auxOpen;
    };
    const Case cases[] = {
        {"link up", true, false},
        {"last attempt failed", false, false},
        {"link up, CW window open", true, true},
        {"last attempt failed, CW window open", false, true},
    };
    radio.set(R::PS, 1);
    for (const Case& c : cases) {
        leftClick(50, 195);
        if (c.auxOpen) {
            ASSERT_TRUE(window->openAux(AuxKind::Cw));
        }
        EXPECT_EQ(menuEnabled(), !c.auxOpen) << c.name;
        tick(panel::kConnectCheckTimer);
        ASSERT_TRUE(controller().connecting()) << c.name;
        EXPECT_FALSE(menuEnabled()) << c.name;
        EXPECT_TRUE(window->menuAction(kCmdExit)->isEnabled()) << c.name;
        if (c.linkComesUp) {
            window->onMessage({UM_PANEL_REFRESH, 0, 0});
        } else {
            for (int i = 0; i < 5; ++i)
                tick(panel::kConnectAttemptTimer);
            for (QMessageBox* b : window->messageBoxes())
                b->close();
        }
        ASSERT_FALSE(controller().connecting()) << c.name;
        EXPECT_EQ(menuEnabled(), !c.auxOpen) << c.name;
        if (c.auxOpen) {
            window->onMessage({UM_CW_DONE, 0, 0});
            EXPECT_TRUE(menuEnabled()) << c.name;
        }
    }
}

TEST_F(ControllerTest, NoAttemptsWhenThePortIsClosedOrTheLinkCameUp)
{
    radio.set(R::PS, 1);
    portReady = false;
    leftClick(50, 195);
    tick(panel::kConnectCheckTimer);
    EXPECT_FALSE(controller().connecting());

    portReady = true;
    leftClick(50, 195);
    radio.set(R::AI, 1);
    tick(panel::kConnectCheckTimer);
    EXPECT_FALSE(controller().connecting());
}

TEST_F(ControllerTest, MenuKeyLocksReadsWaitsAndOpensTheMenuList)
{
    radio.set(R::AI, 1);
    leftClick(738, 195);
    const std::vector<Posted> lock(3, Posted{UM_REQ_LK_SET, 2});
    std::vector<Posted> want = lock;
    want.push_back({UM_REQ_MENU_READ_START, 0});
    want.insert(want.end(), lock.begin(), lock.end());
    EXPECT_EQ(posted(), want);
    EXPECT_EQ(waitBoxes, 1);
    EXPECT_EQ(pauses, (std::vector<int>{100, 100, 100, 100, 100}));
    EXPECT_TRUE(window->auxOpen(AuxKind::MenuList));

    // While it is open the panel is blocked only with nothing active.
    clear();
    leftClick(290, 190);
    EXPECT_TRUE(posted().empty());
}

TEST_F(ControllerTest, MenuKeySkipsTheReadWhileOneRuns)
{
    radio.set(R::AI, 1);
    flags.waitBoxBusy = true;
    leftClick(738, 195);
    EXPECT_EQ(posted(), std::vector<Posted>(6, Posted{UM_REQ_LK_SET, 2}));
    EXPECT_EQ(waitBoxes, 1);
}

TEST_F(ControllerTest, EnterOpensVfoSetAndConfirmsIt)
{
    leftClick(400, 120); // a selected digit is released first
    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_EQ(window->display().selectedDigit(), 0);
    ASSERT_TRUE(window->auxOpen(AuxKind::VfoSet));
    leftClick(290, 190); // keys send nothing while it is open
    EXPECT_TRUE(posted().empty());
    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_TRUE(window->auxWindow(AuxKind::VfoSet)->finished());
}

TEST_F(ControllerTest, KeysDrawTheirLampsButSendNothingWhileVfoSetIsOpen)
{
    struct Case {
        const char* name;
        int x, y;
        std::uint32_t lamp;
    };
    const Case cases[] = {
        {"NB", 290, 190, UM_KEY_7F},
        {"AGC popup", 357, 195, UM_KEY_7E},
        {"key 1", 50, 195, UM_KEY_78},
        {"MENU", 738, 195, UM_KEY_83},
        {"GROUP", 237, 286, UM_KEY_9A},
    };
    setMenuKind(MenuKind::SelDial, 2);
    QTest::keyClick(window.get(), Qt::Key_Return);
    ASSERT_TRUE(window->auxOpen(AuxKind::VfoSet));
    auto lamp = [this](std::uint32_t id) {
        return model().keys[static_cast<std::size_t>(panel::keyLampIndex(id))] & 1;
    };
    for (const Case& c : cases) {
        clear();
        leftPress(c.x, c.y);
        EXPECT_EQ(lamp(c.lamp), panel::kKeyPressed) << c.name;
        leftRelease(c.x, c.y);
        EXPECT_EQ(lamp(c.lamp), panel::kKeyReleased) << c.name;
        EXPECT_TRUE(posted().empty()) << c.name;
        EXPECT_TRUE(popups.empty()) << c.name;
        EXPECT_FALSE(timerStarted(panel::kConnectCheckTimer, 1500)) << c.name;
    }
    EXPECT_EQ(waitBoxes, 0);
    EXPECT_FALSE(window->auxOpen(AuxKind::MenuList));
    EXPECT_FALSE(model().bandGroup);

    // Held keys are let go as usual when the pointer leaves them.
    leftPress(420, 240); // A=B
    EXPECT_EQ(lamp(UM_KEY_84), panel::kKeyPressed);
    moveTo(500, 100);
    tick(panel::kKeyTimer);
    EXPECT_EQ(lamp(UM_KEY_84), panel::kKeyReleased);
    EXPECT_EQ(controller().activeOperation(), 0);

    EXPECT_TRUE(posted().empty());
    ASSERT_TRUE(window->auxOpen(AuxKind::VfoSet));
    EXPECT_FALSE(window->auxWindow(AuxKind::VfoSet)->finished());
}

TEST(WaitBox, ClosesByItselfWhenNoReadRuns)
{
    LinkFlags flags;
    CWaitBoxDlg box(flags);
    box.show();
    EXPECT_EQ(box.text()->text(), "Reading the menu setting data now.");
    EXPECT_FALSE(flags.waitBoxShown.load());
    EXPECT_TRUE(box.closing());
    QX_WAIT_ASSERT(!box.isVisible(), 5000);
}

TEST(WaitBox, StaysUpUntilTheReadEndsAndIgnoresTheKeyboard)
{
    LinkFlags flags;
    flags.waitBoxBusy = true;
    CWaitBoxDlg box(flags);
    box.show();
    EXPECT_TRUE(flags.waitBoxShown.load());
    QTest::keyClick(&box, Qt::Key_Escape);
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(box.closing());
    box.sequenceEnded();
    EXPECT_FALSE(flags.waitBoxShown.load());
    QX_WAIT_ASSERT(!box.isVisible(), 5000);
}

TEST(WaitBox, TheTimeLimitClosesIt)
{
    LinkFlags flags;
    flags.waitBoxBusy = true;
    CWaitBoxDlg box(flags);
    box.show();
    box.limitReached();
    EXPECT_FALSE(flags.waitBoxShown.load());
    QX_WAIT_ASSERT(!box.isVisible(), 5000);
}

TEST(ConnectingBox, ShowsItsTextWithTheButtonsHidden)
{
    CConnectingDlg box;
    box.show();
    EXPECT_EQ(box.text()->text(), "Connecting the COM port now.");
    for (QPushButton* b : box.findChildren<QPushButton*>())
        EXPECT_FALSE(b->isVisible());
    EXPECT_EQ(box.findChildren<QPushButton*>().size(), 2);
}

} // namespace
} // namespace qx::test
