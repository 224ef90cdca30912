// What the command builder needs of the serial port: switching auto-information
// must reach the radio even when the port was closed after a line fault, so
// the builder asks for the port to be opened before it queues "AI".
#pragma once

namespace qx {

class PortOpener {
public:
    virtual ~PortOpener() = default;
    // Opens the port when it is closed; does nothing when it is open.
    virtual void ensureOpen() = 0;
};

} // namespace qx
