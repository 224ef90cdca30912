#include "cat/CommandBuilderFields.h"

#include "cat/CatCommand.h"

#include <array>
#include <climits>

namespace qx {
namespace {

int selectorOf(const Message& m) { return static_cast<int>(m.wParam & 1U); }

// -1 (which leaves the field all "0") for the one value whose magnitude has no
// signed representation.
long long magnitudeOf(long long n)
{
    if (n == LLONG_MIN)
        return -1;
    return n < 0 ? -n : n;
}

std::optional<long long> fieldValue(const RequestRow& row, const Message& m, const CommandState& state)
{
    switch (row.value) {
    case RowValue::None:
        return std::nullopt;
    case RowValue::N:
        return m.lParam;
    case RowValue::Magnitude:
        return magnitudeOf(m.lParam);
    case RowValue::AgcCode:
        if (auto code = agcCode(m.lParam))
            return *code;
        return std::nullopt;
    case RowValue::Toggle:
        if (auto t = toggledValue(state.get(selectorOf(m) == 1 ? row.entryV1 : row.entry)))
            return *t;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<int> toggledValue(int stored)
{
    if (stored == 0)
        return 1;
    if (stored == 1)
        return 0;
    return std::nullopt;
}

std::optional<int> agcCode(long long setting)
{
    static constexpr std::array<int, 5> kCodes{0, 4, 1, 2, 3};
    if (setting < 0 || setting >= static_cast<long long>(kCodes.size()))
        return std::nullopt;
    return kCodes[static_cast<std::size_t>(setting)];
}

bool guardPasses(const RequestRow& row, const Message& m, const CommandState& state)
{
    const long long n = m.lParam;
    switch (row.guard) {
    case RowGuard::Always:
        return true;
    case RowGuard::NInRange:
        return row.low <= n && n <= row.high;
    case RowGuard::VIs:
        return selectorOf(m) == row.low;
    case RowGuard::NZero:
        return n == 0;
    case RowGuard::NNonZero:
        return n != 0;
    case RowGuard::StateIn: {
        const int v = state.get(row.entry);
        return v >= 0 && v < 63 && ((row.low >> v) & 1) != 0;
    }
    case RowGuard::StateNonZero:
        return state.get(row.entry) != 0;
    }
    return false;
}

std::optional<std::string> composeRow(const RequestRow& row, const Message& m, const CommandState& state)
{
    if (row.row == nullptr)
        return std::nullopt;
    std::string params(row.lead);
    if (row.selector)
        params += static_cast<char>('0' + selectorOf(m));
    if (row.value != RowValue::None) {
        const auto value = fieldValue(row, m, state);
        // Zeros in place of a value that does not fit would set something
        // nobody asked for.
        if (!value || !fitsField(row.width, *value))
            return std::nullopt;
        params += rightAlignedField(row.width, *value);
    }
    params += row.tail;
    return composeCommand(*row.row, params);
}

std::optional<std::string> buildRequestText(std::span<const RequestRow> rows, const Message& m,
                                            const CommandState& state)
{
    for (const RequestRow& row : rows)
        if (guardPasses(row, m, state))
            return composeRow(row, m, state);
    return std::nullopt;
}

} // namespace qx
