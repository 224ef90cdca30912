// The one way the XML-RPC server keys and releases the transmitter: a
// client's rig.set_ptt, the release when that client goes, the release when
// the link drops. Kept to one place so that a guard over every way of
// keying can take it over.
#pragma once
#include "core/MessageIds.h"
#include "rigserver/RigWriter.h"

namespace qx::xmlrpc {

inline void requestTransmit(rig::RigWriter& writer, bool on) { writer.request(UM_REQ_TX_ONOFF, 0, on ? 1 : 0); }

} // namespace qx::xmlrpc
