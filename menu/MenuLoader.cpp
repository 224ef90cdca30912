#include "menu/MenuLoader.h"

#include "core/MessageIds.h"
#include "menu/MenuDefinition.h"

namespace qx {

void MenuLoader::handle(const Message& m)
{
    if (m.id == UM_MENU_LOAD) {
        load();
        // Ready is announced only on the way out, after everything queued before it.
        if (outbox_)
            outbox_->postToThread(ThreadId::MenuLoad, Message{UM_THREAD_QUIT, 0, 0});
    } else if (m.id == UM_THREAD_QUIT) {
        finish();
    }
}

void MenuLoader::load()
{
    table_.setCount(kMenuSlotCount);
    for (const MenuRow& row : menuDefinition())
        table_.putEntry(row.slot, makeMenuItem(row));
    if (hooks_.setHighestMenuNumber)
        hooks_.setHighestMenuNumber(table_.count());
}

void MenuLoader::finish()
{
    if (hooks_.setMenuReady)
        hooks_.setMenuReady();
}

} // namespace qx
