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
    // The last call for the timer started it.
    bool running(int id) const
    {
        bool on = false;
        for (const auto& c : outbox.timerCalls)
            if (c.id == id)
                on = c.start;
        return on;
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
                   kCmdVersion, kCmdSaveSetup, kCmdCompareSetup, kCmdMemoryChannels})
        EXPECT_NE(window->menuAction(id), nullptr) << id;
    EXPECT_EQ(window->menuAction(kCmdComSelect)->text(), "&COM Select");
    EXPECT_EQ(window->menuAction(kCmdSaveSetup)->text().remove('&'), "Save radio set-up...");
    EXPECT_EQ(window->menuAction(kCmdCompareSetup)->text().remove('&'), "Compare with radio...");
    EXPECT_EQ(window->menuAction(kCmdMemoryChannels)->text().remove('&'), "Memory channels...");
    window->startPanel();
    EXPECT_TRUE(running(kFirstDrawTimer));
    EXPECT_EQ(outbox.timerCalls.back().periodMs, 10);
    window->onTimer(kFirstDrawTimer);
    // A quiet radio: nothing on the panel can change, so no timer runs.
    for (int id : {kFirstDrawTimer, kFrequencyTimerA, kFrequencyTimerB, kBlinkTimer})
        EXPECT_FALSE(running(id)) << id;
}

TEST_F(MainPanelDlgTest, TheFrequencyRedrawRunsFromAFrequencyAnswerUntilATickFindsNothingNew)
{
    window->startPanel();
    window->onTimer(kFirstDrawTimer);
    radio.set(R::FA, 7'050'000);
    window->onMessage({UM_ANS_FA, 0, 0});
    EXPECT_EQ(window->display().model().frequency.digits[1], 7) << "drawn at once";
    ASSERT_TRUE(running(kFrequencyTimerA) && running(kFrequencyTimerB));
    EXPECT_EQ(timerStarts(kFrequencyTimerA), 1);
    window->onMessage({UM_ANS_FA, 0, 0});
    EXPECT_EQ(timerStarts(kFrequencyTimerA), 1) << "a running redraw is not restarted";

    radio.set(R::FA, 14'250'000); // changed without a notification: the next tick draws it
    window->onTimer(kFrequencyTimerA);
    EXPECT_EQ(window->display().model().frequency.digits[1], 4);
    EXPECT_TRUE(running(kFrequencyTimerA));
    window->onTimer(kFrequencyTimerB);
    EXPECT_FALSE(running(kFrequencyTimerA) || running(kFrequencyTimerB));

    // A selected digit keeps it running; deselecting lets it stop.
    window->onMessage({UM_PANEL_86, 3, 0});
    window->onTimer(kFrequencyTimerA);
    window->onTimer(kFrequencyTimerA);
    EXPECT_TRUE(running(kFrequencyTimerA));
    window->onMessage({UM_PANEL_86, 0, 0}); // drawn as it comes
    window->onTimer(kFrequencyTimerA);
    EXPECT_FALSE(running(kFrequencyTimerA));
    window->onMessage({UM_ANS_MD, 0, 0});
    EXPECT_FALSE(running(kFrequencyTimerA)) << "other answers leave the frequency alone";
}

TEST_F(MainPanelDlgTest, TheBlinkTimerRunsOnlyWhileASegmentBlinks)
{
    window->startPanel();
    window->onTimer(kFirstDrawTimer);
    ASSERT_FALSE(running(kBlinkTimer));
    for (auto [entry, blinking, quiet] : {std::tuple{R::AC, 2, 0}, {R::PB, 6, 0}, {R::RI0, 1, 0}}) {
        radio.set(entry, blinking);
        window->onMessage({UM_ANS_AC, 0, 0});
        ASSERT_TRUE(running(kBlinkTimer)) << static_cast<int>(entry);
        EXPECT_EQ(outbox.timerCalls.back().periodMs, 300);
        const bool phase = window->display().blinkPhase();
        window->onTimer(kBlinkTimer);
        EXPECT_NE(window->display().blinkPhase(), phase);
        EXPECT_TRUE(running(kBlinkTimer));
        radio.set(entry, quiet);
        window->onTimer(kBlinkTimer); // the tick that finds nothing blinking stops it
        EXPECT_FALSE(running(kBlinkTimer)) << static_cast<int>(entry);
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

TEST_F(MainPanelDlgTest, ErrorBoxesShowWhatTheSystemSaidBelowTheMessage)
{
    std::vector<long> asked;
    ctx.errorDetail = [&asked](long row) {
        asked.push_back(row);
        return row == 0 ? std::string("/dev/ttyUSB0: this port is in use by another program: minicom (process 812).")
                        : std::string();
    };
    window->onMessage({UM_SHOW_ERROR, 0, 0});
    window->onMessage({UM_SHOW_ERROR, 1, 2});
    ASSERT_EQ(window->messageBoxes().size(), 2);
    EXPECT_EQ(window->messageBoxes()[0]->text(),
              "Failed to open the port.\nPlease confirm the port connection.\n\n"
              "/dev/ttyUSB0: this port is in use by another program: minicom (process 812).");
    EXPECT_EQ(window->messageBoxes()[1]->text(), "Failed to read the COM port configuration file.\n"
                                                 "Execute the control program with the default settings.")
        << "no detail, no blank line";
    window->onMessage({UM_SHOW_ERROR, 0, 0});
    EXPECT_EQ(asked, (std::vector<long>{0, 2})) << "a box held back by the busy rule asks for nothing";
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
