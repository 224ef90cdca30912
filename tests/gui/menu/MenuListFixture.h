// A MENU LIST window on a freshly loaded menu table and fake collaborators:
// requests and window notices land in a FakeOutbox, raw sends in a list.
#pragma once
#include "core/MessageIds.h"
#include "menu/MenuLoader.h"
#include "menu/MenuTable.h"
#include "menu/ui/MenuListDlg.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"
#include "tests/gui/WindowWorld.h"
#include "windows/WindowContext.h"

#include <QListWidget>

#include <memory>
#include <string>
#include <vector>

namespace qx::test {

class MenuListFixture : public WindowWorld {
public:
    MenuListFixture()
    {
        MenuLoader(menu, {}).load();
    }

    CMenuListDlg& open()
    {
        window = std::make_unique<CMenuListDlg>(ctx, nullptr, &memory);
        return *window;
    }

    std::string line(int row) const { return window->list()->item(row)->text().toStdString(); }

    // Index of the list row that shows a menu slot.
    int rowOfSlot(int slot) const
    {
        for (int r = 0; r < window->rows().size(); ++r)
            if (window->rows().row(r).slot == slot)
                return r;
        return -1;
    }

    int threadPostsOf(std::uint32_t id) const
    {
        int n = 0;
        for (const auto& p : outbox.threadPosts)
            n += p.m.id == id ? 1 : 0;
        return n;
    }
    int windowSendsOf(std::uint32_t id) const
    {
        int n = 0;
        for (const auto& m : outbox.windowSends)
            n += m.id == id ? 1 : 0;
        return n;
    }

    MenuListMemory memory;
    std::unique_ptr<CMenuListDlg> window;
};

} // namespace qx::test
