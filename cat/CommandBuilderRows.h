// The requests that differ only in their data: which CAT row they are built
// against, the fixed characters, where the selector digit goes, which value
// fills the field and how wide it is, and when the request applies at all.
// A request may have several rows (EU/ED by the sign of n, FT/QS by n...);
// they are tried in order and the first whose guard passes is sent.
#pragma once
#include "cat/CatRecord.h"
#include "state/CommandState.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace qx {

// What goes into the numeric field after the fixed characters and the selector.
enum class RowValue : std::uint8_t {
    None,       // no field: the text is fixed
    N,          // the request's value
    Magnitude,  // the value without its sign (the row itself carries the sign)
    AgcCode,    // the AGC setting 0-4 as the radio's code
    Toggle,     // the opposite of a stored 0/1 setting
};

// When a row applies.
enum class RowGuard : std::uint8_t {
    Always,
    NInRange,      // low <= n <= high
    VIs,           // the selector equals low
    NZero,
    NNonZero,
    StateIn,       // the state entry is one of the small values in the bit mask `low`
    StateNonZero,  // the state entry is not 0
};

struct RequestRow {
    std::uint32_t id = 0;
    const CatRecord* row = nullptr;
    std::string_view lead;           // fixed characters right after the code
    bool selector = false;           // selector digit after the lead
    RowValue value = RowValue::None;
    int width = 0;                   // digits of the field
    std::string_view tail;           // fixed characters after the field
    RowGuard guard = RowGuard::Always;
    long long low = 0;
    long long high = 0;
    CommandState::Int entry = CommandState::Int::AI;    // toggled or tested entry
    CommandState::Int entryV1 = CommandState::Int::AI;  // toggled entry when the selector is 1
};

// Every row, requests grouped together.
std::span<const RequestRow> requestRows();
// The rows of one request in trying order; empty when it is not a data request.
std::span<const RequestRow> requestRows(std::uint32_t id);

} // namespace qx
