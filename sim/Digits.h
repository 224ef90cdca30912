// Small checks and conversions for the characters of CAT fields.
#pragma once
#include <optional>
#include <string_view>

namespace qx::sim {

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool allDigits(std::string_view s)
{
    for (char c : s) {
        if (!isDigit(c))
            return false;
    }
    return !s.empty();
}

// "0"-"9" and "A"-"F" (the radio writes upper case); -1 otherwise.
constexpr int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Decimal with an optional leading "+" or "-"; nothing when malformed or too long.
constexpr std::optional<long long> parseSigned(std::string_view s)
{
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (!allDigits(s) || s.size() > 15)
        return std::nullopt;
    long long v = 0;
    for (char c : s)
        v = v * 10 + (c - '0');
    return negative ? -v : v;
}

} // namespace qx::sim
