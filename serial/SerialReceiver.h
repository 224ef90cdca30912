// The work of the receive thread: when bytes arrive (or on UM_RECV_START),
// read everything the port holds into the framer, drive RTS as receive flow
// control, close the port when the line went down, and hand every whole
// answer to the analyser in arrival order (each put into the answer queue,
// then one UM_ANSWER_ARRIVED).
//
// Between arrivals the thread sleeps on the port's descriptor. While an
// answer is partly in, it sleeps through the line time of the rest instead
// of waking for every byte: from the arrival of the answer's first byte,
// until just after its last byte is due; what is still missing then is
// waited for on the descriptor. A device without a descriptor is looked at
// every 5 ms.
#pragma once
#include "core/Clock.h"
#include "core/LinkFlags.h"
#include "core/Message.h"
#include "core/Outbox.h"
#include "core/WorkerThread.h"
#include "serial/AnswerFramer.h"

#include <chrono>
#include <optional>

namespace qx {

class ComLink;
class MenuTable;
class RadioState;
class TextQueue;

class SerialReceiver final : public MessageHandler {
public:
    static constexpr Clock::Ms kFallbackPoll{5};
    // How long after its due time the last byte of an answer is looked for.
    static constexpr std::chrono::microseconds kLastByteGrace{100};
    // Readable with nothing to read this many times in a row within the
    // window: the thread is spinning on a far end that is gone though the
    // device did not say so. (A network device may wake it now and then for
    // control bytes that carry no data.)
    static constexpr int kEmptyWakesToHangUp = 50;
    static constexpr Clock::Ms kSpinWindow{100};

    SerialReceiver(ComLink& link, TextQueue& answers, Outbox& outbox, LinkFlags& flags, const RadioState& state,
                   const MenuTable& menu, Clock& clock);

    void handle(const Message& m) override;
    InputWait inputWait() override;
    void onInput(short revents) override;

    // Fresh buffer and counters, as when the thread starts.
    void reset();

    const AnswerFramer& framer() const { return framer_; }

    // One character on the line at `baud`: a start bit, 8 data bits, 2 stop bits.
    static std::chrono::nanoseconds characterTime(int baud);

private:
    // Reads and frames what has arrived; the byte count read.
    std::size_t receive();
    MenuShapes shapes() const;

    ComLink& link_;
    TextQueue& answers_;
    Outbox& outbox_;
    LinkFlags& flags_;
    const RadioState& state_;
    const MenuTable& menu_;
    Clock& clock_;
    AnswerFramer framer_;
    std::string answer_;
    std::optional<std::chrono::steady_clock::time_point> restUntil_;
    std::chrono::steady_clock::time_point headSince_{}; // when the head's first byte was read
    int watchedFd_ = -1;
    int emptyWakes_ = 0;
    std::chrono::steady_clock::time_point firstEmptyWake_{};
};

} // namespace qx
