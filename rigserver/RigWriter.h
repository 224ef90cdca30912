// How a client's change leaves for the radio: the program's requests to the
// command builder, the same way a panel operation goes. The real one posts
// through the Outbox; tests record the calls.
#pragma once
#include "state/MemoryChannel.h"

#include <cstdint>
#include <string>

namespace qx::rig {

class RigWriter {
public:
    virtual ~RigWriter() = default;
    // Posts a request to the command builder: its selector and its value.
    virtual void request(std::uint32_t id, int selector, long long value) = 0;
    // Queues a text the builder has no request for (a keyer memory's text);
    // false when it could not be queued.
    virtual bool sendText(const std::string& text) = 0;
    // Gives the first setup-menu entry of `kind` a new value and has it
    // written; false when the menu has no such entry.
    virtual bool setMenuValue(int kind, int value) = 0;
    // Writes a whole memory channel record, as the channels window writes
    // one; false for a channel or record the radio cannot hold.
    virtual bool writeChannel(int channel, const MemoryChannel& content) = 0;
};

} // namespace qx::rig
