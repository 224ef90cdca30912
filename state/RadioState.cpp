#include "state/RadioState.h"

namespace qx {

namespace {
#define QX_INT_ROW(id, lower, upper, initial) IntEntrySpec{#id, lower, upper, initial},
#define QX_REAL_ROW(id, lower, upper, initial) RealEntrySpec{#id, lower, upper, initial},
constexpr std::array<IntEntrySpec, RadioState::kIntCount> kIntEntries{
    {QX_RADIO_INT_ENTRIES(QX_INT_ROW)}};
constexpr std::array<RealEntrySpec, RadioState::kRealCount> kRealEntries{
    {QX_RADIO_REAL_ENTRIES(QX_REAL_ROW)}};
#undef QX_INT_ROW
#undef QX_REAL_ROW
} // namespace

RadioState::RadioState() : ints_(kIntEntries), reals_(kRealEntries) {}

void RadioState::initialise()
{
    setMenuReady(false);
    setPowerOnReenable(false);
    setAiBeforePowerOff(0);
    ints_.resetAll();
    reals_.resetAll();
    keyer_.clear();
    channels_.clear();
}

const std::array<IntEntrySpec, RadioState::kIntCount>& RadioState::intEntries()
{
    return kIntEntries;
}

const std::array<RealEntrySpec, RadioState::kRealCount>& RadioState::realEntries()
{
    return kRealEntries;
}

std::optional<RadioState::Entry> RadioState::findEntryByName(std::string_view name)
{
    if (auto id = findEntry<Int>(kIntEntries, name))
        return Entry{*id};
    if (auto id = findEntry<Real>(kRealEntries, name))
        return Entry{*id};
    return std::nullopt;
}

RadioState& radioState()
{
    static RadioState state;
    return state;
}

} // namespace qx
