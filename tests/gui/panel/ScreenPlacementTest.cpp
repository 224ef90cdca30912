// Every window whole on a small screen: the placement rule on its own, then
// the real windows shown on fake screens: the smallest the program promises
// to fit (1024 x 600, less a 40-pixel desktop bar), and one smaller still,
// 800 x 450 (a 1600 x 900 screen at twice the scale), where what can shrink
// must.
#include "core/MessageIds.h"
#include "panel/MainPanelDlg.h"
#include "panel/PanelScale.h"
#include "panel/controller/PanelControllerHost.h"
#include "serial/TrafficTap.h"
#include "tests/gui/GuiWait.h"
#include "tests/gui/WindowWorld.h"
#include "widgets/ScreenKeeper.h"
#include "widgets/WindowPlacement.h"
#include "windows/AuxWindow.h"
#include "windows/CatMonitorDlg.h"

#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace qx {
namespace {

const QRect kScreen(40, 30, 800, 450);
const QRect kPromised(0, 40, 1024, 560);

TEST(WindowPlacement, NewWindowsCentreOverTheirParentAndStayInside)
{
    WindowToPlace w;
    w.geometry = QRect(0, 0, 200, 100);
    w.frame = QMargins(4, 24, 4, 4);
    w.parent = QRect(300, 200, 400, 300);
    const QRect centred = placeWindow(w, kScreen);
    EXPECT_EQ(centred.size(), QSize(200, 100));
    EXPECT_EQ(centred.adjusted(-4, -24, 4, 4).center(), w.parent->center());

    // Near the screen's edge the window is pushed inside, decorations too.
    w.parent = QRect(760, 420, 100, 60);
    const QRect pushed = placeWindow(w, kScreen).adjusted(-4, -24, 4, 4);
    EXPECT_TRUE(kScreen.contains(pushed)) << pushed.x() << "," << pushed.y();
}

TEST(WindowPlacement, TooLargeWindowsShrinkButNotBelowTheirMinimum)
{
    WindowToPlace w;
    w.geometry = QRect(500, 400, 1012, 470);
    w.minimum = QSize(300, 200);
    w.placed = true;
    const QRect shrunk = placeWindow(w, kScreen);
    EXPECT_EQ(shrunk, kScreen) << "shrunk to the screen and moved onto it";

    w.minimum = QSize(900, 200);
    const QRect wide = placeWindow(w, kScreen);
    EXPECT_EQ(wide.width(), 900);
    EXPECT_EQ(wide.topLeft(), kScreen.topLeft()) << "its top-left corner, title bar and all, stays on screen";

    // A window the operator placed stays where it is when it fits.
    w = {};
    w.geometry = QRect(100, 100, 200, 100);
    w.placed = true;
    EXPECT_EQ(placeWindow(w, kScreen), w.geometry);
}

class SmallScreen : public ::testing::Test, public test::WindowWorld {
protected:
    SmallScreen()
    {
        keeper.setAvailableArea(kScreen);
        ctx.traffic = &tap;
        window = std::make_unique<CMainPanelDlg>(ctx);
        window->controller().setWaitBoxRunner([] {});
    }
    ~SmallScreen() override
    {
        for (QMessageBox* b : window->messageBoxes())
            b->close();
    }
    // Shown and settled (the keeper places once more after the first paint).
    void showSettled(QWidget* w)
    {
        w->show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    static bool onScreen(const QWidget* w, const QRect& screen = kScreen) { return screen.contains(w->frameGeometry()); }

    TrafficTap tap;
    ScreenKeeper keeper;
    std::unique_ptr<CMainPanelDlg> window;
};

TEST_F(SmallScreen, TheMainWindowAtTwiceTheSizeShrinksAndKeepsTheWholePanel)
{
    window->view().setScale(2.0);
    window->resize(panel::panelSizeAt(2.0) + QSize(0, 60));
    showSettled(window.get());
    EXPECT_TRUE(onScreen(window.get()));
    EXPECT_LT(window->panelScale(), 1.0);
    const QRect panel(window->view().fromPanel(QPoint(0, 0)), window->view().fromPanel(QPoint(842, 319)));
    EXPECT_TRUE(window->view().rect().contains(panel)) << "no part of the panel is cut off";
}

TEST_F(SmallScreen, EveryWindowOpensWhollyOnThePromisedScreenAndMenuListScrollsOnASmallerOne)
{
    keeper.setAvailableArea(kPromised);
    showSettled(window.get());
    EXPECT_TRUE(onScreen(window.get(), kPromised));
    for (AuxKind kind : {AuxKind::MenuList, AuxKind::CommandSend, AuxKind::Cw, AuxKind::Repeater, AuxKind::MicEq,
                         AuxKind::Contour, AuxKind::Playback}) {
        ASSERT_TRUE(window->openAux(kind));
        AuxWindow* w = window->auxWindow(kind);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_TRUE(onScreen(w, kPromised)) << w->windowTitle().toStdString();
    }
    CCatMonitorDlg* monitor = window->openCatMonitor();
    ASSERT_NE(monitor, nullptr);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(onScreen(monitor, kPromised));

    // MENU LIST (1012 x 470 of controls) scrolls rather than overflows, and
    // its buttons can be reached.
    keeper.setAvailableArea(kScreen);
    AuxWindow* list = window->auxWindow(AuxKind::MenuList);
    list->hide();
    showSettled(list);
    EXPECT_TRUE(onScreen(list));
    auto* page = list->findChild<QScrollArea*>(QStringLiteral("menuListPage"));
    ASSERT_NE(page, nullptr);
    EXPECT_GT(page->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(page->verticalScrollBar()->maximum(), 0);
    QPushButton* ok = nullptr;
    for (QPushButton* b : list->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("OK"))
            ok = b;
    ASSERT_NE(ok, nullptr);
    page->ensureWidgetVisible(ok);
    EXPECT_FALSE(ok->visibleRegion().isEmpty());
}

TEST_F(SmallScreen, MessageBoxesOpenCentredOverTheWindow)
{
    window->resize(600, 300);
    window->move(120, 90);
    showSettled(window.get());
    window->onMessage({UM_SHOW_ERROR, 1, 0});
    QX_WAIT_ASSERT(!window->messageBoxes().isEmpty(), 5000);
    QMessageBox* box = window->messageBoxes().front();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(onScreen(box));
    const QPoint offset = box->frameGeometry().center() - window->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

} // namespace
} // namespace qx
