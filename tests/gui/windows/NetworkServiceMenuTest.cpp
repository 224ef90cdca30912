// The XML-RPC server's Setup item on the real host: the warning shown once
// at start, and the dialog that moves the server and keeps the choice.
#include "app/Engine.h"
#include "app/WindowSink.h"
#include "app/XmlRpcHost.h"
#include "app/gui/NetworkServiceMenu.h"
#include "menu/MenuTable.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/TempDir.h"
#include "tests/gui/GuiWait.h"
#include "xmlrpc/AddressChoice.h"

#include <QAction>
#include <QCheckBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace qx::test {
namespace {

struct Quiet : WindowSink {
    void postToWindow(const Message&) override {}
    void sendToWindow(const Message&) override {}
    void startTimer(int, int) override {}
    void stopTimer(int) override {}
};

TEST(NetworkServiceMenu, WarnsOfAnOpenServerAndMovesItWhereTheOperatorSays)
{
    TempDir dir;
    EngineConfig config;
    config.baseDir = dir.path;
    Quiet sink;
    RadioState radio;
    CommandState command;
    MenuTable table;
    Engine engine{config, sink, radio, command, table};

    XmlRpcHost host(engine, dir.path);
    host.setReportToStderr(false);
    // A free port on every address, as the option opens it to other computers.
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    ASSERT_EQ(::bind(probe, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t len = sizeof a;
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(probe);
    host.start("0.0.0.0:" + std::to_string(ntohs(a.sin_port)));
    ASSERT_TRUE(host.running()) << host.problem();

    QMainWindow window;
    NetworkServiceMenu menu(window,
                            {QStringLiteral("XML-RPC Server"), QStringLiteral("Share"), QStringLiteral("%1"),
                             xmlrpc::kXmlRpcDefaults.port},
                            {[&] { return host.address(); }, [&](const rig::ListenAddress& a) { return host.apply(a); },
                             [&] { return host.problem(); }});
    QX_WAIT_ASSERT(qobject_cast<QMessageBox*>(menu.openWindow()), 5000);
    EXPECT_NE(qobject_cast<QMessageBox*>(menu.openWindow())->text().toStdString().find("without a password"),
              std::string::npos);
    menu.openWindow()->close();
    EXPECT_EQ(window.menuBar()->actions()[0]->menu()->actions().back(), menu.action());

    menu.action()->trigger();
    auto* dlg = qobject_cast<CNetworkServiceDlg*>(menu.openWindow());
    ASSERT_TRUE(dlg);
    dlg->onBox()->setChecked(false);
    EXPECT_FALSE(dlg->portBox()->isEnabled());
    dlg->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    EXPECT_FALSE(host.running());
    EXPECT_EQ(dir.read("CommoFiles/rcp720.conf"), "xmlrpc-server = off\n");
    EXPECT_TRUE(host.problem().empty());
}

} // namespace
} // namespace qx::test
