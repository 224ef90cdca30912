#include "core/PostRequest.h"

#include "core/RequestTable.h"

namespace qx {

bool PostRequest(Outbox& outbox, int index, int flagA, int selector, int flagB, std::int64_t value)
{
    const std::uint32_t id = requestId(index);
    if (id == 0)
        return false;
    Message m;
    m.id = id;
    if (selector == 1)
        m.wParam |= kSelectorBit;
    if (flagA == 1)
        m.wParam |= kFlagABit;
    if (flagB == 1)
        m.wParam |= kFlagBBit;
    m.lParam = value;
    outbox.postToThread(ThreadId::AnlSend, m);
    return true;
}

} // namespace qx
