#include "tests/gui/menu/MenuListFixture.h"

#include <QTest>

#include <gtest/gtest.h>

namespace qx::test {
namespace {

// Before, a sliver of row 26 showed at the list's foot.
TEST(MenuListLook, EveryRowInViewIsWhole)
{
    MenuListFixture fx;
    CMenuListDlg& w = fx.open();
    w.show();
    QListWidget* list = w.list();
    const QRect view = list->viewport()->rect();
    int whole = 0;
    for (int r = 0; r < list->count(); ++r) {
        const QRect item = list->visualItemRect(list->item(r));
        if (!item.intersects(view))
            continue;
        EXPECT_TRUE(view.contains(item)) << "row " << r << " is cut at " << view.bottom();
        ++whole;
    }
    EXPECT_GE(whole, 20);
    // Scrolled to its end, the last row is whole as well.
    list->scrollToBottom();
    EXPECT_TRUE(view.contains(list->visualItemRect(list->item(list->count() - 1))));
}

} // namespace
} // namespace qx::test
