// The sleep signal travelling over a real bus: a private dbus-daemon stands
// in for the system bus and a second connection plays logind.
#include "app/qt/SleepWatcher.h"
#include "tests/gui/GuiWait.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace qx {
namespace {

class PrivateBus {
public:
    PrivateBus()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            return;
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        if (!daemon_.waitForStarted(10000))
            return;
        QDeadlineTimer deadline(10000);
        while (!daemon_.canReadLine() && !deadline.hasExpired())
            daemon_.waitForReadyRead(100);
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        for (const QString& name : names_)
            QDBusConnection::disconnectFromBus(name);
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }
    bool up() const { return !address_.isEmpty(); }
    QDBusConnection connect(const QString& name)
    {
        names_ << name;
        return QDBusConnection::connectToBus(address_, name);
    }

private:
    QProcess daemon_;
    QString address_;
    QStringList names_;
};

bool roundTrip(const QDBusConnection& c)
{
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId"));
    return c.call(call, QDBus::Block, 10000).type() == QDBusMessage::ReplyMessage;
}

QDBusMessage sleepSignal(bool sleeping)
{
    QDBusMessage m = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                QStringLiteral("org.freedesktop.login1.Manager"),
                                                QStringLiteral("PrepareForSleep"));
    m << sleeping;
    return m;
}

TEST(SleepWatcher, ClosesThePortWhenLogindAnnouncesSleepAndWake)
{
    PrivateBus bus;
    if (!bus.up())
        GTEST_SKIP() << "no dbus-daemon to stand in for the system bus";
    int closes = 0;
    SleepWatcher watcher([&] { ++closes; });
    QDBusConnection panel = bus.connect(QStringLiteral("panel"));
    ASSERT_TRUE(watcher.watch(panel));

    // Only logind's word counts: the same signal from another sender is ignored.
    QDBusConnection impostor = bus.connect(QStringLiteral("impostor"));
    ASSERT_TRUE(impostor.send(sleepSignal(true)));
    // Round trips on both connections: the daemon has routed the signal and
    // the panel's connection has read it before these replies come back.
    EXPECT_TRUE(roundTrip(impostor));
    EXPECT_TRUE(roundTrip(panel));
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(closes, 0);

    QDBusConnection logind = bus.connect(QStringLiteral("logind"));
    ASSERT_TRUE(logind.registerService(QStringLiteral("org.freedesktop.login1")));
    ASSERT_TRUE(logind.send(sleepSignal(true)));
    QX_WAIT_EXPECT(closes == 1, 10000);
    ASSERT_TRUE(logind.send(sleepSignal(false)));
    QX_WAIT_EXPECT(closes == 2, 10000);
    EXPECT_EQ(closes, 2);
}

TEST(SleepWatcher, WithoutABusNothingIsWatched)
{
    SleepWatcher watcher([] {});
    EXPECT_FALSE(watcher.watch(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                             QStringLiteral("nowhere"))));
    EXPECT_FALSE(watcher.watching());
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}

} // namespace
} // namespace qx
