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

std::uint64_t BuilderContext::beginStep(int sequence, std::span<const std::string> queries)
{
    if (links_.steps == nullptr)
        return 0;
    const std::uint64_t token = links_.steps->expect(sequence, queries);
    if (queries.empty())
        links_.outbox.postToThread(ThreadId::AnlSend, Message{UM_SEQUENCE_ANSWERED, static_cast<std::uint64_t>(sequence),
                                                              static_cast<std::int64_t>(token)});
    return token;
}

void BuilderContext::endSequence(int sequence)
{
    if (links_.steps != nullptr)
        links_.steps->forget(sequence);
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
