// Fills the menu table from the built-in definition once at start, then lets
// the rest of the program know: first the highest menu number, then that the
// menu is ready (the serial threads wait for that).
#pragma once
#include "menu/MenuTable.h"

#include <functional>

namespace qx {

struct MenuLoadHooks {
    std::function<void(int)> setHighestMenuNumber;
    std::function<void()> setMenuReady;
};

class MenuLoader {
public:
    MenuLoader(MenuTable& table, MenuLoadHooks hooks) : table_(table), hooks_(std::move(hooks)) {}

    // Puts every slot's built-in entry into the table and sets its count and
    // the highest menu number.
    void load();
    // Announces the finished table; called when the loading thread ends.
    void finish();

private:
    MenuTable& table_;
    MenuLoadHooks hooks_;
};

} // namespace qx
