// Where the panel and its boxes appear, and how its key captions fit.
#include "panel/KeyCaption.h"
#include "panel/LinkHint.h"
#include "panel/MainPanelDlg.h"

#include "core/MessageIds.h"
#include "tests/gui/GuiWait.h"
#include "tests/gui/WindowWorld.h"

#include <QHelpEvent>
#include <QMessageBox>
#include <QScreen>
#include <QToolTip>

#include <gtest/gtest.h>

namespace qx {
namespace {

class PanelPlacement : public ::testing::Test, public test::WindowWorld {
protected:
    ~PanelPlacement() override
    {
        for (auto* w : {&window, &placed})
            for (QMessageBox* b : (*w)->messageBoxes())
                b->close();
    }
    std::unique_ptr<CMainPanelDlg> make() { return std::make_unique<CMainPanelDlg>(ctx); }

    std::unique_ptr<CMainPanelDlg> window = make();
    std::unique_ptr<CMainPanelDlg> placed = make();
};

TEST_F(PanelPlacement, ThePanelOpensMidScreenAndTheFirstStartBoxOverIt)
{
    window->show();
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE((window->frameGeometry().center() - screen.center()).manhattanLength(), 2)
        << "not left for the window manager to move from the top-left corner";
    window->onMessage({UM_SHOW_ERROR, 1, 2}); // no settings file yet
    QX_WAIT_ASSERT(!window->messageBoxes().isEmpty(), 5000);
    const QMessageBox* box = window->messageBoxes().front();
    EXPECT_TRUE(box->text().startsWith("Failed to read the COM port configuration file."));
    EXPECT_EQ(box->informativeText().toStdString(), panel::kLinkHint) << "a first start says how to connect";
    EXPECT_TRUE(window->frameGeometry().contains(box->frameGeometry().center()));

    placed->move(40, 30);
    placed->show();
    EXPECT_EQ(placed->pos(), QPoint(40, 30)) << "a window placed already keeps its place";
}

TEST_F(PanelPlacement, TheLinkKeyTellsANewcomerHowToConnect)
{
    window->show();
    panel::PanelView& view = window->view();
    QHelpEvent onLink(QEvent::ToolTip, QPoint(50, 195), view.mapToGlobal(QPoint(50, 195)));
    QCoreApplication::sendEvent(&view, &onLink);
    EXPECT_EQ(QToolTip::text().toStdString(), panel::kLinkHint);
    EXPECT_TRUE(view.toolTipAt(QPoint(107, 195)).isEmpty()) << "the POWER key has none";
    window->onMessage({UM_SHOW_ERROR, 1, 0});
    QX_WAIT_ASSERT(!window->messageBoxes().isEmpty(), 5000);
    EXPECT_TRUE(window->messageBoxes().front()->informativeText().isEmpty()) << "other boxes carry no hint";
}

TEST(PanelKeyCaptions, EveryCaptionLeavesRoomAtBothEdgesOfItsKey)
{
    for (const panel::KeySpot& k : panel::kKeys)
        EXPECT_GE(panel::keyCaptionRoom(k), panel::kKeyCaptionMargin - 0.01) << k.caption;
}

} // namespace
} // namespace qx
