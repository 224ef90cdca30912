// The texts of the five CW keyer memories as last reported by the
// transceiver. A text is always replaced or read whole, under a lock, so a
// reader never sees half of an old text and half of a new one.
#pragma once
#include <array>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

class KeyerMemories {
public:
    static constexpr int kCount = 5;
    // Room for one text; the transceiver's own texts are 50 characters.
    static constexpr std::size_t kCapacity = 51;
    static constexpr std::size_t kTextLength = 50;

    // Memories are numbered 1 to 5. Refuses a missing text, one longer than
    // the capacity and a memory number outside 1..5; a text stops at its
    // first NUL, as it does on the wire.
    bool set(int memory, std::optional<std::string_view> text);
    // Empty for a memory number outside 1..5.
    std::string get(int memory) const;
    void clear();

private:
    // Fixed buffers: a store that lives for the whole run allocates nothing
    // as answers arrive.
    struct Text {
        std::array<char, kCapacity> chars{};
        std::size_t size = 0;
    };
    mutable std::mutex mutex_;
    std::array<Text, kCount> texts_;
};

} // namespace qx
