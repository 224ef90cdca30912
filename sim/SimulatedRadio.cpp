#include "sim/SimulatedRadio.h"

#include <algorithm>
#include <array>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace qx::sim {
namespace {

using SteadyClock = std::chrono::steady_clock;
constexpr auto kTickPeriod = std::chrono::milliseconds(50);

} // namespace

SimulatedRadio::SimulatedRadio(SimOptions options)
    : options_(std::move(options)), model_(options_.radio), faults_(options_.faultSeed)
{
}

SimulatedRadio::~SimulatedRadio()
{
    stop();
}

bool SimulatedRadio::start()
{
    if (running())
        return true;
    if (!options_.logPath.empty() && !log_.writeTo(options_.logPath))
        return false;
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0)
        return false;
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
    if (!bringUp()) {
        ::close(wakeRead_);
        ::close(wakeWrite_);
        wakeRead_ = wakeWrite_ = -1;
        return false;
    }
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void SimulatedRadio::stop()
{
    if (!thread_.joinable())
        return;
    stopping_ = true;
    wake();
    thread_.join();
    line_.close();
    line_.unlink();
    ::close(wakeRead_);
    ::close(wakeWrite_);
    wakeRead_ = wakeWrite_ = -1;
    std::lock_guard lock(mutex_);
    slaveName_.clear();
}

bool SimulatedRadio::bringUp()
{
    if (!line_.open())
        return false;
    if (!options_.linkPath.empty() && !line_.link(options_.linkPath)) {
        line_.close();
        return false;
    }
    std::lock_guard lock(mutex_);
    slaveName_ = line_.slaveName();
    return true;
}

std::string SimulatedRadio::slaveName() const
{
    std::lock_guard lock(mutex_);
    return slaveName_;
}

void SimulatedRadio::wake()
{
    if (wakeWrite_ >= 0) {
        const char c = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &c, 1);
    }
}

void SimulatedRadio::run()
{
    std::array<char, 256> buffer{};
    auto lastTick = SteadyClock::now();
    while (!stopping_) {
        pollfd fds[2] = {{wakeRead_, POLLIN, 0}, {line_.masterFd(), POLLIN, 0}};
        const int count = line_.isOpen() ? 2 : 1;
        const timespec wait = pollTimeout(SteadyClock::now());
        ::ppoll(fds, static_cast<nfds_t>(count), &wait, nullptr);
        while (::read(wakeRead_, buffer.data(), buffer.size()) > 0) {
        }
        if (stopping_)
            break;
        if (count == 2 && (fds[1].revents & POLLIN) != 0) {
            const long n = line_.read(buffer.data(), buffer.size());
            for (std::string& command : framer_.feed(std::string_view(buffer.data(), n > 0 ? static_cast<std::size_t>(n) : 0))) {
                log_.record(Direction::Received, command);
                std::lock_guard lock(mutex_);
                queueAnswers(model_.handle(command), SteadyClock::now());
            }
        }
        const auto now = SteadyClock::now();
        if (now - lastTick >= kTickPeriod) {
            std::lock_guard lock(mutex_);
            queueAnswers(model_.tick(std::chrono::duration_cast<Ms>(now - lastTick)), now);
            lastTick = now;
        }
        serviceLine(now);
        writeDue(SteadyClock::now());
    }
}

void SimulatedRadio::serviceLine(TransmitQueue::TimePoint now)
{
    std::unique_lock lock(mutex_);
    if (hangUpRequest_) {
        const Ms downFor = *hangUpRequest_;
        hangUpRequest_.reset();
        queue_.clear();
        framer_.reset();
        down_ = true;
        reopenAt_ = downFor.count() > 0 ? std::optional(now + downFor) : std::nullopt;
        slaveName_.clear();
        lock.unlock();
        line_.close();
        log_.record(Direction::Note, "hang up");
        lock.lock();
    }
    const bool due = down_ && (comeBackRequest_ || (reopenAt_ && now >= *reopenAt_));
    comeBackRequest_ = false;
    if (!due)
        return;
    down_ = false;
    reopenAt_.reset();
    lock.unlock();
    if (bringUp())
        log_.record(Direction::Note, "back on " + line_.slaveName());
    else
        log_.record(Direction::Note, "cannot reopen the line");
}

