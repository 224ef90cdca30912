// The MENU LIST window against the simulated radio: the engine on its
// threads, hosted on this Qt loop as the program hosts it; the main window
// takes the link's notices where it has a part (the reopen-menu box).
#include "menu/ui/MenuListDlg.h"
#include "menu/ui/MenuSettingDlg.h"
#include "panel/MainPanelDlg.h"
#include "tests/integration/EngineRig.h"
#include "windows/WindowContext.h"
#include "tests/gui/GuiWait.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace qx::test {
namespace {

constexpr int kCwSpeedSlot = 21;
constexpr int kBandSlot = 65;

std::string radioAnswer(const sim::SimulatedRadio& radio, const std::string& read)
{
    sim::RadioModel model = radio.model();
    const auto answers = model.handle(read);
    return answers.empty() ? std::string() : answers.front();
}

class MenuListEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.simStarted());
        rig.engine().startUp();
        ASSERT_TRUE(rig.linkUp());
    }

    void TearDown() override
    {
        rig.bridge().setMessageHandler([](const Message&) {});
        if (mainWindow)
            for (QMessageBox* b : mainWindow->messageBoxes())
                b->close();
    }

    void open()
    {
        window = std::make_unique<CMenuListDlg>(ctx, nullptr, &memory);
        window->show();
    }

    void select(int slot)
    {
        for (int r = 0; r < window->rows().size(); ++r)
            if (window->rows().row(r).slot == slot)
                window->list()->setCurrentRow(r);
    }

    // Opens the selected row's setting dialog with Enter, lets `act` change
    // it and presses its OK.
    void change(int slot, const std::function<void(QWidget*)>& act)
    {
        select(slot);
        QTimer::singleShot(0, [act] {
            auto* dlg = qobject_cast<MenuSettingDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            act(dlg);
            QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
        });
        QTest::keyClick(window->list(), Qt::Key_Return);
    }

    EngineRig rig;
    WindowContext ctx{rig.engine(), rig.radio(), rig.command(), rig.menu(), rig.engine().flags(),
                      [this](const std::string& s) { return rig.engine().sendRaw(s); }};
    MenuListMemory memory;
    std::unique_ptr<CMenuListDlg> window;
    std::unique_ptr<CMainPanelDlg> mainWindow;
};

TEST_F(MenuListEndToEnd, ConfirmedChangesReachTheRadio)
{
    ASSERT_EQ(radioAnswer(rig.sim(), "EX021;"), "EX02112;");
    open();
    change(kCwSpeedSlot, [](QWidget* dlg) {
        auto* list = dlg->findChild<QListWidget*>("choices");
        list->setCurrentItem(list->findItems("20", Qt::MatchExactly).front());
    });
    change(kBandSlot, [](QWidget* dlg) { dlg->findChild<QCheckBox*>("flag0")->setChecked(false); });
    const std::size_t from = rig.sim().log().size();
    QTest::mouseClick(window->okButton(), Qt::LeftButton);

    ASSERT_TRUE(rig.waitUntil([&] { return window->finished(); }));
    ASSERT_TRUE(rig.waitUntil([&] {
        return radioAnswer(rig.sim(), "EX021;") == "EX02120;" && radioAnswer(rig.sim(), "EX065;") == "EX06501111111111;";
    }));
    // The flag entry is read back after it was written.
    ASSERT_TRUE(rig.sim().log().waitForText(sim::Direction::Received, "EX065;", std::chrono::seconds(15), from));
    std::vector<std::string> received;
    const auto events = rig.sim().log().events();
    for (std::size_t i = from; i < events.size(); ++i)
        if (events[i].direction == sim::Direction::Received)
            received.push_back(events[i].text);
    const auto set = std::find(received.begin(), received.end(), "EX06501111111111;");
    const auto read = std::find(received.begin(), received.end(), "EX065;");
    ASSERT_NE(set, received.end());
    EXPECT_LT(set, read);
    EXPECT_EQ(rig.menu().getEntry(kCwSpeedSlot).value, 20);
    EXPECT_EQ(rig.menu().getEntry(kBandSlot).value, 1023);
    EXPECT_FALSE(rig.menu().getEntry(kBandSlot).changed);
}

// The program's own path: the engine's notices go to the main window, which
// owns the MENU LIST window and raises the box.
TEST_F(MenuListEndToEnd, MenuChangedWhileOpenRaisesTheReopenBoxOnce)
{
    const QString reopen = QStringLiteral("Update the menu setting.\nPlease close and open the menu window.");
    mainWindow = std::make_unique<CMainPanelDlg>(ctx);
    int menuChanges = 0;
    rig.bridge().setMessageHandler([&](const Message& m) {
        menuChanges += m.id == UM_ANS_OTHER ? 1 : 0;
        mainWindow->onMessage(m);
    });
    auto boxes = [&] {
        std::vector<QString> texts;
        for (QMessageBox* b : mainWindow->messageBoxes())
            texts.push_back(b->text());
        return texts;
    };
    ASSERT_TRUE(mainWindow->openAux(AuxKind::MenuList));
    auto* list = qobject_cast<CMenuListDlg*>(mainWindow->auxWindow(AuxKind::MenuList));
    ASSERT_NE(list, nullptr);
    const std::string speedLine = list->list()->item(20)->text().toStdString();
    ASSERT_NE(speedLine.find(" 12wpm"), std::string::npos) << speedLine;

    rig.engine().sendRaw("EX02125;");
    ASSERT_TRUE(rig.waitUntil([&] { return menuChanges >= 1; }));
    rig.engine().sendRaw("EX02130;");
    ASSERT_TRUE(rig.waitUntil([&] { return menuChanges >= 2; }));
    EXPECT_EQ(boxes(), std::vector<QString>{reopen}) << "one box at a time";
    // The open list is not refreshed behind the operator's back.
    EXPECT_EQ(list->list()->item(20)->text().toStdString(), speedLine);

    mainWindow->messageBoxes().front()->close();
    QX_WAIT_ASSERT(mainWindow->messageBoxes().isEmpty(), 5000);
    // Counted from here: a late echo of an earlier change must not stand in.
    const int before = menuChanges;
    rig.engine().sendRaw("EX02131;");
    ASSERT_TRUE(rig.waitUntil([&] { return menuChanges > before && !boxes().empty(); }));
    EXPECT_EQ(boxes(), std::vector<QString>{reopen}) << "a new box once the first is gone";
}

} // namespace
} // namespace qx::test
