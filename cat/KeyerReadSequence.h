// Reads the three keyer memories, one per step; the fourth step ends it. A
// step goes out when the answer to the one before it is in, and at every
// tick of timer 25 (30 ms) at the latest.
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
    // The step with this token has its answer: the next one goes now.
    void answered(std::uint64_t token);
    void stop();

    bool running() const { return running_; }
    int nextMemory() const { return memory_; }

private:
    BuilderContext& ctx_;
    bool running_ = false;
    int memory_ = 1;
    std::uint64_t token_ = 0;
};

} // namespace qx
