#include "cat/RawCommandText.h"

#include <cstdio>

namespace qx {

RawCommandText rawCommandText(std::string_view typed, std::size_t maxLength)
{
    while (!typed.empty() && typed.front() == ' ')
        typed.remove_prefix(1);
    while (!typed.empty() && typed.back() == ' ')
        typed.remove_suffix(1);
    if (typed.empty())
        return {{}, "nothing to send"};
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const auto c = static_cast<unsigned char>(typed[i]);
        if (c < 0x20 || c > 0x7E) {
            char why[96];
            std::snprintf(why, sizeof why, "byte 0x%02X at position %zu is not printable ASCII; nothing sent", c,
                          i + 1);
            return {{}, why};
        }
    }
    std::string text(typed);
    if (text.back() != ';')
        text += ';';
    if (text.size() > maxLength)
        return {{}, "text too long"};
    return {std::move(text), {}};
}

} // namespace qx
