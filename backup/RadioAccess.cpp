#include "backup/RadioAccess.h"

#include "state/RadioState.h"

namespace qx {

std::optional<std::string> radioNotReady(const RadioState& radio, const LinkFlags& flags)
{
    if (radio.get(RadioState::Int::AI) != 1)
        return "the radio is not linked: press LINK first";
    if (radio.get(RadioState::Int::ID) == 0)
        return "the radio has not said which model it is yet";
    if (flags.waitBoxBusy.load())
        return "the radio's settings are still being read; try again when that ends";
    return std::nullopt;
}

} // namespace qx
