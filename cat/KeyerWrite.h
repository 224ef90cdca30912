// Writing a CW keyer memory as the CW window does: "KM", the memory digit,
// the text and ";", then the read "KM" + digit + ";" that brings back what
// the radio stored. Both texts go on the send queue as they are, in order.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace qx {

struct KeyerWrite {
    std::string write;
    std::string readBack;
};

// The radio keeps fifty characters a memory.
inline constexpr std::size_t kKeyerMemoryLength = 50;

// Nothing for a memory outside 1 to 5, an empty text, one longer than the
// memory, or one holding ";" (the radio would take the rest as a command).
std::optional<KeyerWrite> keyerWrite(int memory, std::string_view text);

} // namespace qx
