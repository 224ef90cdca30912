// The work of the send thread: each UM_SEND_QUEUED takes one command from
// the send queue and writes it, reopening the port first when it is closed
// and dropping the command when the line is not fit to carry it. UM_PORT_OPEN
// opens the port here rather than on the UI thread, for a device that takes
// its time to connect.
#pragma once
#include "core/Clock.h"
#include "core/LinkFlags.h"
#include "core/Message.h"

#include <array>

namespace qx {

class ComLink;
class RadioState;
class TextQueue;

class SerialSender {
public:
    // An output backlog this large means the far end is not taking bytes.
    static constexpr std::size_t kBacklogLimit = 5120;
    static constexpr Clock::Ms kAfterOpen{100};
    // wParam of the UM_SEND_QUEUED posted when the menu becomes ready: it
    // sends only what waited, so a lone start-up command does not wait for
    // some later command to carry it out.
    static constexpr std::uint64_t kWaitingOnly = 1;

    SerialSender(ComLink& link, TextQueue& commands, Clock& clock, LinkFlags& flags, const RadioState& state);

    void handle(const Message& m);

private:
    void sendOne();

    ComLink& link_;
    TextQueue& commands_;
    Clock& clock_;
    LinkFlags& flags_;
    const RadioState& state_;
    std::array<char, 512> buf_{};
    int deferred_ = 0; // messages that came while the menu was not ready
};

// True for exactly one of the error codes that make a command unsafe to send.
bool isSingleCommError(std::uint32_t errors);

} // namespace qx
