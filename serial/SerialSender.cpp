#include "serial/SerialSender.h"

#include "core/MessageIds.h"
#include "serial/ComLink.h"
#include "serial/TextQueue.h"
#include "state/RadioState.h"

#include <algorithm>
#include <string_view>

namespace qx {

bool isSingleCommError(std::uint32_t e)
{
    using namespace CommError;
    return e == RxOverflow || e == Overrun || e == Parity || e == Framing || e == Break || e == TxFull || e == Io
        || e == Mode;
}

SerialSender::SerialSender(ComLink& link, TextQueue& commands, Clock& clock, LinkFlags& flags,
                           const RadioState& state)
    : link_(link), commands_(commands), clock_(clock), flags_(flags), state_(state)
{
}

void SerialSender::handle(const Message& m)
{
    if (m.id == UM_PORT_OPEN) {
        link_.open();
        return;
    }
    if (m.id != UM_SEND_QUEUED)
        return;
    if (!state_.menuReady()) {
        // The command stays queued, and so does its claim to be sent: once
        // the menu is ready every waiting command goes out, instead of each
        // later message sending the one before it and the last one never.
        if (m.wParam != kWaitingOnly)
            ++deferred_;
        return;
    }
    const int own = m.wParam == kWaitingOnly ? 0 : 1;
    for (int n = deferred_ + own; n > 0; --n)
        sendOne();
    deferred_ = 0;
}

void SerialSender::sendOne()
{
    buf_.fill(0);
    const int length = commands_.tryTake(buf_);
    if (length <= 0)
        return;

    if (link_.open())
        clock_.sleepFor(kAfterOpen); // let the radio take the AI command first
    if (!link_.isOpen())
        return;

    const LineStatus status = link_.clearErrors();
    if (status.outQueue >= kBacklogLimit || status.lineDown) {
        link_.close();
        return;
    }
    if (status.dsrHold || status.xoffHold || status.xoffSent || status.eof)
        return;
    if (isSingleCommError(status.errors))
        return;

    const std::string_view text(buf_.data(), static_cast<std::size_t>(length));
    if (text.starts_with("AI1;")) {
        flags_.aiSent = true;
        flags_.aiSwitchedOff = false;
    } else if (text.starts_with("AI0;")) {
        flags_.aiSent = false;
        flags_.aiSwitchedOff = true;
    }

    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(buf_.data()), text.size());
    if (link_.write(bytes) < 0) {
        link_.close(); // the device is gone; the next command reopens it
        return;
    }
    flags_.answerPending = true;
}

} // namespace qx
