// A frequency as an operator types it (VFO SET, a web page's field), read
// by one stated rule so that nothing is sent that the operator did not
// mean: digits alone are Hz; with one decimal point or comma the number is
// MHz below 100 and kHz from 100 on; a unit (Hz, kHz, MHz) after the number
// overrides the rule. A number the rule cannot read, finer than 1 Hz or
// outside the radio's range is refused with the reason. No widgets here.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

inline constexpr std::int64_t kLowestTypedHz = 30'000;      // the radio's range, as its
inline constexpr std::int64_t kHighestTypedHz = 60'000'000; // frequency entries hold it

// The rule in words, for the field that takes the frequency.
inline constexpr std::string_view kTypedFrequencyRule =
    "Digits alone are Hz (14074000). With a point or comma: below 100 is MHz "
    "(14.074 or 14,074), 100 or more is kHz (7074.5). A unit (Hz, kHz, MHz) may follow.";

struct TypedFrequency {
    std::optional<std::int64_t> hz; // the frequency, when it was read
    std::string refusal;            // why not, for the operator
    // Nothing but blanks was typed: neither a frequency nor a refusal.
    bool empty() const { return !hz && refusal.empty(); }
};

TypedFrequency readTypedFrequency(std::string_view typed);

// "14.074000 MHz": how a read frequency is shown back to the operator.
std::string describeHz(std::int64_t hz);

} // namespace qx
