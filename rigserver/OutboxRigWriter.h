// The program's way for a client's change to reach the radio: requests
// posted to the command builder (through RequestTable and PostRequest when
// the request has a row, as the panel posts them), menu writes through the
// menu table and its write request, and texts through the send queue as
// Command Send queues them.
#pragma once
#include "rigserver/RigWriter.h"

#include <functional>
#include <string>

namespace qx {

class MenuTable;
class Outbox;

namespace rig {

class OutboxRigWriter final : public RigWriter {
public:
    using SendText = std::function<bool(const std::string&)>;
    OutboxRigWriter(Outbox& outbox, MenuTable& menu, SendText sendText)
        : outbox_(outbox), menu_(menu), sendText_(std::move(sendText))
    {
    }

    void request(std::uint32_t id, int selector, long long value) override;
    bool sendText(const std::string& text) override;
    bool setMenuValue(int kind, int value) override;
    bool writeChannel(int channel, const MemoryChannel& content) override;

private:
    Outbox& outbox_;
    MenuTable& menu_;
    SendText sendText_;
};

} // namespace rig
} // namespace qx
