// The radio's memory channels 1 to 504: each holds the characters that follow
// the channel number in "MW" and "MR" texts, or nothing.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qx::sim {

class MemoryChannels {
public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 504;

    static constexpr bool inRange(int channel) { return channel >= kFirst && channel <= kLast; }

    // False for a channel outside 1-504; the content is taken as it stands.
    bool store(int channel, std::string_view content);
    // Nothing for an empty channel or one outside 1-504.
    std::optional<std::string> recall(int channel) const;
    void clear(int channel);

private:
    std::array<std::optional<std::string>, kLast + 1> slots_{};
};

} // namespace qx::sim
