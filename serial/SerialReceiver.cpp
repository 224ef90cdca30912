#include "serial/SerialReceiver.h"

#include "core/MessageIds.h"
#include "serial/ComLink.h"
#include "serial/TextQueue.h"
#include "state/RadioState.h"

namespace qx {

SerialReceiver::SerialReceiver(ComLink& link, TextQueue& answers, Outbox& outbox, LinkFlags& flags,
                               const RadioState& state, const MenuTable& menu)
    : link_(link), answers_(answers), outbox_(outbox), flags_(flags), state_(state), menu_(menu)
{
    answer_.reserve(AnswerFramer::kCapacity);
}

void SerialReceiver::handle(const Message& m)
{
    if (m.id == UM_RECV_START)
        poll();
}

void SerialReceiver::poll()
{
    if (!state_.menuReady())
        return;

    const LineStatus status = link_.clearErrors();
    if (const auto raise = rtsFor(framer_.count(), status.errors))
        link_.setRts(*raise);
    if (status.lineDown) {
        framer_.forgetIdentification();
        link_.close();
    }

    std::size_t n = 0;
    if (link_.isOpen()) {
        const long got = link_.read(framer_.freeSpace());
        n = got > 0 ? static_cast<std::size_t>(got) : 0;
    }

    const MenuShapes shapes{&menu_, state_.get(RadioState::Int::HIGHEST_MENU),
                            state_.get(RadioState::Int::WIDTH_ADJUST)};
    if (framer_.step(n, status.errors, shapes, answer_) != AnswerFramer::Outcome::Framed)
        return;
    flags_.answerPending = false;
    // An answer too long for the queue is dropped, never announced empty.
    if (answers_.put(answer_) > 0)
        outbox_.postToThread(ThreadId::AnlRecv, Message{UM_ANSWER_ARRIVED, 0, 0});
}

} // namespace qx
