#include "app/qt/SleepWatcher.h"

namespace qx {

SleepWatcher::SleepWatcher(std::function<void()> closePort, QObject* parent)
    : QObject(parent), closePort_(std::move(closePort))
{
}

bool SleepWatcher::watch(QDBusConnection bus)
{
    if (watching_)
        return true;
    if (!bus.isConnected())
        return false;
    watching_ = bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                            this, SLOT(prepareForSleep(bool)));
    return watching_;
}

void SleepWatcher::prepareForSleep(bool /*sleeping*/)
{
    if (closePort_)
        closePort_();
}

} // namespace qx
