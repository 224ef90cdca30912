// Reads every radio-menu entry, one slot per tick of main-window timer 5:
// "EX" + slot for an entry in use, the dimmer query for the dimmer entry,
// nothing for a vacant slot. The wait box stays up until the last slot.
#pragma once
#include "cat/CommandBuilderContext.h"

namespace qx {

// Queues the read of one menu slot as the sequence does; false (nothing
// queued) for a vacant slot or one outside the loaded table.
bool readMenuSlot(BuilderContext& ctx, int slot);

class MenuReadSequence {
public:
    static constexpr int kTimer = 5;
    static constexpr int kPeriodMs = 30;

    explicit MenuReadSequence(BuilderContext& ctx) : ctx_(ctx) {}

    // A start while running only goes back to slot 1.
    void start();
    // Ignored while not running: a tick already posted may arrive after a stop.
    void step();
    // True when it was running. Leaves the wait box to the caller.
    bool stop();

    bool running() const { return running_; }
    int nextSlot() const { return slot_; }

private:
    int entryCount();

    BuilderContext& ctx_;
    bool running_ = false;
    int slot_ = 1;
};

} // namespace qx
