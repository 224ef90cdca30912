#include "rigserver/OutboxRigWriter.h"

#include "cat/MemoryWriteRequest.h"
#include "core/MessageIds.h"
#include "core/PostRequest.h"
#include "core/RequestTable.h"
#include "menu/MenuTable.h"

namespace qx::rig {

void OutboxRigWriter::request(std::uint32_t id, int selector, long long value)
{
    if (const int row = requestRowOf(id); row > 0) {
        PostRequest(outbox_, row, 0, selector, 0, value);
        return;
    }
    Message m;
    m.id = id;
    m.wParam = selector == 1 ? kSelectorBit : 0;
    m.lParam = value;
    outbox_.postToThread(ThreadId::AnlSend, m);
}

bool OutboxRigWriter::sendText(const std::string& text) { return sendText_ && sendText_(text); }

bool OutboxRigWriter::setMenuValue(int kind, int value)
{
    const int slot = menu_.slotByKind(kind);
    if (slot == 0)
        return false;
    // As the menu window commits a change: the new value is the known one
    // from now on, and the writer sends every entry marked changed.
    menu_.update(slot, [value](MenuItem& item) {
        item.newValue = value;
        item.value = value;
        item.changed = true;
        return true;
    });
    request(UM_REQ_EX_SET, 0, 0);
    return true;
}

} // namespace qx::rig

namespace qx::rig {

bool OutboxRigWriter::writeChannel(int channel, const MemoryChannel& content)
{
    const auto m = memoryWriteRequest(channel, content);
    if (!m)
        return false;
    outbox_.postToThread(ThreadId::AnlSend, *m);
    return true;
}

} // namespace qx::rig