void SimulatedRadio::queueAnswers(const RadioModel::Texts& answers, TransmitQueue::TimePoint now)
{
    // Nothing is kept for a line that is down: it would arrive stale.
    if (down_)
        return;
    for (const std::string& answer : answers) {
        const auto pieces = faults_.shape(answer);
        if (pieces.empty()) {
            log_.record(Direction::Note, "silent: " + answer);
            continue;
        }
        std::string sent;
        for (const auto& p : pieces)
            sent += p.bytes;
        auto at = now;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            at += pieces[i].after;
            queue_.push(pieces[i].bytes, at, i + 1 == pieces.size() ? sent : std::string{});
        }
    }
}

void SimulatedRadio::writeDue(TransmitQueue::TimePoint now)
{
    TransmitQueue::Due due;
    {
        std::lock_guard lock(mutex_);
        if (down_)
            return;
        due = queue_.take(now, characterTime(model_.lineRate()));
    }
    if (!due.bytes.empty())
        line_.write(due.bytes);
    for (std::string& text : due.finished)
        log_.record(Direction::Sent, std::move(text));
}

// To the nanosecond: a character at 38400 bit/s takes under a third of a
// millisecond, and each must leave when it is due, not at the next whole one.
timespec SimulatedRadio::pollTimeout(TransmitQueue::TimePoint now) const
{
    std::lock_guard lock(mutex_);
    auto next = now + kTickPeriod;
    if (const auto due = queue_.nextDue())
        next = std::min(next, *due);
    if (reopenAt_)
        next = std::min(next, *reopenAt_);
    const auto wait = std::clamp<std::chrono::nanoseconds>(next - now, std::chrono::nanoseconds(0), kTickPeriod);
    return timespec{static_cast<time_t>(wait.count() / 1'000'000'000), static_cast<long>(wait.count() % 1'000'000'000)};
}

bool SimulatedRadio::operate(std::string_view command)
{
    std::lock_guard lock(mutex_);
    const auto answers = model_.operate(command);
    if (!answers)
        return false;
    queueAnswers(*answers, SteadyClock::now());
    wake();
    return true;
}

void SimulatedRadio::refuseSets(std::string prefix)
{
    std::lock_guard lock(mutex_);
    model_.refuseSets(std::move(prefix));
}

void SimulatedRadio::turnDial(int steps)
{
    std::lock_guard lock(mutex_);
    queueAnswers(model_.turnDial(steps), SteadyClock::now());
    wake();
}

void SimulatedRadio::setMode(int mode)
{
    std::lock_guard lock(mutex_);
    queueAnswers(model_.setMode(mode), SteadyClock::now());
    wake();
}

void SimulatedRadio::stepBand(bool up)
{
    std::lock_guard lock(mutex_);
    queueAnswers(model_.stepBand(up), SteadyClock::now());
    wake();
}

void SimulatedRadio::selectBand(int band)
{
    std::lock_guard lock(mutex_);
    queueAnswers(model_.selectBand(band), SteadyClock::now());
    wake();
}

void SimulatedRadio::key(bool transmit)
{
    std::lock_guard lock(mutex_);
    queueAnswers(model_.key(transmit), SteadyClock::now());
    wake();
}

void SimulatedRadio::power(bool on)
{
    std::lock_guard lock(mutex_);
    queueAnswers(model_.power(on), SteadyClock::now());
    wake();
}

void SimulatedRadio::setFaults(const FaultSettings& faults)
{
    std::lock_guard lock(mutex_);
    faults_.configure(faults);
}

FaultSettings SimulatedRadio::faults() const
{
    std::lock_guard lock(mutex_);
    return faults_.settings();
}

void SimulatedRadio::sendNoise(std::size_t count)
{
    std::lock_guard lock(mutex_);
    if (down_)
        return;
    std::string bytes = faults_.noise(count);
    queue_.push(bytes, SteadyClock::now(), bytes.empty() ? std::string{} : bytes);
    wake();
}

void SimulatedRadio::sendStray(std::string text)
{
    std::lock_guard lock(mutex_);
    queueAnswers({std::move(text)}, SteadyClock::now());
    wake();
}

void SimulatedRadio::hangUp(Ms downFor)
{
    std::lock_guard lock(mutex_);
    hangUpRequest_ = std::max(downFor, Ms(0));
    wake();
}

void SimulatedRadio::comeBack()
{
    std::lock_guard lock(mutex_);
    comeBackRequest_ = true;
    wake();
}

RadioModel SimulatedRadio::model() const
{
    std::lock_guard lock(mutex_);
    return model_;
}

} // namespace qx::sim
