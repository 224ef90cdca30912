// Fills the radio state after the link comes up: one read row per step, in
// read-table order, then hands over to the menu read with the wait box still
// up. A step goes out when the answers to the one before it are in, and at
// every tick of timer 4 (30 ms) at the latest.
#pragma once
#include "cat/CommandBuilderContext.h"
#include "cat/MenuReadSequence.h"

#include <string>
#include <vector>

namespace qx {

class ReadAllSequence {
public:
    static constexpr int kTimer = 4;
    static constexpr int kPeriodMs = 30;
    static constexpr int kLastRow = 68;

    ReadAllSequence(BuilderContext& ctx, MenuReadSequence& menuRead) : ctx_(ctx), menuRead_(menuRead) {}

    // A start while running only goes back to row 0; the timer runs on.
    void start();
    // Ignored while not running: a tick already posted may arrive after a stop.
    void step();
    // The step with this token has all its answers: the next one goes now,
    // and the tick after it a whole period later. Stale tokens are ignored.
    void answered(std::uint64_t token);
    // True when it was running. Leaves the wait box to the caller.
    bool stop();

    bool running() const { return running_; }
    int nextRow() const { return row_; }

private:
    std::vector<std::string> queriesFor(int row);

    BuilderContext& ctx_;
    MenuReadSequence& menuRead_;
    bool running_ = false;
    int row_ = 0;
    std::uint64_t token_ = 0;
};

} // namespace qx
