#include "rigserver/PttGuard.h"

namespace qx::rig {

void PttGuard::keyed(int client)
{
    holder_ = client;
    seenKeyed_ = false;
}

void PttGuard::released()
{
    holder_ = kNobody;
    seenKeyed_ = false;
}

bool PttGuard::clientGone(int client)
{
    if (holder_ != client || client == kNobody)
        return false;
    released();
    return true;
}

bool PttGuard::watch(bool linked, bool transmitting)
{
    const bool lost = wasLinked_ && !linked;
    wasLinked_ = linked;
    if (lost && (transmitting || holder_ != kNobody)) {
        released();
        return true;
    }
    if (holder_ == kNobody)
        return false;
    // Until the radio has reported the key-down, "receiving" only means the
    // request is still on its way.
    if (transmitting)
        seenKeyed_ = true;
    else if (seenKeyed_)
        released();
    return false;
}

} // namespace qx::rig
