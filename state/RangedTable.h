// The ranged entries of one store, addressed by an enum id whose values are
// the rows of a fixed table of names, bounds and defaults.
#pragma once
#include <array>
#include <cstddef>
#include <utility>

#include "state/EntryRow.h"
#include "state/RangedValue.h"

namespace qx {

template <typename Id, typename T, std::size_t N>
class RangedTable {
public:
    using Specs = std::array<EntrySpec<T>, N>;

    explicit RangedTable(const Specs& specs)
        : specs_(specs), values_(makeValues(specs, std::make_index_sequence<N>{}))
    {
    }

    // An id outside the table (a cast from a bad number) reads as zero and
    // is refused, rather than reaching past the end.
    T get(Id id) const
    {
        const std::size_t i = index(id);
        return i < N ? values_[i].get() : T{};
    }
    bool set(Id id, T v)
    {
        const std::size_t i = index(id);
        return i < N ? values_[i].set(v) : false;
    }

    void resetAll()
    {
        for (std::size_t i = 0; i < N; ++i)
            values_[i].reset(specs_[i].initial);
    }

    const Specs& specs() const { return specs_; }

private:
    static std::size_t index(Id id) { return static_cast<std::size_t>(id); }

    template <std::size_t... I>
    static std::array<RangedValue<T>, N> makeValues(const Specs& s, std::index_sequence<I...>)
    {
        return {{RangedValue<T>(s[I].lower, s[I].upper, s[I].initial)...}};
    }

    const Specs& specs_;
    std::array<RangedValue<T>, N> values_;
};

} // namespace qx
