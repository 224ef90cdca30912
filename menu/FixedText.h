// A NUL-terminated text in a fixed number of bytes, so that menu entries keep
// the sizes the radio's texts were designed for and copy as plain records.
#pragma once
#include <array>
#include <cstddef>
#include <string_view>

namespace qx {

template <std::size_t N>
class FixedText {
    static_assert(N > 0);

public:
    static constexpr std::size_t kCapacity = N - 1;

    constexpr FixedText() = default;
    constexpr FixedText(std::string_view s) { assign(s); } // NOLINT: implicit on purpose
    constexpr FixedText(const char* s) { assign(s ? std::string_view(s) : std::string_view{}); } // NOLINT

    // Longer texts are cut to the capacity; the rest of the buffer is zeroed.
    constexpr void assign(std::string_view s)
    {
        const std::size_t n = s.size() < kCapacity ? s.size() : kCapacity;
        for (std::size_t i = 0; i < N; ++i)
            chars_[i] = i < n ? s[i] : '\0';
    }

    constexpr std::string_view view() const
    {
        std::size_t n = 0;
        while (n < kCapacity && chars_[n] != '\0')
            ++n;
        return {chars_.data(), n};
    }

    constexpr std::size_t size() const { return view().size(); }
    constexpr bool empty() const { return chars_[0] == '\0'; }
    constexpr const char* c_str() const { return chars_.data(); }

    template <std::size_t M>
    constexpr bool operator==(const FixedText<M>& b) const
    {
        return view() == b.view();
    }
    friend constexpr bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }

private:
    std::array<char, N> chars_{};
};

} // namespace qx
