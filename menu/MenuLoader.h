// Fills the menu table from the built-in definition once at start, then lets
// the rest of the program know: first the highest menu number, then that the
// menu is ready (the serial threads wait for that). The loading thread runs
// it through handle(); load() and finish() are the two halves on their own.
#pragma once
#include "core/Message.h"
#include "core/Outbox.h"
#include "menu/MenuTable.h"

#include <functional>

namespace qx {

struct MenuLoadHooks {
    std::function<void(int)> setHighestMenuNumber;
    std::function<void()> setMenuReady;
};

class MenuLoader {
public:
    MenuLoader(MenuTable& table, MenuLoadHooks hooks, Outbox* outbox = nullptr)
        : table_(table), hooks_(std::move(hooks)), outbox_(outbox)
    {
    }

    // UM_MENU_LOAD loads and asks the own thread to quit; UM_THREAD_QUIT
    // announces the finished table. Everything else is ignored.
    void handle(const Message& m);

    // Puts every slot's built-in entry into the table and sets its count and
    // the highest menu number.
    void load();
    // Announces the finished table.
    void finish();

private:
    MenuTable& table_;
    MenuLoadHooks hooks_;
    Outbox* outbox_;
};

} // namespace qx
