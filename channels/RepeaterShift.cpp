#include "channels/RepeaterShift.h"

#include "menu/MenuKind.h"
#include "menu/MenuTable.h"

#include <cmath>

namespace qx {

std::optional<long long> repeaterShiftHz(const MenuTable& menu)
{
    const auto item = menu.entryByKind(MenuKind::Hundredths);
    if (!item || !std::isfinite(item->value) || item->value < 0 || item->value > 999)
        return std::nullopt;
    return static_cast<long long>(std::llround(item->value)) * 10000;
}

} // namespace qx
