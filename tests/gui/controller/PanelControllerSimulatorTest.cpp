// The real main window, engine and bridge against the simulated radio,
// operated only with the mouse on the panel.
#include "app/Engine.h"
#include "app/qt/UiBridge.h"
#include "menu/MenuTable.h"
#include "panel/MainPanelDlg.h"
#include "app/gui/PanelSession.h"
#include "app/qt/TransmitGuardHost.h"
#include "menu/ui/MenuListDlg.h"
#include "menu/ui/MenuSettingDlg.h"
#include "panel/boxes/WaitBoxDlg.h"
#include "panel/LinkStatusLine.h"
#include "panel/controller/PanelController.h"
#include "panel/controller/PanelControllerHost.h"
#include "sim/SimulatedRadio.h"
#include "widgets/ColouredStatic.h"
#include "windows/PlaybackDlg.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/gui/GuiWait.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <cstdio>
#include <optional>
#include <string>

namespace qx {
namespace {

using R = RadioState::Int;
constexpr int kWait = 15000;

class PanelControllerWithSimulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.start());
        ASSERT_TRUE(dir.isValid());
        config.baseDir = dir.path().toStdString();
        config.devicePath = rig.slaveName();
        engine = std::make_unique<Engine>(config, bridge, state, command, menu);
        guard = std::make_unique<TransmitGuardHost>(*engine, bridge);
        guard->addListener([this](const std::string& why) { released.push_back(why); });
        PanelSessionOptions options;
        options.splashMs = 0;
        options.baseDir = config.baseDir;
        options.guard = &guard->guard();
        session = std::make_unique<PanelSession>(*engine, bridge, options);
        session->start();
    }
    void TearDown() override
    {
        if (session)
            for (QMessageBox* b : session->window().messageBoxes())
                b->close();
        bridge.beginShutdown();
        engine->shutDown();
        session.reset();
        guard.reset();
        engine.reset();
        rig.stop();
    }

    CMainPanelDlg& window() { return session->window(); }
    static void pressPlaybackButton(CPlaybackDlg* playback, std::uint32_t request)
    {
        for (const auto& [button, r] : playback->buttons())
            if (r == request)
                return QTest::mouseClick(button, Qt::LeftButton);
        FAIL() << "no button for " << request;
    }
    QWidget* view() { return &window().view(); }
    // Where panel point (x, y) is drawn, at whatever size the session chose.
    QPoint at(int x, int y) { return window().view().fromPanel(QPoint(x, y)); }
    void click(int x, int y, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mousePress(view(), b, {}, at(x, y));
        QTest::mouseRelease(view(), b, {}, at(x, y));
    }
    void wheel(int x, int y, int delta)
    {
        QWheelEvent e(at(x, y), view()->mapToGlobal(at(x, y)), {}, QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view(), &e);
    }
    long long rigFrequency() const
    {
        const auto m = rig.model();
        return m.frequency(m.activeVfo());
    }
    int rigMode() const
    {
        const auto m = rig.model();
        return m.mode(m.activeVfo());
    }
    // Key 1, once the radio has said it is on.
    void bringLinkUp()
    {
        QX_WAIT_ASSERT(window().firstDrawDone(), kWait);
        QX_WAIT_EQ(state.get(R::PS), 1, kWait);
        click(50, 195);
        QX_WAIT_EQ(state.get(R::AI), 1, kWait);
        QX_WAIT_EQ(static_cast<long long>(state.get(R::FA)), rig.model().frequency(0), kWait);
        QX_WAIT_EQ(state.get(R::MD0), rigMode(), kWait);
    }

    static sim::SimOptions rigOptions()
    {
        sim::SimOptions o;
        o.radio.voiceLength = std::chrono::milliseconds(500); // a short voice memory
        return o;
    }

    sim::SimulatedRadio rig{rigOptions()};
    QTemporaryDir dir;
    EngineConfig config;
    RadioState state;
    CommandState command;
    MenuTable menu;
    UiBridge bridge;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<TransmitGuardHost> guard;
    std::vector<std::string> released;
    std::unique_ptr<PanelSession> session;
};

