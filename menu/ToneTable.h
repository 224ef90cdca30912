// The 50 CTCSS tones: in code order, and as the tone dialog lays them out in
// five columns so that they read in ascending order along each row.
#pragma once
#include <array>
#include <string_view>

namespace qx {

inline constexpr int kToneCount = 50;

// Indexed by tone code.
inline constexpr std::array<std::string_view, kToneCount> kToneTexts = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
};

struct ToneEntry {
    std::array<char, 12> text{}; // two blanks, then the tone
    int code = -1;               // -1 ends the table

    constexpr std::string_view view() const
    {
        std::size_t n = 0;
        while (n < text.size() && text[n] != '\0')
            ++n;
        return {text.data(), n};
    }
};

namespace detail {
constexpr std::array<ToneEntry, kToneCount + 1> makeToneTable()
{
    std::array<ToneEntry, kToneCount + 1> t{};
    for (int i = 0; i < kToneCount; ++i) {
        ToneEntry& e = t[static_cast<std::size_t>(i)];
        e.code = (i % 10) * 5 + i / 10;
        const std::string_view tone = kToneTexts[static_cast<std::size_t>(e.code)];
        e.text[0] = ' ';
        e.text[1] = ' ';
        for (std::size_t k = 0; k < tone.size(); ++k)
            e.text[k + 2] = tone[k];
    }
    return t;
}
} // namespace detail

// Item i of the five-column list box; the last entry has code -1.
inline constexpr std::array<ToneEntry, kToneCount + 1> kToneTable = detail::makeToneTable();

} // namespace qx
