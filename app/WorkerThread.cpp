#include "app/WorkerThread.h"

#include "app/MessageIds.h"

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

void WorkerThread::start()
{
    if (thread_.joinable())
        return;
    finished_.store(false, std::memory_order_release);
    thread_ = std::thread([this] { run(); });
}

bool WorkerThread::post(const Message& m)
{
    return mailbox_.post(m);
}

void WorkerThread::run()
{
    while (auto m = mailbox_.take()) {
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
