// The connection attempts after key 1, the MENU key, Enter, and the two boxes.
#include "ControllerFixture.h"

#include "panel/boxes/ConnectingDlg.h"
#include "panel/boxes/WaitBoxDlg.h"
#include "windows/AuxWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace qx::test {
namespace {

TEST_F(ControllerTest, FourAttemptsThenTheFailureMessage)
{
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
    leftClick(290, 190); // usable again
    EXPECT_EQ(posted().size(), 1u);
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

TEST(WaitBox, ClosesByItselfWhenNoReadRuns)
{
    LinkFlags flags;
    CWaitBoxDlg box(flags);
    box.show();
    EXPECT_EQ(box.text()->text(), "Reading the menu setting data now.");
    EXPECT_FALSE(flags.waitBoxShown.load());
    EXPECT_TRUE(box.closing());
    QTRY_VERIFY_WITH_TIMEOUT(!box.isVisible(), 5000);
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
    QTRY_VERIFY_WITH_TIMEOUT(!box.isVisible(), 5000);
}

TEST(WaitBox, TheTimeLimitClosesIt)
{
    LinkFlags flags;
    flags.waitBoxBusy = true;
    CWaitBoxDlg box(flags);
    box.show();
    box.limitReached();
    EXPECT_FALSE(flags.waitBoxShown.load());
    QTRY_VERIFY_WITH_TIMEOUT(!box.isVisible(), 5000);
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
