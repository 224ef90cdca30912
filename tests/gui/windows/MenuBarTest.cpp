// The main window's menu bar as the keyboard reaches it.
#include "app/Engine.h"
#include "app/RigServerHost.h"
#include "app/WindowSink.h"
#include "app/gui/RigServerMenu.h"
#include "panel/MainPanelDlg.h"
#include "tests/TempDir.h"
#include "tests/gui/windows/WindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <map>

namespace qx::test {
namespace {

struct NoWindow : WindowSink {
    void postToWindow(const Message&) override {}
    void sendToWindow(const Message&) override {}
    void startTimer(int, int) override {}
    void stopTimer(int) override {}
};

QChar mnemonic(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return text[i + 1].toLower();
        ++i;
    }
    return {};
}

// Before, File opened on Exit (Alt+F, Enter quit at once) and Setup's
// "Rig Server..." took the S of Setup itself.
TEST(MenuBar, ExitComesLastAndNoTwoEntriesShareALetter)
{
    WindowFixture fx;
    CMainPanelDlg window(fx.ctx, {});
    TempDir dir;
    EngineConfig config;
    config.baseDir = dir.path;
    NoWindow sink;
    RadioState radio;
    CommandState command;
    MenuTable menu;
    Engine engine(config, sink, radio, command, menu);
    RigServerHost host(engine, dir.path);
    RigServerMenu rigServer(window, host);

    std::map<QChar, QString> top;
    for (QAction* m : window.menuBar()->actions()) {
        const QChar letter = mnemonic(m->text());
        ASSERT_FALSE(letter.isNull()) << m->text().toStdString();
        EXPECT_TRUE(top.emplace(letter, m->text()).second)
            << m->text().toStdString() << " and " << top[letter].toStdString();
        std::map<QChar, QString> items;
        for (QAction* a : m->menu()->actions()) {
            if (a->isSeparator())
                continue;
            const QChar l = mnemonic(a->text());
            ASSERT_FALSE(l.isNull()) << a->text().toStdString();
            EXPECT_NE(l, letter) << a->text().toStdString() << " under " << m->text().toStdString();
            EXPECT_TRUE(items.emplace(l, a->text()).second)
                << a->text().toStdString() << " and " << items[l].toStdString();
        }
    }

    QMenu* file = window.menuBar()->actions().front()->menu();
    ASSERT_EQ(window.menuBar()->actions().front()->text(), "&File");
    EXPECT_NE(file->actions().front(), window.menuAction(kCmdExit));
    EXPECT_EQ(file->actions().back(), window.menuAction(kCmdExit));
    EXPECT_TRUE(file->actions()[file->actions().size() - 2]->isSeparator());
}

} // namespace
} // namespace qx::test
