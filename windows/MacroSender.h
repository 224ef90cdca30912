// Sends one macro line to the radio a command at a time: each command up to
// and including its ";" goes out raw, then the main window's timer 39 waits
// 2 ms per character before the next. Text after the last ";" is dropped.
#pragma once
#include "core/Outbox.h"

#include <functional>
#include <string>

namespace qx {

class MacroSender {
public:
    static constexpr int kTimerId = 39;
    static constexpr int kMsPerChar = 2;

    using SendRaw = std::function<bool(const std::string&)>;

    MacroSender(Outbox& outbox, SendRaw sendRaw);

    bool busy() const { return !text_.empty(); }
    // Starts a line and sends its first command; false when busy or empty.
    bool start(const std::string& line);
    // Timer 39 fired: stop it and send the next command.
    void continueSending();

private:
    void sendNext();

    Outbox& outbox_;
    SendRaw sendRaw_;
    std::string text_;  // empty = idle
    std::size_t next_ = 0;
};

} // namespace qx
