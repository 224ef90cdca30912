// The transmit path's rule on order: a frame is played only when it comes
// after every frame played before, so a duplicate or a late frame is dropped
// rather than played out of place.
#pragma once
#include <cstdint>
#include <optional>

namespace qx::audio {

class FrameOrder {
public:
    bool accept(std::uint32_t sequence)
    {
        if (last_ && sequence <= *last_)
            return false;
        last_ = sequence;
        return true;
    }
    void reset() { last_.reset(); }

private:
    std::optional<std::uint32_t> last_;
};

} // namespace qx::audio
