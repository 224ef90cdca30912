// The window against the simulated radio behind a link that can hang up:
// a lost link comes back by itself, says so in the status line, and stays
// down once the operator switched it off.
#include "app/Engine.h"
#include "app/gui/PanelSession.h"
#include "app/qt/UiBridge.h"
#include "menu/MenuTable.h"
#include "panel/LinkStatusLine.h"
#include "panel/MainPanelDlg.h"
#include "panel/PanelDisplay.h"
#include "sim/SimulatedRadio.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/gui/GuiWait.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qx {
namespace {

using R = RadioState::Int;
using namespace std::chrono_literals;
constexpr int kWait = 30000;

class ReconnectWithSimulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        sim::SimOptions o;
        o.linkPath = dir.filePath(QStringLiteral("qx720")).toStdString();
        rig = std::make_unique<sim::SimulatedRadio>(o);
        ASSERT_TRUE(rig->start());
        config.baseDir = dir.path().toStdString();
        config.devicePath = o.linkPath;
        engine = std::make_unique<Engine>(config, bridge, state, command, menu);
        PanelSessionOptions options;
        options.splashMs = 0;
        options.baseDir = config.baseDir;
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
        engine.reset();
        rig->stop();
    }
    CMainPanelDlg& window() { return session->window(); }
    void clickLink()
    {
        const QPoint at = window().view().fromPanel(QPoint(50, 195));
        QTest::mouseClick(&window().view(), Qt::LeftButton, {}, at);
    }
    QString statusText() { return window().statusLine().plainText(); }
    bool receivedSince(std::size_t from, const std::string& text)
    {
        const auto events = rig->log().events();
        for (std::size_t i = from; i < events.size(); ++i)
            if (events[i].direction == sim::Direction::Received && events[i].text == text)
                return true;
        return false;
    }

    QTemporaryDir dir;
    std::unique_ptr<sim::SimulatedRadio> rig;
    EngineConfig config;
    RadioState state;
    CommandState command;
    MenuTable menu;
    UiBridge bridge;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<PanelSession> session;
};

TEST_F(ReconnectWithSimulator, ALostLinkComesBackUntilTheOperatorSwitchesItOff)
{
    QX_WAIT_ASSERT(window().firstDrawDone(), kWait);
    QX_WAIT_EQ(state.get(R::PS), 1, kWait);
    clickLink();
    QX_WAIT_EQ(state.get(R::AI), 1, kWait);
    QX_WAIT_ASSERT(engine->linkStatus().phase == LinkPhase::Linked, kWait);
    QX_WAIT_ASSERT(!window().display().model().stale, kWait);

    // The radio falls silent: the watchdog declares the link lost.
    sim::FaultSettings silent;
    silent.silent = true;
    rig->setFaults(silent);
    QX_WAIT_ASSERT(state.get(R::AI) == 0, kWait);
    QX_WAIT_ASSERT(window().display().model().stale, kWait);
    QX_WAIT_ASSERT(window().display().model().keys[panel::kPowerKeyLamp] < panel::kKeyOnOffset, kWait);
    QX_WAIT_ASSERT(statusText().contains(QStringLiteral("reconnecting by itself")), kWait);
    const std::size_t heard = rig->log().events().size();
    rig->setFaults({});
    QX_WAIT_ASSERT(state.get(R::AI) == 1 && engine->linkStatus().phase == LinkPhase::Linked, kWait);
    // The operator presses LINK off once the link-up has asked who the radio
    // is, as one watching the panel would: not in the same instant.
    QX_WAIT_ASSERT(receivedSince(heard, "ID;"), kWait);
    QX_WAIT_ASSERT(!statusText().contains(QStringLiteral("reconnecting")), kWait);
    QX_WAIT_ASSERT(!window().display().model().stale, kWait);

    // LINK off: the link stays down.
    clickLink();
    QX_WAIT_EQ(state.get(R::AI), 0, kWait);
    const int before = static_cast<int>(rig->log().events().size());
    QTest::qWait(8000);
    EXPECT_EQ(state.get(R::AI), 0);
    EXPECT_FALSE(session->keepAlive().armed());
    int linkRequests = 0;
    std::string line; // what the radio heard after LINK off, for the failure message
    const auto events = rig->log().events();
    for (std::size_t i = static_cast<std::size_t>(before); i < events.size(); ++i) {
        if (events[i].direction != sim::Direction::Received)
            continue;
        linkRequests += events[i].text == "AI1;";
        line += std::to_string(events[i].at.count()) + "ms " + events[i].text + " ";
    }
    EXPECT_EQ(linkRequests, 0) << line;
}

} // namespace
} // namespace qx
