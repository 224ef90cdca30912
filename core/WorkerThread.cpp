#include "core/WorkerThread.h"

#include "core/MessageIds.h"

namespace qx {

WorkerThread::WorkerThread(std::string name, MessageHandler& handler)
    : name_(std::move(name)), handler_(handler)
{
}

WorkerThread::~WorkerThread()
{
    if (thread_.joinable()) {
        if (!finished())
            stop();
        if (thread_.joinable())
            thread_.join();
    }
}

void WorkerThread::setTick(const Message& tick, std::chrono::milliseconds period)
{
    if (thread_.joinable() || period.count() <= 0)
        return;
    tick_ = tick;
    tickPeriod_ = period;
}

void WorkerThread::start()
{
    if (thread_.joinable())
        return;
    nextTick_ = std::chrono::steady_clock::now() + tickPeriod_;
    finished_.store(false, std::memory_order_release);
    thread_ = std::thread([this] { run(); });
}

bool WorkerThread::post(const Message& m)
{
    return mailbox_.post(m);
}

std::optional<Message> WorkerThread::next()
{
    if (!tick_)
        return mailbox_.take();
    for (;;) {
        // An overdue tick goes first, so a busy mailbox cannot starve it.
        const auto now = std::chrono::steady_clock::now();
        if (now >= nextTick_) {
            nextTick_ += tickPeriod_;
            if (nextTick_ <= now)
                nextTick_ = now + tickPeriod_;
            return tick_;
        }
        if (auto m = mailbox_.takeUntil(nextTick_))
            return m;
    }
}

void WorkerThread::run()
{
    while (auto m = next()) {
        if (m->id == UM_THREAD_QUIT) {
            handler_.onQuit();
            break;
        }
        handler_.handle(*m);
    }
    mailbox_.close();
    {
        std::lock_guard lock(finishMutex_);
        finished_.store(true, std::memory_order_release);
    }
    finishedCv_.notify_all();
}

bool WorkerThread::waitFinished(std::chrono::milliseconds d)
{
    std::unique_lock lock(finishMutex_);
    return finishedCv_.wait_for(lock, d, [this] { return finished(); });
}

bool WorkerThread::stop()
{
    if (!thread_.joinable())
        return true;
    for (int tries = 0; tries < kStopTries && !finished(); ++tries) {
        mailbox_.post(Message{UM_THREAD_QUIT, 0, 0});
        if (waitFinished(kStopStep))
            break;
    }
    if (!finished()) {
        // A handler that never returns cannot be joined; leave it running
        // rather than hang the shutdown.
        thread_.detach();
        return false;
    }
    thread_.join();
    return true;
}

} // namespace qx
