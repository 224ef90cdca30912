#include "app/qt/UiBridge.h"

#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <sys/eventfd.h>
#include <unistd.h>

namespace qx {

UiBridge::UiBridge(QObject* parent) : QObject(parent)
{
    wakeFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ >= 0) {
        notifier_ = new QSocketNotifier(wakeFd_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] {
            std::uint64_t n = 0;
            [[maybe_unused]] auto r = ::read(wakeFd_, &n, sizeof n);
            drain();
        });
    }
}

UiBridge::~UiBridge()
{
    beginShutdown();
    delete notifier_;
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

bool UiBridge::onUiThread() const
{
    return QThread::currentThread() == thread();
}

void UiBridge::enqueue(Item item)
{
    {
        std::lock_guard lock(mutex_);
        inbox_.push_back(std::move(item));
    }
    if (wakeFd_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] auto r = ::write(wakeFd_, &one, sizeof one);
    }
}

void UiBridge::drain()
{
    for (;;) {
        Item item;
        {
            std::lock_guard lock(mutex_);
            if (inbox_.empty())
                return;
            item = std::move(inbox_.front());
            inbox_.pop_front();
        }
        handle(item);
    }
}

void UiBridge::handle(Item& item)
{
    switch (item.kind) {
    case Item::Kind::Post:
    case Item::Kind::Send:
        deliver(item.message);
        if (item.waiter) {
            {
                std::lock_guard lock(mutex_);
                item.waiter->done = true;
            }
            handled_.notify_all();
        }
        break;
    case Item::Kind::Start:
        startOnUiThread(item.timerId, item.periodMs);
        break;
    case Item::Kind::Stop:
        stopOnUiThread(item.timerId);
        break;
    case Item::Kind::Call:
        item.call();
        break;
    }
}

void UiBridge::deliver(const Message& m)
{
    if (onMessage_)
        onMessage_(m);
    for (const MessageHandler& observe : observers_)
        observe(m);
}

void UiBridge::postToWindow(const Message& m)
{
    enqueue({Item::Kind::Post, m, 0, 0, nullptr, {}});
}

void UiBridge::sendToWindow(const Message& m)
{
    if (onUiThread()) {
        deliver(m);
        return;
    }
    if (shuttingDown_.load()) {
        postToWindow(m);
        return;
    }
    auto waiter = std::make_shared<Waiter>();
    enqueue({Item::Kind::Send, m, 0, 0, waiter, {}});
    std::unique_lock lock(mutex_);
    while (!waiter->done && !shuttingDown_.load())
        handled_.wait_for(lock, std::chrono::milliseconds(50));
}

void UiBridge::startTimer(int timerId, int periodMs)
{
    if (onUiThread())
        startOnUiThread(timerId, periodMs);
    else
        enqueue({Item::Kind::Start, {}, timerId, periodMs, nullptr, {}});
}

void UiBridge::stopTimer(int timerId)
{
    if (onUiThread())
        stopOnUiThread(timerId);
    else
        enqueue({Item::Kind::Stop, {}, timerId, 0, nullptr, {}});
}

void UiBridge::callOnUiThread(std::function<void()> call)
{
    if (onUiThread()) {
        call();
        return;
    }
    enqueue({Item::Kind::Call, {}, 0, 0, nullptr, std::move(call)});
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
    handled_.notify_all();
}

} // namespace qx
