// Reads every radio-menu entry, one slot per step: "EX" + slot for an entry
// in use, the dimmer query for the dimmer entry, nothing for a vacant slot.
// A step goes out when the answer to the one before it is in, and at every
// tick of timer 5 (30 ms) at the latest. The wait box stays up until the
// last slot.
#pragma once
#include "cat/CommandBuilderContext.h"

#include <span>
#include <string>

namespace qx {

// Queues the read of one menu slot as the sequence does; false (nothing
// queued) for a vacant slot or one outside the loaded table.
bool readMenuSlot(BuilderContext& ctx, int slot);

class MenuReadSequence {
public:
    static constexpr int kTimer = 5;
    static constexpr int kPeriodMs = 30;

    explicit MenuReadSequence(BuilderContext& ctx) : ctx_(ctx) {}

    // A start while running only goes back to slot 1. The first step waits
    // for the answers to `outstanding`, the queries sent just before it.
    void start(std::span<const std::string> outstanding = {});
    // Ignored while not running: a tick already posted may arrive after a stop.
    void step();
    // The step with this token has its answer: the next one goes now.
    void answered(std::uint64_t token);
    // True when it was running. Leaves the wait box to the caller.
    bool stop();

    bool running() const { return running_; }
    int nextSlot() const { return slot_; }

private:
    int entryCount();

    BuilderContext& ctx_;
    bool running_ = false;
    int slot_ = 1;
    std::uint64_t token_ = 0;
};

} // namespace qx
