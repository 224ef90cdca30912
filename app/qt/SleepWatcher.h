// Closes the port when the system is about to sleep and again when it wakes:
// a serial adapter does not survive a suspend in a known state, and the next
// command reopens the port anyway. The news comes from logind's
// PrepareForSleep signal on the system bus; without a bus nothing is watched.
#pragma once
#include <QDBusConnection>
#include <QObject>

#include <functional>

namespace qx {

class SleepWatcher : public QObject {
    Q_OBJECT
public:
    explicit SleepWatcher(std::function<void()> closePort, QObject* parent = nullptr);

    // Subscribes to the signal; false when there is no bus to ask.
    bool watch(QDBusConnection bus = QDBusConnection::systemBus());
    bool watching() const { return watching_; }

public slots:
    // true before the system sleeps, false after it woke.
    void prepareForSleep(bool sleeping);

private:
    std::function<void()> closePort_;
    bool watching_ = false;
};

} // namespace qx
