// The menu list window's working copy of the setup menu: one row per listed
// entry with its slot, the flag cursors of "MY BAND" / "MY MODE", the
// scroll offset of the beacon text, and the confirmation that puts changed
// rows back into the shared table. No widgets, so the rules are testable
// on their own; the window only shows lines and forwards keys.
#pragma once
#include "menu/MenuItem.h"

#include <string>
#include <vector>

namespace qx {

class MenuTable;

struct MenuListRow {
    int slot = 0;
    MenuItem item;
};

class MenuListRows {
public:
    // Copies every listed entry of the table (vacant slots are skipped),
    // puts both flag cursors on their last flag and the text offset at 0.
    void load(const MenuTable& table);

    int size() const { return static_cast<int>(rows_.size()); }
    bool valid(int row) const { return row >= 0 && row < size(); }
    // Rows outside the list read as a default row (slot 0).
    const MenuListRow& row(int row) const;
    MenuItem* item(int row);

    // The list line of a row; empty outside the list.
    std::string line(int row) const;

    // Arrow keys on a row: flag cursor or beacon text offset one step right
    // (+1) or left (-1), wrapping. True when the row's line may have changed.
    bool scroll(int row, int direction);
    void resetTextOffset() { textOffset_ = 0; }

    int bandFlag() const { return bandFlag_; }
    int modeFlag() const { return modeFlag_; }
    std::size_t textOffset() const { return textOffset_; }

    // Puts every changed row back into its slot (pending value and text made
    // current, changed flag kept for the writer) and returns those slots.
    std::vector<int> commit(MenuTable& table) const;

private:
    int flagCursor(int kind) const;

    std::vector<MenuListRow> rows_;
    int bandFlag_ = -1;
    int modeFlag_ = -1;
    std::size_t textOffset_ = 0;
};

} // namespace qx
