#include "menu/MenuTable.h"

#include "menu/MenuValue.h"

namespace qx {

bool MenuTable::setCount(int n)
{
    if (n < 0 || n > kMaxSlots)
        return false;
    count_.store(n, std::memory_order_release);
    return true;
}

MenuItem MenuTable::getEntry(int slot) const
{
    if (!validSlot(slot))
        return MenuItem{};
    std::lock_guard lock(mutex_);
    return slots_[static_cast<std::size_t>(slot)];
}

bool MenuTable::putEntry(int slot, const MenuItem& item)
{
    if (!validSlot(slot))
        return false;
    std::lock_guard lock(mutex_);
    slots_[static_cast<std::size_t>(slot)] = item;
    return true;
}

bool MenuTable::update(int slot, const std::function<bool(MenuItem&)>& fn)
{
    if (!validSlot(slot) || !fn)
        return false;
    std::lock_guard lock(mutex_);
    return fn(slots_[static_cast<std::size_t>(slot)]);
}

int MenuTable::kindOf(int slot) const
{
    if (!validSlot(slot) || slot > count())
        return -1;
    std::lock_guard lock(mutex_);
    return slots_[static_cast<std::size_t>(slot)].kind;
}

int MenuTable::widthOf(int slot) const
{
    if (!validSlot(slot) || slot > count())
        return 0;
    std::lock_guard lock(mutex_);
    return slots_[static_cast<std::size_t>(slot)].width;
}

int MenuTable::slotByKindLocked(int kind) const
{
    const int n = count();
    for (int slot = 1; slot <= n; ++slot)
        if (slots_[static_cast<std::size_t>(slot)].kind == kind)
            return slot;
    return 0;
}

double MenuTable::valueByKind(int kind) const
{
    std::lock_guard lock(mutex_);
    const int slot = slotByKindLocked(kind);
    return slot == 0 ? 1.0 : slots_[static_cast<std::size_t>(slot)].value;
}

bool MenuTable::setValueByKind(int kind, double value)
{
    std::lock_guard lock(mutex_);
    const int slot = slotByKindLocked(kind);
    if (slot == 0)
        return false;
    slots_[static_cast<std::size_t>(slot)].value = value;
    return true;
}

std::optional<MenuItem> MenuTable::entryByKind(int kind) const
{
    std::lock_guard lock(mutex_);
    const int slot = slotByKindLocked(kind);
    if (slot == 0)
        return std::nullopt;
    return slots_[static_cast<std::size_t>(slot)];
}

int MenuTable::slotByKind(int kind) const
{
    std::lock_guard lock(mutex_);
    return slotByKindLocked(kind);
}

int MenuTable::settingByKind(int kind) const { return menuInt(valueByKind(kind)); }

MenuTable& menuTable()
{
    static MenuTable table;
    return table;
}

} // namespace qx
