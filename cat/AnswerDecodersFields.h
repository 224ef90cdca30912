// Bounded reading of an answer's parameter characters. Every read names the
// positions it needs; a position the text does not reach is "missing", never
// a look past the end, so a truncated answer is simply malformed.
#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

namespace qx {

class AnswerFields {
public:
    explicit AnswerFields(std::string_view text) : text_(text) {}

    std::string_view text() const { return text_; }
    std::size_t size() const { return text_.size(); }

    bool has(std::size_t pos, std::size_t n = 1) const { return pos <= text_.size() && n <= text_.size() - pos; }

    // The character at pos, or NUL when the text ends before it.
    char at(std::size_t pos) const { return pos < text_.size() ? text_[pos] : '\0'; }

    // n characters "0".."9" read as one number; nothing when any is missing
    // or not a digit. At most 9 digits, so the result fits an int.
    std::optional<int> decimal(std::size_t pos, std::size_t n) const
    {
        if (n == 0 || n > 9 || !has(pos, n))
            return std::nullopt;
        int value = 0;
        for (char c : text_.substr(pos, n)) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + (c - '0');
        }
        return value;
    }

    std::optional<int> digit(std::size_t pos) const { return decimal(pos, 1); }

    // "0".."9", "A".."F", "a".."f".
    std::optional<int> hexDigit(std::size_t pos) const
    {
        if (!has(pos))
            return std::nullopt;
        const char c = text_[pos];
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return std::nullopt;
    }

    // +1 for "+", -1 for "-".
    std::optional<int> sign(std::size_t pos) const
    {
        if (!has(pos))
            return std::nullopt;
        if (text_[pos] == '+')
            return 1;
        if (text_[pos] == '-')
            return -1;
        return std::nullopt;
    }

    // A selector digit that must be "0" or "1".
    std::optional<int> selector(std::size_t pos) const
    {
        const auto d = digit(pos);
        return d && *d <= 1 ? d : std::nullopt;
    }

private:
    std::string_view text_;
};

} // namespace qx
