// The last thing before the program closes the port: a transmitter still
// keyed is released. While the link is up the radio's own report of the
// release is awaited (at most `wait`), so that the unkey has reached the
// line before the port closes under it.
#pragma once
#include "rigserver/RigStateView.h"
#include "rigserver/RigWriter.h"

#include <chrono>

namespace qx::rig {

// True when nothing was keyed or the radio reported the release in time.
bool releaseTransmitter(const RigStateView& radio, RigWriter& writer, std::chrono::milliseconds wait);

} // namespace qx::rig
