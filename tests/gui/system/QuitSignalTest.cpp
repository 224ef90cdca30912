// Stop signals become one quit on the event loop, never work in the handler.
#include "app/qt/QuitOnSignals.h"
#include "tests/gui/GuiWait.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace qx {
namespace {

TEST(QuitOnSignals, EachStopSignalAsksForOneQuitOnTheEventLoop)
{
    for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
        int quits = 0;
        QuitOnSignals watcher([&quits] { ++quits; });
        ASSERT_TRUE(watcher.install());
        ASSERT_EQ(::raise(sig), 0);
        EXPECT_EQ(quits, 0) << "nothing runs inside the handler, signal " << sig;
        QX_WAIT_ASSERT(quits == 1, 5000);
        EXPECT_EQ(watcher.caught(), sig);
        ASSERT_EQ(::raise(sig), 0); // a second one while the program quits
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        EXPECT_EQ(quits, 1) << "signal " << sig;
    }
}

TEST(QuitOnSignals, OneAtATimeAndTheOldHandlersComeBack)
{
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before = {};
    ASSERT_EQ(::sigaction(SIGHUP, &ignore, &before), 0);
    {
        QuitOnSignals first({});
        ASSERT_TRUE(first.install());
        struct sigaction now = {};
        ::sigaction(SIGHUP, nullptr, &now);
        EXPECT_NE(now.sa_handler, SIG_IGN);
        QuitOnSignals second({});
        EXPECT_FALSE(second.install());
    }
    struct sigaction after = {};
    ::sigaction(SIGHUP, nullptr, &after);
    EXPECT_EQ(after.sa_handler, SIG_IGN);
    ::sigaction(SIGHUP, &before, nullptr);
}

TEST(QuitOnSignals, ABrokenPipeNeverEndsTheProgram)
{
    ignoreBrokenPipes();
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ::close(fds[0]);
    const char byte = 'x';
    // With SIGPIPE at its default this write ends the test program.
    EXPECT_EQ(::write(fds[1], &byte, 1), -1);
    EXPECT_EQ(errno, EPIPE);
    ::close(fds[1]);
}

} // namespace
} // namespace qx