TEST_F(PanelControllerWithSimulator, KeyOneBringsTheLinkUpAndTheDialTunes)
{
    bringLinkUp();
    const panel::PanelModel& m = window().display().model();
    QX_WAIT_ASSERT(m.keys[panel::kLinkKeyLamp] >= panel::kKeyOnOffset, kWait);

    const long long start = rigFrequency();
    QTest::mousePress(view(), Qt::LeftButton, {}, at(517, 192));
    QMouseEvent move(QEvent::MouseMove, at(567, 240), view()->mapToGlobal(QPointF(at(567, 240))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view(), &move);
    QX_WAIT_ASSERT(rigFrequency() != start, kWait);
    QTest::mouseRelease(view(), Qt::LeftButton, {}, at(567, 240));
    EXPECT_GT(rigFrequency(), start); // clockwise tunes up
    QX_WAIT_EQ(static_cast<long long>(state.get(R::FA)), rigFrequency(), kWait);
}

// The panel's TX key keys through the transmitter guard: its time-out runs
// from the press, and a second press (or anyone's unkey) ends it.
TEST_F(PanelControllerWithSimulator, ThePanelsTxKeyIsTimedByTheTransmitterGuard)
{
    // Presses far enough apart in the events' own time not to make a double click.
    const auto pressTx = [this] {
        QTest::mousePress(view(), Qt::LeftButton, {}, at(250, 52), 1000);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, at(250, 52));
    };
    bringLinkUp();
    guard->guard().setTimeout(std::chrono::seconds(1));
    pressTx();
    EXPECT_TRUE(guard->guard().keyed());
    EXPECT_EQ(guard->guard().holder(), "the panel");
    QX_WAIT_ASSERT(rig.model().transmitting(), kWait);
    QX_WAIT_ASSERT(!rig.model().transmitting(), kWait);
    QX_WAIT_ASSERT(!released.empty(), kWait);
    EXPECT_NE(released.front().find("the panel"), std::string::npos) << released.front();
    QX_WAIT_EQ(state.get(R::TX), 0, kWait);
    // Until the radio's report of the release has reached the window, the
    // key still unkeys.
    QX_WAIT_ASSERT(!guard->guard().keyed(), kWait);

    guard->guard().setTimeout(std::chrono::seconds(0));
    pressTx();
    EXPECT_TRUE(guard->guard().keyed());
    QX_WAIT_ASSERT(rig.model().transmitting(), kWait);
    QX_WAIT_EQ(state.get(R::TX), 1, kWait);
    pressTx();
    EXPECT_FALSE(guard->guard().keyed());
    QX_WAIT_ASSERT(!rig.model().transmitting(), kWait);
    EXPECT_EQ(released.size(), 1u);
}

TEST_F(PanelControllerWithSimulator, PlaybackWindowAndTheLcdShowTheRadioRecordingAndPlaying)
{
    bringLinkUp();
    window().menuCommand(kCmdPlayback);
    auto* playback = qobject_cast<CPlaybackDlg*>(window().auxWindow(AuxKind::Playback));
    ASSERT_NE(playback, nullptr);
    auto press = [playback](std::uint32_t request) { pressPlaybackButton(playback, request); };
    const panel::PanelModel& m = window().display().model();
    auto recLit = [&] { return playback->recIndicator()->backgroundColour() == QColor(255, 0, 0); };
    auto playLit = [&] { return playback->playIndicator()->backgroundColour() == QColor(0, 255, 0); };
    ASSERT_FALSE(recLit());
    ASSERT_FALSE(m.seg(panel::Seg::Ri2));

    press(UM_REQ_LM_01);
    QX_WAIT_ASSERT(recLit() && m.seg(panel::Seg::Ri2), kWait);
    // Recording is not playing: the LCD's PLAY stays dark, the window's PLAY white.
    EXPECT_FALSE(m.seg(panel::Seg::Ri1));
    EXPECT_EQ(playback->playIndicator()->backgroundColour(), QColor(Qt::white));
    press(UM_REQ_LM_00);
    QX_WAIT_ASSERT(!recLit() && !m.seg(panel::Seg::Ri2), kWait);

    press(UM_REQ_PB_1);
    QX_WAIT_ASSERT(playLit(), kWait);
    EXPECT_FALSE(recLit());
    // The memory plays out and the radio says so by itself.
    QX_WAIT_ASSERT(!playLit(), kWait);
    EXPECT_EQ(state.get(kPlayingFlag), 0);
}

