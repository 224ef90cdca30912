#include "windows/MacroSender.h"

#include "windows/MacroKeyFile.h"

namespace qx {

MacroSender::MacroSender(Outbox& outbox, SendRaw sendRaw) : outbox_(outbox), sendRaw_(std::move(sendRaw)) {}

bool MacroSender::start(const std::string& line)
{
    if (busy() || line.empty())
        return false;
    text_ = line.substr(0, kMacroLineLimit);
    next_ = 0;
    sendNext();
    return true;
}

void MacroSender::continueSending()
{
    outbox_.stopTimer(kTimerId);
    if (busy())
        sendNext();
}

void MacroSender::sendNext()
{
    const std::size_t end = text_.find(';', next_);
    if (end == std::string::npos || end - next_ + 1 > kMacroLineLimit) {
        text_.clear();
        next_ = 0;
        return;
    }
    const std::string command = text_.substr(next_, end - next_ + 1);
    next_ = end + 1;
    if (sendRaw_)
        sendRaw_(command);
    // Even after the last command the timer runs: a key pressed before it
    // fires is still swallowed, so macros never overlap on the line.
    outbox_.startTimer(kTimerId, static_cast<int>(command.size()) * kMsPerChar);
}

} // namespace qx
