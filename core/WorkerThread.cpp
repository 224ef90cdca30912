#include "core/WorkerThread.h"

#include "core/MessageIds.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>

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

void WorkerThread::watchInput()
{
    if (thread_.joinable())
        return;
    watchesInput_ = mailbox_.wakeFd() >= 0;
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

void WorkerThread::startTimer(int timerId, std::chrono::milliseconds period)
{
    if (period.count() <= 0)
        return;
    {
        std::lock_guard lock(timerMutex_);
        const TimePoint next = std::chrono::steady_clock::now() + period;
        auto it = std::find_if(timers_.begin(), timers_.end(), [timerId](const Timer& t) { return t.id == timerId; });
        if (it == timers_.end())
            timers_.push_back({timerId, period, next});
        else
            *it = {timerId, period, next};
    }
    // A thread asleep on an older deadline must look again.
    mailbox_.poke();
}

void WorkerThread::stopTimer(int timerId)
{
    std::lock_guard lock(timerMutex_);
    std::erase_if(timers_, [timerId](const Timer& t) { return t.id == timerId; });
}

void WorkerThread::stopTimers()
{
    std::lock_guard lock(timerMutex_);
    timers_.clear();
}

bool WorkerThread::timerActive(int timerId) const
{
    std::lock_guard lock(timerMutex_);
    return std::any_of(timers_.begin(), timers_.end(), [timerId](const Timer& t) { return t.id == timerId; });
}

// The most overdue timer, rescheduled; otherwise nothing, with the earliest
// deadline (or max) in `nextDeadline`.
std::optional<int> WorkerThread::dueTimer(TimePoint now, TimePoint& nextDeadline)
{
    std::lock_guard lock(timerMutex_);
    nextDeadline = TimePoint::max();
    Timer* due = nullptr;
    for (Timer& t : timers_) {
        if (t.next <= now && (!due || t.next < due->next))
            due = &t;
        nextDeadline = std::min(nextDeadline, t.next);
    }
    if (!due)
        return std::nullopt;
    due->next += due->period;
    if (due->next <= now)
        due->next = now + due->period;
    return due->id;
}

WorkerThread::Event WorkerThread::next()
{
    for (;;) {
        // Emptied before the mail is looked at: a post after the look wakes the poll below.
        if (watchesInput_)
            mailbox_.drainWake();
        const TimePoint now = std::chrono::steady_clock::now();
        TimePoint deadline;
        if (const auto id = dueTimer(now, deadline))
            return {Event::Kind::Tick, {}, *id, 0};
        if (auto m = mailbox_.tryTake())
            return {Event::Kind::Mail, *m, 0, 0};

        std::optional<TimePoint> inputBy;
        int inputFd = -1;
        if (watchesInput_) {
            const InputWait input = handler_.inputWait();
            if (input.until) {
                if (now >= *input.until)
                    return {Event::Kind::Input, {}, 0, 0};
                inputBy = input.until;
                deadline = std::min(deadline, *input.until);
            }
            inputFd = input.fd;
        }
        if (inputFd >= 0) {
            // Mail wakes the poll through the mailbox's descriptor.
            pollfd fds[2] = {{mailbox_.wakeFd(), POLLIN, 0}, {inputFd, POLLIN, 0}};
            timespec wait{};
            timespec* timeout = nullptr;
            if (deadline != TimePoint::max()) {
                const auto left = std::max(deadline - now, TimePoint::duration::zero());
                const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
                wait.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
                wait.tv_nsec = static_cast<long>(ns % 1'000'000'000);
                timeout = &wait;
            }
            if (::ppoll(fds, 2, timeout, nullptr) > 0 && fds[1].revents != 0)
                return {Event::Kind::Input, {}, 0, fds[1].revents};
        } else if (auto m = mailbox_.takeUntil(deadline)) {
            return {Event::Kind::Mail, *m, 0, 0};
        }
        // The deadline the handler gave counts even if it asks anew.
        if (inputBy && std::chrono::steady_clock::now() >= *inputBy)
            return {Event::Kind::Input, {}, 0, 0};
    }
}

void WorkerThread::run()
{
    for (;;) {
        const Event e = next();
        if (e.kind == Event::Kind::Tick) {
            handler_.onTimer(e.timerId);
        } else if (e.kind == Event::Kind::Input) {
            handler_.onInput(e.revents);
        } else if (e.message.id == UM_THREAD_QUIT) {
            handler_.onQuit();
            break;
        } else {
            handler_.handle(e.message);
        }
    }
    stopTimers();
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
