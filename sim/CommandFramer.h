// Cuts the bytes arriving from the line into commands ending in ";". A run of
// bytes that never reaches a ";" is cut off at a limit and handed on as it is
// (the radio refuses it) so that junk cannot grow the buffer without end.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace qx::sim {

class CommandFramer {
public:
    // Longer than any command the radio knows.
    static constexpr std::size_t kMaxCommand = 128;

    std::vector<std::string> feed(std::string_view bytes);
    void reset() { pending_.clear(); }

private:
    std::string pending_;
};

} // namespace qx::sim
