// The rig server's Setup item: the operator's message when it could not
// listen, and the dialog that moves or stops it.
#include "app/Engine.h"
#include "app/RigServerHost.h"
#include "app/WindowSink.h"
#include "app/gui/RigServerMenu.h"
#include "menu/MenuTable.h"
#include "panel/LinkStatusLine.h"
#include "rigserver/RigServer.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/TempDir.h"
#include "tests/gui/GuiWait.h"
#include "windows/RigServerDlg.h"

#include <QAction>
#include <QCheckBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace qx::test {
namespace {

struct NoWindow : WindowSink {
    void postToWindow(const Message&) override {}
    void sendToWindow(const Message&) override {}
    void startTimer(int, int) override {}
    void stopTimer(int) override {}
};

struct Station {
    Station() { config.baseDir = dir.path; }
    TempDir dir;
    EngineConfig config;
    NoWindow sink;
    RadioState radio;
    CommandState command;
    MenuTable menu;
    Engine engine{config, sink, radio, command, menu};
};

// A port nobody listens on now.
int freePort(Station& st)
{
    rig::RigStateView view(st.radio, st.command, st.menu);
    rig::OutboxRigWriter writer(st.engine, st.menu, {});
    rig::RigServer probe(view, writer);
    return probe.start({true, "0.0.0.0", 0}) ? probe.port() : 0;
}

TEST(RigServerDialog, ShowsTheSettingAndGivesTheChoiceOnTheSameAddress)
{
    CRigServerDlg dlg({true, "0.0.0.0", 4600});
    EXPECT_TRUE(dlg.serveBox()->isChecked());
    EXPECT_EQ(dlg.portBox()->value(), 4600);
    dlg.portBox()->setValue(4602);
    EXPECT_EQ(dlg.choice(), (rig::ListenAddress{true, "0.0.0.0", 4602}));
    dlg.serveBox()->setChecked(false);
    EXPECT_FALSE(dlg.portBox()->isEnabled());
    EXPECT_FALSE(dlg.choice().enabled);
}

TEST(RigServerMenu, APortInUseIsShownOnceAndTheSetupItemMovesTheServer)
{
    Station st;
    rig::RigStateView view(st.radio, st.command, st.menu);
    rig::OutboxRigWriter writer(st.engine, st.menu, {});
    rig::RigServer other(view, writer);
    ASSERT_TRUE(other.start({true, "127.0.0.1", 0}));

    RigServerHost host(st.engine, st.dir.path);
    host.setReportToStderr(false);
    host.start("127.0.0.1:" + std::to_string(other.port()), false);
    ASSERT_FALSE(host.running());

    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&Setup"))->addAction(QStringLiteral("&COM Select"));
    RigServerMenu menu(window, host);
    QX_WAIT_ASSERT(qobject_cast<QMessageBox*>(menu.openWindow()), 5000);
    EXPECT_NE(qobject_cast<QMessageBox*>(menu.openWindow())->text().toStdString().find("in use"), std::string::npos);
    menu.openWindow()->close();
    ASSERT_EQ(window.menuBar()->actions().size(), 1);  // the item joined the Setup menu
    EXPECT_EQ(window.menuBar()->actions()[0]->menu()->actions().back(), menu.action());

    // A free port, then the dialog's OK: the server listens there and the
    // choice is kept for the next start.
    rig::RigServer probe(view, writer);
    ASSERT_TRUE(probe.start({true, "127.0.0.1", 0}));
    const int freePort = probe.port();
    probe.stop();
    menu.action()->trigger();
    auto* dlg = qobject_cast<CRigServerDlg*>(menu.openWindow());
    ASSERT_TRUE(dlg);
    dlg->portBox()->setValue(freePort);
    dlg->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    EXPECT_TRUE(host.running());
    EXPECT_EQ(host.port(), freePort);
    EXPECT_EQ(st.dir.read("CommoFiles/rcp720.conf"), "rig-server = 127.0.0.1:" + std::to_string(freePort) + "\n");
}

// An address others reach is said on start and stays in sight; the file's
// written-out address is used, one given only for this run is not saved.
TEST(RigServerMenu, AServerOpenToTheNetworkSaysSoForAsLongAsItIs)
{
    Station st;
    const int port = freePort(st);
    RigServerHost host(st.engine, st.dir.path);
    host.setReportToStderr(false);
    st.dir.write("CommoFiles/rcp720.conf", "rig-server = 0.0.0.0:" + std::to_string(port) + "\n");
    host.start(std::nullopt, false);
    ASSERT_TRUE(host.running()) << host.problem();
    EXPECT_EQ(host.address().host, "0.0.0.0");

    QMainWindow window;
    QString shown = QStringLiteral("unset");
    RigServerMenu menu(window, host, [&shown](const QString& text) { shown = text; });
    EXPECT_TRUE(shown.contains(QStringLiteral("reachable from the network without a password"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("0.0.0.0:"))) << shown.toStdString();

    menu.action()->trigger();
    auto* dlg = qobject_cast<CRigServerDlg*>(menu.openWindow());
    ASSERT_TRUE(dlg);
    dlg->serveBox()->setChecked(false);
    dlg->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    EXPECT_FALSE(host.running());
    EXPECT_TRUE(shown.isEmpty()) << shown.toStdString();

    // Given on the command line only: announced, never written to the file.
    RigServerHost once(st.engine, st.dir.path);
    once.setReportToStderr(false);
    once.start("0.0.0.0:" + std::to_string(port), false);
    ASSERT_TRUE(once.running()) << once.problem();
    EXPECT_FALSE(once.notice().empty());
    once.apply({true, "0.0.0.0", port});
    EXPECT_EQ(st.dir.read("CommoFiles/rcp720.conf"), "rig-server = 127.0.0.1:" + std::to_string(port) + "\n");
}

TEST(LinkStatusLine, ANoticeOutlastsStateChangesAndMessages)
{
    panel::LinkStatusLine line;
    line.setNotice(QStringLiteral("open to the network"));
    LinkStatus s;
    s.port = "/dev/ttyUSB0";
    s.baud = 4800;
    line.setStatus(s);
    line.setMessage(QStringLiteral("a message"));
    EXPECT_TRUE(line.plainText().endsWith(QStringLiteral("a message \u2014 open to the network"))) << line.plainText().toStdString();
    s.phase = LinkPhase::Linked;
    line.setStatus(s);
    EXPECT_TRUE(line.plainText().endsWith(QStringLiteral("open to the network")));
    EXPECT_FALSE(line.plainText().contains(QStringLiteral("a message")));
    line.setNotice({});
    EXPECT_FALSE(line.plainText().contains(QStringLiteral("network")));
}

} // namespace
} // namespace qx::test
