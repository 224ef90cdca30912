// The fixed description of one store entry (its console name, bounds and
// start-up value) and the lookup of an entry by that name.
#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace qx {

template <typename T>
struct EntrySpec {
    std::string_view name;
    T lower;
    T upper;
    T initial;
};

using IntEntrySpec = EntrySpec<int>;
using RealEntrySpec = EntrySpec<double>;

// ASCII only: entry names are letters, digits and "_".
bool sameEntryName(std::string_view a, std::string_view b);

// The id of the row called `name`, the ids being the row indexes.
template <typename Id, typename T, std::size_t N>
std::optional<Id> findEntry(const std::array<EntrySpec<T>, N>& table, std::string_view name)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (sameEntryName(table[i].name, name))
            return static_cast<Id>(i);
    }
    return std::nullopt;
}

} // namespace qx
