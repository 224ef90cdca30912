// The rig server's Setup item: the operator's message when it could not
// listen, and the dialog that moves or stops it.
#include "app/Engine.h"
#include "app/RigServerHost.h"
#include "app/WindowSink.h"
#include "app/gui/RigServerMenu.h"
#include "menu/MenuTable.h"
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

} // namespace
} // namespace qx::test
