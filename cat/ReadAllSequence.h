// Fills the radio state after the link comes up: one read row per tick of
// main-window timer 4, in read-table order, then hands over to the menu read
// with the wait box still up.
#pragma once
#include "cat/CommandBuilderContext.h"
#include "cat/MenuReadSequence.h"

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
    // True when it was running. Leaves the wait box to the caller.
    bool stop();

    bool running() const { return running_; }
    int nextRow() const { return row_; }

private:
    void sendRow(int row);

    BuilderContext& ctx_;
    MenuReadSequence& menuRead_;
    bool running_ = false;
    int row_ = 0;
};

} // namespace qx
