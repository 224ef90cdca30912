#include "menu/MenuValueRange.h"

#include "menu/MenuKind.h"
#include "menu/MenuText.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qx {
namespace {

bool isFlags(int kind) { return kind == MenuKind::BandFlags || kind == MenuKind::ModeFlags; }

int flagMask(const MenuItem& item)
{
    int mask = 0;
    for (int i = 0; i < item.valueCount; ++i)
        mask |= flagWeight(item.kind, i);
    return mask;
}

bool reachesZero(int kind)
{
    return kind == MenuKind::NamedNumber || kind == MenuKind::Pitch || kind == MenuKind::Level;
}

} // namespace

std::optional<MenuValueSpan> menuValueSpan(const MenuItem& item)
{
    if (item.kind == MenuKind::Vacant)
        return std::nullopt;
    if (isFlags(item.kind))
        return MenuValueSpan{0, static_cast<double>(flagMask(item))};
    if (item.kind == MenuKind::BeaconText)
        return MenuValueSpan{item.min, item.max};
    const int count = static_cast<int>(menuChoices(item).texts.size());
    // Stored values rise with the choice everywhere but in the tone list,
    // which is short; the ends are enough for the rest (one list is 1000 long).
    std::vector<int> indices;
    if (item.kind == MenuKind::Tone) {
        for (int i = 0; i < count; ++i)
            indices.push_back(i);
    } else if (count > 0) {
        indices = {0, count - 1};
    }
    std::optional<MenuValueSpan> span;
    for (int i : indices) {
        const auto v = storedValueFromChoice(item, i);
        if (!v)
            continue;
        if (!span)
            span = MenuValueSpan{*v, *v};
        span->lowest = std::min(span->lowest, *v);
        span->highest = std::max(span->highest, *v);
    }
    if (span && reachesZero(item.kind))
        span->lowest = std::min(span->lowest, 0.0);
    return span;
}

bool menuValueAllowed(const MenuItem& item, double value)
{
    const auto span = menuValueSpan(item);
    if (!span || !std::isfinite(value) || value != std::trunc(value) || value < span->lowest || value > span->highest)
        return false;
    return !isFlags(item.kind) || (static_cast<int>(value) & ~flagMask(item)) == 0;
}

bool displayTextOk(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return (c >= 0x20 && c <= 0x5F && c != ';') || c == '{'; });
}

} // namespace qx
