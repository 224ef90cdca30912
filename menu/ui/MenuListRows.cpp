#include "menu/ui/MenuListRows.h"

#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "menu/MenuText.h"

namespace qx {
namespace {

std::string_view shownText(const MenuItem& item)
{
    return item.changed ? item.newText.view() : item.text.view();
}

// One step of a cursor over 0..count-1 that wraps at both ends.
int wrapped(int cursor, int direction, int count)
{
    if (count <= 0)
        return -1;
    if (cursor < 0 || cursor >= count)
        cursor = count - 1;
    return ((cursor + direction) % count + count) % count;
}

} // namespace

void MenuListRows::load(const MenuTable& table)
{
    rows_.clear();
    bandFlag_ = -1;
    modeFlag_ = -1;
    textOffset_ = 0;
    for (int slot = 1; slot <= table.count(); ++slot) {
        MenuItem item = table.getEntry(slot);
        if (item.kind == MenuKind::Vacant)
            continue;
        if (item.kind == MenuKind::BandFlags && bandFlag_ < 0)
            bandFlag_ = item.valueCount - 1;
        if (item.kind == MenuKind::ModeFlags && modeFlag_ < 0)
            modeFlag_ = item.valueCount - 1;
        rows_.push_back({slot, item});
    }
}

const MenuListRow& MenuListRows::row(int r) const
{
    static const MenuListRow none{};
    return valid(r) ? rows_[static_cast<std::size_t>(r)] : none;
}

MenuItem* MenuListRows::item(int r)
{
    return valid(r) ? &rows_[static_cast<std::size_t>(r)].item : nullptr;
}

int MenuListRows::flagCursor(int kind) const
{
    if (kind == MenuKind::BandFlags)
        return bandFlag_;
    if (kind == MenuKind::ModeFlags)
        return modeFlag_;
    return -1;
}

std::string MenuListRows::line(int r) const
{
    if (!valid(r))
        return {};
    const MenuItem& item = row(r).item;
    ListLineView view;
    view.flag = flagCursor(item.kind);
    view.textOffset = textOffset_;
    return listLine(item, view);
}

bool MenuListRows::scroll(int r, int direction)
{
    if (!valid(r) || (direction != 1 && direction != -1))
        return false;
    const MenuItem& item = row(r).item;
    switch (item.kind) {
    case MenuKind::BandFlags: bandFlag_ = wrapped(bandFlag_, direction, item.valueCount); return true;
    case MenuKind::ModeFlags: modeFlag_ = wrapped(modeFlag_, direction, item.valueCount); return true;
    case MenuKind::BeaconText: {
        const std::size_t length = shownText(item).size();
        if (length <= kBeaconTextShown)
            return false;
        if (textOffset_ >= length)
            textOffset_ = 0;
        if (direction > 0)
            textOffset_ = textOffset_ + 1 >= length ? 0 : textOffset_ + 1;
        else
            textOffset_ = textOffset_ == 0 ? length - 1 : textOffset_ - 1;
        return true;
    }
    default: return false;
    }
}

std::vector<int> MenuListRows::commit(MenuTable& table) const
{
    std::vector<int> slots;
    for (const MenuListRow& r : rows_) {
        if (!r.item.changed)
            continue;
        MenuItem entry = r.item;
        if (entry.kind == MenuKind::BeaconText)
            entry.text = entry.newText;
        entry.value = entry.newValue;
        if (table.putEntry(r.slot, entry))
            slots.push_back(r.slot);
    }
    return slots;
}

} // namespace qx
