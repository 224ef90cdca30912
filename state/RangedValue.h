// One setting of a state store: a value that only ever holds something inside
// its bounds. Any thread may read it while one thread writes, so the value is
// atomic; the bounds are fixed when the entry is made.
#pragma once
#include <atomic>

namespace qx {

template <typename T>
class RangedValue {
public:
    RangedValue(T lower, T upper, T initial) : value_(initial), upper_(upper), lower_(lower) {}
    RangedValue(const RangedValue&) = delete;
    RangedValue& operator=(const RangedValue&) = delete;

    T get() const { return value_.load(std::memory_order_relaxed); }

    // A value outside the bounds is dropped without complaint: callers treat
    // the answer as handled either way, so the result is always true.
    // Written as two <= tests so that a NaN is dropped too.
    bool set(T v)
    {
        if (lower_ <= v && v <= upper_)
            value_.store(v, std::memory_order_relaxed);
        return true;
    }

    // Start-up and re-initialisation put the default back whether or not it
    // lies inside the bounds (some entries start "unknown", outside them).
    void reset(T initial) { value_.store(initial, std::memory_order_relaxed); }

    T lower() const { return lower_; }
    T upper() const { return upper_; }

private:
    std::atomic<T> value_;
    const T upper_;
    const T lower_;
};

} // namespace qx
