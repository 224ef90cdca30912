// The setup-menu entries, slots 1 to 67 (slot 0 holds nothing), shared by
// every thread. Whole entries are copied in and out under a small lock so a
// reader never sees half of an update; the count is a single atomic word.
#pragma once
#include "menu/MenuItem.h"

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>

namespace qx {

class MenuTable {
public:
    static constexpr int kMaxSlots = 67;

    // Slots in use: 0 until the definition is loaded.
    int count() const { return count_.load(std::memory_order_acquire); }
    // Refuses (false) a count outside 0 to kMaxSlots and keeps the old one.
    bool setCount(int n);

    // A copy of the slot's entry; a zeroed entry for a slot outside 1 to kMaxSlots.
    MenuItem getEntry(int slot) const;
    // False, storing nothing, for a slot outside 1 to kMaxSlots.
    bool putEntry(int slot, const MenuItem& item);
    // Changes one entry in place under the lock; `fn` returns whether it changed
    // anything, which is passed on. False without calling `fn` for a bad slot.
    bool update(int slot, const std::function<bool(MenuItem&)>& fn);

    // Kind and width of a slot without copying the whole entry; a slot
    // outside the slots in use reads as vacant with width 0.
    int kindOf(int slot) const;
    int widthOf(int slot) const;

    // Lookups by kind find the first entry in slot order among the slots in use.
    double valueByKind(int kind) const;          // 1.0 when no entry has that kind
    bool setValueByKind(int kind, double value); // false when none
    std::optional<MenuItem> entryByKind(int kind) const;
    int slotByKind(int kind) const;              // 0 when none
    // valueByKind as the whole number a setting is compared with (menuInt).
    int settingByKind(int kind) const;

private:
    static bool validSlot(int slot) { return slot >= 1 && slot <= kMaxSlots; }
    int slotByKindLocked(int kind) const;

    mutable std::mutex mutex_;
    std::array<MenuItem, kMaxSlots + 1> slots_{};
    std::atomic<int> count_{0};
};

// The process-wide table.
MenuTable& menuTable();

} // namespace qx
