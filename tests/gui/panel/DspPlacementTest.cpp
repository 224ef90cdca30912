// The knob windows open beside the display they work on, never over the
// frequency readout.
#include "panel/MainPanelDlg.h"
#include "panel/PanelView.h"
#include "tests/FakeOutbox.h"
#include "widgets/ScreenKeeper.h"
#include "widgets/WindowPlacement.h"
#include "windows/AuxWindow.h"
#include "menu/MenuTable.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <QTest>

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(PlaceClearOf, BelowTheWatchedPartThenBelowOrAboveTheParent)
{
    const QRect parent(100, 100, 843, 380);
    const QRect display(100, 130, 710, 158);
    const QSize outer(330, 140);
    const int centredX = 100 + (843 - 330) / 2;
    EXPECT_EQ(placeClearOf(outer, parent, display, QRect(0, 0, 1920, 1080)), QPoint(centredX, 288));
    // No room under the display on a short screen: under the parent? no; above it.
    EXPECT_EQ(placeClearOf(outer, parent, display, QRect(0, -400, 1920, 800)), QPoint(centredX, 100 - 140));
    // Nowhere whole: under the display, inside the screen.
    EXPECT_EQ(placeClearOf(outer, parent, display, QRect(0, 100, 1920, 300)), QPoint(centredX, 260));
}

// Before, they opened centred over the panel, on the frequency digits.
TEST(DspPlacement, KnobWindowsOpenClearOfTheDisplay)
{
    test::FakeOutbox outbox;
    RadioState radio;
    CommandState command;
    MenuTable menu;
    LinkFlags flags;
    WindowContext ctx{outbox, radio, command, menu, flags, [](const std::string&) { return true; }};
    ScreenKeeper keeper;
    CMainPanelDlg window(ctx, {});
    window.move(0, 0);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const panel::PanelView& view = window.view();
    const QRect display(view.mapToGlobal(view.fromPanel(QPoint(0, 0))),
                        view.mapToGlobal(view.fromPanel(QPoint(710, 158))));
    for (AuxKind kind : {AuxKind::Contour, AuxKind::Notch, AuxKind::Dnr, AuxKind::MicEq}) {
        ASSERT_TRUE(window.openAux(kind));
        AuxWindow* w = window.auxWindow(kind);
        QTest::qWait(20); // the keeper's second look, once the window has settled
        EXPECT_FALSE(w->frameGeometry().intersects(display))
            << w->windowTitle().toStdString() << " at " << w->frameGeometry().y() << " over the display to "
            << display.bottom();
        window.onMessage({auxWindowRow(kind).doneMessage, 0, 0});
    }
}

} // namespace
} // namespace qx
