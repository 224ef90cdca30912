#include "panel/MainPanelDlg.h"

#include "core/MessageIds.h"
#include "core/RequestTable.h"
#include "menu/MenuTable.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"
#include "windows/AuxWindow.h"
#include "tests/gui/GuiWait.h"

#include <QAction>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

namespace qx {
namespace {

using R = RadioState::Int;

class MainPanelDlgTest : public ::testing::Test {
protected:
    MainPanelDlgTest()
    {
        MainPanelHooks hooks;
        hooks.engineTimer = [this](int id) { return id == 3; };
        hooks.shutDown = [this] { ++shutDowns; };
        window = std::make_unique<CMainPanelDlg>(ctx, std::move(hooks));
    }
    ~MainPanelDlgTest() override
    {
        for (QMessageBox* b : window->messageBoxes())
            b->close();
    }
    int timerStarts(int id) const
    {
        int n = 0;
        for (const auto& c : outbox.timerCalls)
            n += c.start && c.id == id;
        return n;
    }
    std::vector<Message> requests(std::uint32_t id) const
    {
        std::vector<Message> out;
        for (const auto& p : outbox.threadPosts)
            if (p.to == ThreadId::AnlSend && p.m.id == id)
                out.push_back(p.m);
        return out;
    }

    test::FakeOutbox outbox;
    RadioState radio;
    CommandState command;
    MenuTable menu;
    LinkFlags flags;
    WindowContext ctx{outbox, radio, command, menu, flags, [](const std::string&) { return true; }};
    int shutDowns = 0;
    std::unique_ptr<CMainPanelDlg> window;
};

TEST_F(MainPanelDlgTest, CaptionMenusAndStartTimers)
{
    EXPECT_EQ(window->windowTitle(), "RCP for QX-720");
    for (int id : {kCmdExit, kCmdCommandSend, kCmdComSelect, kCmdBaudRate, kCmdPlayback, kCmdCw, kCmdRepeater,
                   kCmdVersion, kCmdSaveSetup, kCmdCompareSetup})
        EXPECT_NE(window->menuAction(id), nullptr) << id;
    EXPECT_EQ(window->menuAction(kCmdComSelect)->text(), "&COM Select");
    EXPECT_EQ(window->menuAction(kCmdSaveSetup)->text().remove('&'), "Save radio set-up...");
    EXPECT_EQ(window->menuAction(kCmdCompareSetup)->text().remove('&'), "Compare with radio...");
    window->startPanel();
    for (auto [id, ms] : {std::pair{6, 30}, {7, 30}, {11, 10}, {36, 300}}) {
        auto it = std::find_if(outbox.timerCalls.begin(), outbox.timerCalls.end(),
                               [id](const auto& c) { return c.start && c.id == id; });
        ASSERT_NE(it, outbox.timerCalls.end()) << id;
        EXPECT_EQ(it->periodMs, ms) << id;
    }
}

TEST_F(MainPanelDlgTest, FirstFullDrawRunsOnceFromStateOfThatMoment)
{
    int finished = 0;
    QObject::connect(window.get(), &CMainPanelDlg::firstDrawFinished, [&] { ++finished; });
    radio.set(R::FA, 3'550'000);
    window->startPanel();
    EXPECT_FALSE(window->firstDrawDone());
    radio.set(R::FA, 7'050'000);
    window->onTimer(kFirstDrawTimer);
    window->onTimer(kFirstDrawTimer);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(window->display().model().frequency.digits[1], 7);
    EXPECT_TRUE(std::any_of(outbox.timerCalls.begin(), outbox.timerCalls.end(),
                            [](const auto& c) { return !c.start && c.id == kFirstDrawTimer; }));
}

TEST_F(MainPanelDlgTest, EngineTimersGoToTheEngineFirst)
{
    radio.set(R::FA, 7'050'000);
    window->onTimer(3);
    EXPECT_EQ(window->display().model().frequency.digits[1], panel::kBlankDigit);
    window->onTimer(kFrequencyTimerA);
    EXPECT_EQ(window->display().model().frequency.digits[1], 7);
}

TEST_F(MainPanelDlgTest, ShowErrorBusyRule)
{
    window->onMessage({UM_SHOW_ERROR, 0, 0});
    window->onMessage({UM_SHOW_ERROR, 0, 2});
    ASSERT_EQ(window->messageBoxes().size(), 1);
    EXPECT_EQ(window->messageBoxes()[0]->text(), "Failed to open the port.\nPlease confirm the port connection.");
    window->onMessage({UM_SHOW_ERROR, 1, 3});
    EXPECT_EQ(window->messageBoxes().size(), 2) << "wParam 1 shows regardless";
    window->onMessage({UM_SHOW_ERROR, 1, 1});
    window->onMessage({UM_SHOW_ERROR, 1, 99});
    EXPECT_EQ(window->messageBoxes().size(), 2) << "hidden and unknown rows show nothing";
    for (QMessageBox* b : window->messageBoxes())
        b->done(QMessageBox::Ok);
    window->onMessage({UM_SHOW_ERROR, 0, 2});
    ASSERT_EQ(window->messageBoxes().size(), 1) << "the busy flag clears when the box goes";
    EXPECT_TRUE(window->messageBoxes()[0]->text().startsWith("Failed to read the COM port configuration file."));
}

TEST_F(MainPanelDlgTest, EscDoesNotCloseButCloseBoxAndExitShutDown)
{
    window->show();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(shutDowns, 0);
    window->close();
    EXPECT_EQ(shutDowns, 1);
    window->menuCommand(kCmdExit);
    EXPECT_EQ(shutDowns, 1) << "the program ends once";
}

TEST_F(MainPanelDlgTest, AuxWindowsGreyMenusForwardAndAreDestroyedOnDone)
{
    window->menuCommand(kCmdCw);
    ASSERT_TRUE(window->auxOpen(AuxKind::Cw));
    EXPECT_FALSE(window->menuAction(kCmdRepeater)->isEnabled());
    EXPECT_FALSE(window->menuAction(kCmdVersion)->isEnabled());
    EXPECT_TRUE(window->menuAction(kCmdExit)->isEnabled());

    QPointer<AuxWindow> cw = window->auxWindow(AuxKind::Cw);
    window->onMessage({UM_CW_DONE, 0, 0});
    EXPECT_FALSE(window->auxOpen(AuxKind::Cw));
    EXPECT_TRUE(window->menuAction(kCmdRepeater)->isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(cw.isNull());
}

TEST_F(MainPanelDlgTest, VfoSetDoneSetsFrequencyOfVfoChosenAtOpening)
{
    radio.set(R::VS, 1);
    ASSERT_TRUE(window->openAux(AuxKind::VfoSet));
    radio.set(R::VS, 0);
    window->onMessage({UM_VFOSET_DONE, 14'074'000, 0});
    const auto fb = requests(UM_REQ_FB_SET);
    ASSERT_EQ(fb.size(), 1u);
    EXPECT_EQ(fb[0].lParam, 14'074'000);
    EXPECT_TRUE(requests(UM_REQ_FA_SET).empty());

    ASSERT_TRUE(window->openAux(AuxKind::VfoSet));
    window->onMessage({UM_VFOSET_DONE, 0, 0});
    EXPECT_TRUE(requests(UM_REQ_FA_SET).empty()) << "zero means nothing was entered";
}

TEST_F(MainPanelDlgTest, ClosingWithMenuListOpenUnlocksTheRadioFirst)
{
    ASSERT_TRUE(window->openAux(AuxKind::MenuList));
    window->onMessage({UM_PANEL_8E, 0, 0});
    const auto lk = requests(UM_REQ_LK_SET);
    ASSERT_EQ(lk.size(), 1u);
    EXPECT_EQ(lk[0].lParam, 3);
    EXPECT_EQ(shutDowns, 0) << "the window waits before it ends";
    QX_WAIT_EQ(shutDowns, 1, 5000);
}

TEST_F(MainPanelDlgTest, MenuChangeNoticesShowOnceAtATime)
{
    radio.set(R::RS, 0);
    window->onMessage({UM_ANS_RS, 0, 0});
    EXPECT_TRUE(window->messageBoxes().isEmpty()) << "no window depends on the radio menu";
    ASSERT_TRUE(window->openAux(AuxKind::Repeater));
    window->onMessage({UM_ANS_RS, 0, 0});
    ASSERT_EQ(window->messageBoxes().size(), 1);
    EXPECT_EQ(window->messageBoxes()[0]->text(),
              "Update the menu setting.\nPlease close and open the repeater window.");
    window->onMessage({UM_ANS_RS, 0, 0});
    EXPECT_EQ(window->messageBoxes().size(), 1);
}

} // namespace
} // namespace qx
