// The work of the receive thread: on every poll message, read what the port
// holds into the framer, drive RTS as receive flow control, close the port
// when the line went down, and hand one framed answer to the analyser
// (put into the answer queue, then post UM_ANSWER_ARRIVED).
#pragma once
#include "core/LinkFlags.h"
#include "core/Message.h"
#include "core/Outbox.h"
#include "serial/AnswerFramer.h"

namespace qx {

class ComLink;
class MenuTable;
class RadioState;
class TextQueue;

class SerialReceiver {
public:
    SerialReceiver(ComLink& link, TextQueue& answers, Outbox& outbox, LinkFlags& flags, const RadioState& state,
                   const MenuTable& menu);

    void handle(const Message& m);
    // Fresh buffer and counters, as when the thread starts.
    void reset() { framer_.reset(); }

    const AnswerFramer& framer() const { return framer_; }

private:
    void poll();

    ComLink& link_;
    TextQueue& answers_;
    Outbox& outbox_;
    LinkFlags& flags_;
    const RadioState& state_;
    const MenuTable& menu_;
    AnswerFramer framer_;
    std::string answer_;
};

} // namespace qx