// Without the link the radio's answers would not come back: a window's button
// or a function-key macro would change the radio while the panel kept the old
// values. Both are dropped, with the main panel's note, until LINK.
TEST_F(PanelControllerWithSimulator, AuxWindowsAndMacrosSendNothingUntilLinked)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("CommoFiles")));
    std::ofstream(std::filesystem::path(config.baseDir) / "CommoFiles" / "RCPKSDEF.txt") << "FA07074000;\n";
    QX_WAIT_ASSERT(window().firstDrawDone(), kWait);
    QX_WAIT_EQ(state.get(R::PS), 1, kWait);
    ASSERT_NE(rig.model().frequency(0), 7074000);

    window().menuCommand(kCmdPlayback);
    auto* playback = qobject_cast<CPlaybackDlg*>(window().auxWindow(AuxKind::Playback));
    ASSERT_NE(playback, nullptr);
    auto press = [playback](std::uint32_t request) { pressPlaybackButton(playback, request); };
    press(UM_REQ_PB_1);
    EXPECT_TRUE(window().statusLine().plainText().contains(QString::fromUtf8(panel::kNotLinkedNote)))
        << window().statusLine().plainText().toStdString();
    QTest::keyClick(&window(), Qt::Key_F2);

    // The radio takes its commands in order: what the link-up sends comes
    // after anything the button or the macro had put on the line. (The LINK
    // key acts with no other window open.)
    playback->close();
    QX_WAIT_ASSERT(window().auxWindow(AuxKind::Playback) == nullptr, kWait);
    bringLinkUp();
    for (const auto& e : rig.log().events())
        if (e.direction == sim::Direction::Received) {
            EXPECT_NE(e.text.rfind("PB", 0), 0u) << e.text;
            EXPECT_NE(e.text.rfind("FA07074000", 0), 0u) << e.text;
        }
    EXPECT_NE(rig.model().frequency(0), 7074000);

    // Linked, the same key reaches the radio.
    QTest::keyClick(&window(), Qt::Key_F2);
    QX_WAIT_EQ(rig.model().frequency(0), 7074000LL, kWait);
}

