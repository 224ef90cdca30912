#include "app/gui/WindowOutbox.h"

#include "core/MessageIds.h"

namespace qx {

bool WindowOutbox::bringsLinkUp(std::uint32_t request)
{
    return request == UM_REQ_AI_TOGGLE || request == UM_REQ_POWER_TOGGLE;
}

void WindowOutbox::postToThread(ThreadId t, const Message& m)
{
    if (t == ThreadId::AnlSend) {
        if (!bringsLinkUp(m.id) && !linked()) {
            refuse();
            return;
        }
        if (m.id == UM_REQ_AI_TOGGLE && hooks_.linkPressed)
            hooks_.linkPressed();
        if (m.id == UM_REQ_TX_TOGGLE && guard_) {
            // The key turns over what the operator sees: a transmitter
            // keyed by anyone (the radio's own PTT included) is unkeyed.
            if (guard_->keyed() || (radioTransmitting_ && radioTransmitting_()))
                guard_->unkey("the panel");
            else
                guard_->key("the panel");
            return;
        }
    }
    to_.postToThread(t, m);
}

bool WindowOutbox::sendRaw(const std::string& text)
{
    if (!linked()) {
        refuse();
        return false;
    }
    return hooks_.sendRaw && hooks_.sendRaw(text);
}

} // namespace qx
