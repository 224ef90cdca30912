#include "state/CommandState.h"

namespace qx {

namespace {
// Variadic, because QX_ANY stands for both bounds.
#define QX_INT_ROW(id, ...) IntEntrySpec{#id, __VA_ARGS__},
constexpr std::array<IntEntrySpec, CommandState::kIntCount> kIntEntries{
    {QX_COMMAND_INT_ENTRIES(QX_INT_ROW)}};
#undef QX_INT_ROW
} // namespace

CommandState::CommandState() : ints_(kIntEntries) {}

const std::array<IntEntrySpec, CommandState::kIntCount>& CommandState::intEntries()
{
    return kIntEntries;
}

std::optional<CommandState::Int> CommandState::findEntryByName(std::string_view name)
{
    return findEntry<Int>(kIntEntries, name);
}

CommandState& commandState()
{
    static CommandState state;
    return state;
}

} // namespace qx
