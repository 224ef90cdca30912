// Reads the three keyer memories, one per tick of main-window timer 25;
// the fourth tick ends it.
#pragma once
#include "cat/CommandBuilderContext.h"

namespace qx {

class KeyerReadSequence {
public:
    static constexpr int kTimer = 25;
    static constexpr int kPeriodMs = 30;
    static constexpr int kLastMemory = 3;

    explicit KeyerReadSequence(BuilderContext& ctx) : ctx_(ctx) {}

    void start();
    // Ignored while not running, so a late tick cannot leave the counter
    // advanced and make the next read skip "KM1;".
    void step();
    void stop();

    bool running() const { return running_; }
    int nextMemory() const { return memory_; }

private:
    BuilderContext& ctx_;
    bool running_ = false;
    int memory_ = 1;
};

} // namespace qx
