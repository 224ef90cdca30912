#include "app/qt/UiBridge.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimer>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace qx {
namespace {

const QEvent::Type kMessageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// A send's handshake: the UI thread marks it done, the sender waits for it.
struct SendWaiter {
    std::mutex mutex;
    std::condition_variable cv;
    bool done = false;
    void finish()
    {
        {
            std::lock_guard lock(mutex);
            done = true;
        }
        cv.notify_all();
    }
};

class MessageEvent : public QEvent {
public:
    MessageEvent(const Message& m, std::shared_ptr<SendWaiter> waiter)
        : QEvent(kMessageEvent), message(m), waiter(std::move(waiter))
    {
    }
    // A send whose event is dropped unhandled must not leave its sender waiting.
    ~MessageEvent() override
    {
        if (waiter)
            waiter->finish();
    }
    Message message;
    std::shared_ptr<SendWaiter> waiter;
};

} // namespace

UiBridge::UiBridge(QObject* parent) : QObject(parent) {}

UiBridge::~UiBridge()
{
    beginShutdown();
}

bool UiBridge::onUiThread() const
{
    return QThread::currentThread() == thread();
}

void UiBridge::postToWindow(const Message& m)
{
    QCoreApplication::postEvent(this, new MessageEvent(m, nullptr));
}

void UiBridge::sendToWindow(const Message& m)
{
    if (onUiThread()) {
        if (onMessage_)
            onMessage_(m);
        return;
    }
    if (shuttingDown_.load()) {
        postToWindow(m);
        return;
    }
    auto waiter = std::make_shared<SendWaiter>();
    QCoreApplication::postEvent(this, new MessageEvent(m, waiter));
    std::unique_lock lock(waiter->mutex);
    while (!waiter->done && !shuttingDown_.load())
        waiter->cv.wait_for(lock, std::chrono::milliseconds(50));
}

void UiBridge::startTimer(int timerId, int periodMs)
{
    if (onUiThread())
        startOnUiThread(timerId, periodMs);
    else
        QMetaObject::invokeMethod(this, [this, timerId, periodMs] { startOnUiThread(timerId, periodMs); },
                                  Qt::QueuedConnection);
}

void UiBridge::stopTimer(int timerId)
{
    if (onUiThread())
        stopOnUiThread(timerId);
    else
        QMetaObject::invokeMethod(this, [this, timerId] { stopOnUiThread(timerId); }, Qt::QueuedConnection);
}

void UiBridge::startOnUiThread(int timerId, int periodMs)
{
    QTimer*& t = timers_[timerId];
    if (!t) {
        t = new QTimer(this);
        t->setTimerType(Qt::PreciseTimer);
        connect(t, &QTimer::timeout, this, [this, timerId] {
            if (onTimer_)
                onTimer_(timerId);
        });
    }
    t->start(periodMs);
}

void UiBridge::stopOnUiThread(int timerId)
{
    if (auto it = timers_.find(timerId); it != timers_.end())
        it->second->stop();
}

bool UiBridge::timerActive(int timerId) const
{
    auto it = timers_.find(timerId);
    return it != timers_.end() && it->second->isActive();
}

int UiBridge::timerPeriod(int timerId) const
{
    auto it = timers_.find(timerId);
    return it == timers_.end() ? 0 : it->second->interval();
}

void UiBridge::beginShutdown()
{
    shuttingDown_.store(true);
}

bool UiBridge::event(QEvent* e)
{
    if (e->type() != kMessageEvent)
        return QObject::event(e);
    auto* me = static_cast<MessageEvent*>(e);
    if (onMessage_)
        onMessage_(me->message);
    if (me->waiter) {
        me->waiter->finish();
        me->waiter.reset();
    }
    return true;
}

} // namespace qx
