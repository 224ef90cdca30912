// The rig server's writer with its key and unkey requests routed through
// the program's transmitter guard, so that a client's transmission is timed
// and released like every other; all else goes on to the writer as it was.
#pragma once
#include "core/MessageIds.h"
#include "core/TransmitGuard.h"
#include "rigserver/RigWriter.h"

namespace qx {

class GuardedRigWriter final : public rig::RigWriter {
public:
    GuardedRigWriter(rig::RigWriter& next, TransmitGuard* guard) : next_(next), guard_(guard) {}

    void setGuard(TransmitGuard* guard) { guard_ = guard; }

    void request(std::uint32_t id, int selector, long long value) override
    {
        if (id == UM_REQ_TX_ONOFF && guard_) {
            if (value != 0)
                guard_->key("a rig server client");
            else
                guard_->unkey("a rig server client");
            return;
        }
        next_.request(id, selector, value);
    }
    bool sendText(const std::string& text) override { return next_.sendText(text); }
    bool setMenuValue(int kind, int value) override { return next_.setMenuValue(kind, value); }
    bool writeChannel(int channel, const MemoryChannel& content) override
    {
        return next_.writeChannel(channel, content);
    }

private:
    rig::RigWriter& next_;
    TransmitGuard* guard_;
};

} // namespace qx