TEST_F(PanelControllerWithSimulator, ModePopupChoiceChangesTheRadiosMode)
{
    bringLinkUp();
    const int want = rigMode() == 4 ? 5 : 4;
    const QString label = want == 4 ? QStringLiteral("FM  ") : QStringLiteral("AM  ");
    bool picked = false;
    // The menu runs its own loop: pick the entry from inside it, and keep a
    // picture of the panel with the menu open.
    QTimer::singleShot(200, view(), [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        const QImage panel = window().grab().toImage();
        const QPoint at = window().mapFromGlobal(menu->pos());
        QImage shot(panel.width(), std::max(panel.height(), at.y() + menu->height()), QImage::Format_ARGB32);
        shot.fill(Qt::darkGray);
        {
            QPainter p(&shot);
            p.drawImage(0, 0, panel);
            p.drawImage(at, menu->grab().toImage());
        }
        shot.save(QDir::temp().filePath("qx-panel-mode-popup.png"));
        for (QAction* a : menu->actions())
            if (a->text() == label) {
                menu->setActiveAction(a);
                picked = true;
            }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    click(297, 243, Qt::RightButton);
    EXPECT_TRUE(picked);
    QX_WAIT_EQ(rigMode(), want, kWait);
    QX_WAIT_EQ(state.get(R::MD0), want, kWait);
}

TEST_F(PanelControllerWithSimulator, AfGainKnobChangesTheGainAndReadsItBack)
{
    // The first command the radio received with this text at or after `from`.
    auto received = [this](const std::string& text, std::size_t from) -> std::optional<std::size_t> {
        const auto events = rig.log().events();
        for (std::size_t i = from; i < events.size(); ++i)
            if (events[i].direction == sim::Direction::Received && events[i].text == text)
                return i;
        return std::nullopt;
    };
    bringLinkUp();
    QX_WAIT_ASSERT(rig.model().answerFor("AG0").has_value(), kWait);
    QX_WAIT_ASSERT(!engine->flags().waitBoxBusy.load(), kWait); // the link-up reads are over
    const int before = state.get(R::AG0);
    const int want = std::min(before + 20, 255) == before ? before - 20 : std::min(before + 20, 255);
    const std::size_t from = rig.log().size();
    click(792, 276); // select
    wheel(792, 276, want > before ? 120 : -120);
    char text[16];
    std::snprintf(text, sizeof text, "AG0%03d;", want);
    QX_WAIT_ASSERT(received(text, from).has_value(), kWait);
    const std::size_t setAt = *received(text, from);
    QX_WAIT_ASSERT(received("AG0;", setAt + 1).has_value(), kWait);
    QX_WAIT_EQ(rig.model().answerFor("AG0").value_or(""), std::string(text), kWait);
    QX_WAIT_EQ(state.get(R::AG0), want, kWait);
}

TEST_F(PanelControllerWithSimulator, MenuKeyReadsTheMenuThenConfirmedChangesReachTheRadio)
{
    constexpr int kCwSpeedSlot = 21;
    constexpr int kBandSlot = 65;
    auto radioAnswer = [this](const char* read) {
        sim::RadioModel m = rig.model();
        const auto answers = m.handle(read);
        return answers.empty() ? std::string() : answers.front();
    };
    bringLinkUp();
    QX_WAIT_ASSERT(!engine->flags().waitBoxBusy.load(), kWait); // the link-up reads are over
    ASSERT_EQ(radioAnswer("EX021;"), "EX02112;");

    // The MENU key reads the radio's menu behind the wait box, then opens the list.
    bool waitBoxSeen = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (CWaitBoxDlg* box = window().controller().waitBox(); box && box->isVisible())
            waitBoxSeen = true;
    });
    watch.start(10);
    const std::size_t from = rig.log().size();
    click(738, 195);
    watch.stop();
    EXPECT_TRUE(waitBoxSeen);
    EXPECT_TRUE(rig.log().waitForText(sim::Direction::Received, "EX021;", std::chrono::seconds(0), from));
    auto* list = qobject_cast<CMenuListDlg*>(window().auxWindow(AuxKind::MenuList));
    ASSERT_NE(list, nullptr);

    auto change = [&](int slot, const std::function<void(QWidget*)>& act) {
        for (int r = 0; r < list->rows().size(); ++r)
            if (list->rows().row(r).slot == slot)
                list->list()->setCurrentRow(r);
        QTimer::singleShot(0, [act] {
            auto* dlg = qobject_cast<MenuSettingDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            act(dlg);
            QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
        });
        QTest::keyClick(list->list(), Qt::Key_Return);
    };
    change(kCwSpeedSlot, [](QWidget* dlg) {
        auto* choices = dlg->findChild<QListWidget*>("choices");
        choices->setCurrentItem(choices->findItems("20", Qt::MatchExactly).front());
    });
    change(kBandSlot, [](QWidget* dlg) { dlg->findChild<QCheckBox*>("flag0")->setChecked(false); });
    QTest::mouseClick(list->okButton(), Qt::LeftButton);

    QX_WAIT_EQ(radioAnswer("EX021;"), std::string("EX02120;"), kWait);
    QX_WAIT_EQ(radioAnswer("EX065;"), std::string("EX06501111111111;"), kWait);
    QX_WAIT_ASSERT(window().auxWindow(AuxKind::MenuList) == nullptr, kWait);
}

} // namespace
} // namespace qx
