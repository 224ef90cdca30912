// Time as the workers see it, so tests can run without real sleeps.
#pragma once
#include <chrono>

namespace qx {

class Clock {
public:
    using Ms = std::chrono::milliseconds;
    virtual ~Clock() = default;
    virtual std::chrono::steady_clock::time_point now() = 0;
    virtual void sleepFor(Ms d) = 0;
};

class SystemClock final : public Clock {
public:
    std::chrono::steady_clock::time_point now() override { return std::chrono::steady_clock::now(); }
    void sleepFor(Ms d) override;
};

} // namespace qx
