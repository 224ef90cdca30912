#include "rigserver/TransmitterRelease.h"

#include "core/MessageIds.h"

#include <thread>

namespace qx::rig {

bool releaseTransmitter(const RigStateView& radio, RigWriter& writer, std::chrono::milliseconds wait)
{
    if (!radio.transmitting())
        return true;
    writer.request(UM_REQ_TX_ONOFF, 0, 0);
    if (!radio.linked())
        return false;
    // The answer comes back through the receive threads, which keep running
    // until the port is closed; this runs once, at quit.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (radio.transmitting()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace qx::rig
