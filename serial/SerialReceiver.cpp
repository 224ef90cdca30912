#include "serial/SerialReceiver.h"

#include "core/MessageIds.h"
#include "serial/ComLink.h"
#include "serial/TextQueue.h"
#include "state/RadioState.h"

#include <poll.h>

namespace qx {

SerialReceiver::SerialReceiver(ComLink& link, TextQueue& answers, Outbox& outbox, LinkFlags& flags,
                               const RadioState& state, const MenuTable& menu, Clock& clock)
    : link_(link), answers_(answers), outbox_(outbox), flags_(flags), state_(state), menu_(menu), clock_(clock)
{
    answer_.reserve(AnswerFramer::kCapacity);
}

std::chrono::nanoseconds SerialReceiver::characterTime(int baud)
{
    return baud > 0 ? std::chrono::nanoseconds(11'000'000'000LL / baud) : std::chrono::nanoseconds(0);
}

void SerialReceiver::reset()
{
    framer_.reset();
    restUntil_.reset();
    watchedFd_ = -1;
    emptyWakes_ = 0;
}

void SerialReceiver::handle(const Message& m)
{
    if (m.id == UM_RECV_START)
        receive();
}

InputWait SerialReceiver::inputWait()
{
    // Nothing to watch: the post that comes with a ready menu or an opened
    // port wakes the thread.
    if (!state_.menuReady() || !link_.isOpen()) {
        watchedFd_ = -1;
        return {};
    }
    const auto now = clock_.now();
    if (restUntil_ && now < *restUntil_)
        return {-1, restUntil_};
    restUntil_.reset();
    watchedFd_ = link_.pollFd();
    if (watchedFd_ < 0)
        return {-1, now + kFallbackPoll};
    return {watchedFd_, std::nullopt};
}

void SerialReceiver::onInput(short revents)
{
    const bool ready = (revents & (POLLIN | POLLHUP | POLLERR)) != 0;
    const int watched = watchedFd_;
    const std::size_t got = receive();
    if (!ready)
        return; // a deadline says nothing about the line
    // Only the device that was watched can be judged: another thread may
    // have replaced it meanwhile.
    if (got > 0 || watched < 0 || watched != link_.pollFd()) {
        emptyWakes_ = 0;
        return;
    }
    const auto now = clock_.now();
    if (emptyWakes_ == 0 || now - firstEmptyWake_ > kSpinWindow) {
        emptyWakes_ = 0;
        firstEmptyWake_ = now;
    }
    if (++emptyWakes_ >= kEmptyWakesToHangUp) {
        emptyWakes_ = 0;
        framer_.forgetIdentification();
        link_.close();
    }
}

MenuShapes SerialReceiver::shapes() const
{
    return MenuShapes{&menu_, state_.get(RadioState::Int::HIGHEST_MENU), state_.get(RadioState::Int::WIDTH_ADJUST)};
}

std::size_t SerialReceiver::receive()
{
    if (!state_.menuReady())
        return 0;

    const LineStatus status = link_.clearErrors();
    if (const auto raise = rtsFor(framer_.count(), status.errors))
        link_.setRts(*raise);
    if (status.lineDown) {
        framer_.forgetIdentification();
        link_.close();
    }

    const MenuShapes menu = shapes();
    std::size_t total = 0;
    bool newHead = framer_.count() == 0;
    std::uint32_t errors = status.errors;
    for (;;) {
        std::size_t room = 0;
        std::size_t n = 0;
        if (link_.isOpen()) {
            const auto space = framer_.freeSpace();
            room = space.size();
            const long got = link_.read(space);
            n = got > 0 ? static_cast<std::size_t>(got) : 0;
        }
        framer_.add(n, errors);
        errors = 0;
        total += n;
        while (framer_.next(menu, answer_) == AnswerFramer::Outcome::Framed) {
            newHead = true;
            flags_.answerPending = false;
            // An answer too long for the queue is dropped, never announced empty.
            if (answers_.put(answer_) > 0)
                outbox_.postToThread(ThreadId::AnlRecv, Message{UM_ANSWER_ARRIVED, 0, 0});
        }
        // A full read may have left more behind.
        if (n == 0 || n < room)
            break;
    }

    // Whatever is left began to arrive in this wake if the buffer was empty
    // or an answer went out of it; otherwise it began before. A wake that
    // comes late (a busy machine) finds several of its bytes in: the first
    // of them came that many character times ago at the latest, and counting
    // from the wake instead would sleep past the answer's end.
    const auto now = clock_.now();
    const auto perChar = characterTime(link_.baudRate());
    if (newHead)
        headSince_ = now - perChar * static_cast<long>(framer_.count() > 0 ? framer_.count() - 1 : 0);
    const std::size_t need = framer_.awaited(menu);
    restUntil_.reset();
    if (need >= 2 && link_.isOpen()) {
        const auto lastDue = headSince_ + perChar * static_cast<long>(framer_.count() + need - 1);
        if (lastDue + kLastByteGrace > now)
            restUntil_ = lastDue + kLastByteGrace;
    }
    return total;
}

} // namespace qx
