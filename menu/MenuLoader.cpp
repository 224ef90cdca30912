#include "menu/MenuLoader.h"

#include "menu/MenuDefinition.h"

namespace qx {

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
