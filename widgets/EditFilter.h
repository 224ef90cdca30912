// The characters a filtered edit field takes: backspace, space, "/", digits,
// letters and "{" (the radio's keyer and beacon texts know nothing else).
#pragma once

namespace qx {

constexpr bool editAccepts(char32_t c)
{
    return c == U'\b' || c == U' ' || c == U'/' || c == U'{' || (c >= U'0' && c <= U'9') ||
           (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

} // namespace qx
