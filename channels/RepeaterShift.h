// The radio's one repeater shift, from its setup menu ("RPT SFT", in steps
// of 10 kHz): what every channel with a + or - shift transmits off by.
#pragma once
#include <optional>

namespace qx {

class MenuTable;

std::optional<long long> repeaterShiftHz(const MenuTable& menu);

} // namespace qx
