#include "cat/CommandBuilderContext.h"

#include "core/MessageIds.h"

namespace qx {

bool BuilderContext::send(std::string_view text)
{
    if (text.empty() || text.find('\0') != std::string_view::npos)
        return false;
    if (links_.sendQueue.put(text) != static_cast<int>(text.size()))
        return false;
    links_.outbox.postToThread(ThreadId::SioSend, Message{UM_SEND_QUEUED, 0, 0});
    return true;
}

void BuilderContext::releaseWaitBox()
{
    links_.flags.waitBoxBusy.store(false);
    if (links_.flags.waitBoxShown.load()) {
        pause(Clock::Ms{100});
        links_.outbox.postToWindow(Message{UM_WAIT_BOX_CLOSE, 0, 0});
    }
}

} // namespace qx
