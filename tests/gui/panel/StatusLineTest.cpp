// The line under the panel and the session around it: what the line says of
// the link and of the last operator message, the order in which reports
// reach it, and the panel size kept from one run to the next.
#include "app/qt/LinkStatusRelay.h"
#include "app/qt/UiBridge.h"
#include "core/ErrorMessages.h"
#include "panel/LinkStatusLine.h"
#include "tests/gui/GuiWait.h"
#include "tests/gui/panel/SessionHost.h"

#include <QScreen>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>

namespace qx {
namespace {

LinkStatus status(LinkPhase phase, int attempt = 0)
{
    LinkStatus s;
    s.phase = phase;
    s.attempt = attempt;
    s.port = "/dev/ttyUSB0";
    s.baud = 4800;
    return s;
}

TEST(LinkStatusLine, ShowsPortSpeedStateAndTheMessageUntilTheStateChanges)
{
    panel::LinkStatusLine line;
    line.setStatus(status(LinkPhase::Connecting, 1));
    EXPECT_EQ(line.plainText(), QStringLiteral("/dev/ttyUSB0 \u00b7 4800 bit/s \u00b7 connecting (attempt 1 of 4)"));
    line.setMessage(QStringLiteral("Failed to open the port.\nPlease confirm the port connection."));
    line.setStatus(status(LinkPhase::Connecting, 2));
    EXPECT_TRUE(line.plainText().endsWith(
        QStringLiteral("attempt 2 of 4) \u2014 Failed to open the port. Please confirm the port connection.")))
        << line.plainText().toStdString();
    line.setStatus(status(LinkPhase::PortOpen));
    EXPECT_EQ(line.plainText(), QStringLiteral("/dev/ttyUSB0 \u00b7 4800 bit/s \u00b7 port open"));
    // A message after the change stays with the new state.
    line.setMessage(QStringLiteral("Failed to connect the COM port."));
    EXPECT_TRUE(line.plainText().endsWith(QStringLiteral("port open \u2014 Failed to connect the COM port.")));
}

TEST(LinkStatusRelay, KeepsTheOrderAndAppliesUiThreadReportsAtOnce)
{
    UiBridge bridge;
    std::vector<LinkPhase> applied;
    LinkStatusRelay relay(bridge, [&](const LinkStatus& s) { applied.push_back(s.phase); });
    std::thread worker([&] {
        relay.report(status(LinkPhase::PortOpen));
        relay.report(status(LinkPhase::Connecting, 1));
    });
    worker.join();
    EXPECT_TRUE(applied.empty()) << "a worker's reports wait for the UI thread";
    // A report on the UI thread comes after those still on their way, at once.
    relay.report(status(LinkPhase::PortOpen));
    EXPECT_EQ(applied, (std::vector<LinkPhase>{LinkPhase::PortOpen, LinkPhase::Connecting, LinkPhase::PortOpen}));
    bridge.drain();
    QCoreApplication::processEvents();
    EXPECT_EQ(applied.size(), 3u) << "nothing is applied twice";
}

TEST(PanelSession, StatusLineNamesTheMissingPortAndWhyAndTheSizeIsKept)
{
    test::SessionHost host("/nonexistent/qx720", false, "panel-scale = 0.75\n");
    CMainPanelDlg& window = host.window();
    const std::string_view why = errorMessageText(0).value_or("");
    const QString message = QString::fromUtf8(why.data(), static_cast<qsizetype>(why.size())).simplified();
    QX_WAIT_ASSERT(window.statusLine().plainText().contains(message), 10000);
    EXPECT_TRUE(window.statusLine().plainText().startsWith(QStringLiteral("/nonexistent/qx720 \u00b7 4800 bit/s \u00b7 no port")))
        << window.statusLine().plainText().toStdString();

    EXPECT_DOUBLE_EQ(window.panelScale(), 0.75) << "the size of the last run";
    window.zoom(-1);
    EXPECT_DOUBLE_EQ(window.panelScale(), 0.67);
    window.menuCommand(kCmdExit);
    QX_WAIT_ASSERT(host.confText().contains(QStringLiteral("panel-scale = 0.67")), 5000);
}

TEST(PanelSession, ASizeTooLargeForThisScreenIsFittedButNotForgotten)
{
    test::SessionHost host("/nonexistent/qx720", false, "panel-scale = 2\n");
    CMainPanelDlg& window = host.window();
    QX_WAIT_ASSERT(window.isVisible(), 5000);
    const QRect screen = window.screen()->availableGeometry();
    EXPECT_LT(window.panelScale(), 2.0);
    EXPECT_LE(window.frameGeometry().width(), screen.width());
    EXPECT_LE(window.frameGeometry().height(), screen.height());
    window.menuCommand(kCmdExit);
    QX_WAIT_ASSERT(!window.isVisible(), 5000);
    EXPECT_TRUE(host.confText().contains(QStringLiteral("panel-scale = 2"))) << host.confText().toStdString();
}

} // namespace
} // namespace qx
