// The set-up windows on fakes: the compare view lists what differs with
// check boxes, restores only what is checked, and marks each row with what
// the radio confirmed; the save window writes the file and says why when
// it cannot. Set QX_SCREENSHOT_DIR to keep a picture of the compare view.
#include "backup/SetupFileIo.h"
#include "backup/SetupSnapshot.h"
#include "menu/MenuLoader.h"
#include "tests/TempDir.h"
#include "tests/gui/GuiWait.h"
#include "tests/gui/windows/WindowFixture.h"
#include "windows/SetupCompareDlg.h"
#include "windows/SetupSaveDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace qx::test {
namespace {

using RInt = RadioState::Int;

struct SetupWindowsTest : WindowFixture, ::testing::Test {
    SetupWindowsTest()
    {
        MenuLoader(menu, {[this](int n) { radio.set(RInt::HIGHEST_MENU, n); }, {}}).load();
        radio.set(RInt::AI, 1);
        radio.set(RInt::ID, 241);
        radio.setKeyerText(1, "CQ CQ DE QX1AB K");
    }
    void setMenu(int slot, double value)
    {
        menu.update(slot, [value](MenuItem& item) {
            item.value = value;
            return true;
        });
    }
    std::string save()
    {
        std::string why;
        const auto path = (dir.path / "radio.json").string();
        EXPECT_TRUE(saveSetupFile(path, snapshotSetup(menu, radio, std::nullopt, {}, "test", "now"), why)) << why;
        return path;
    }
    QString cell(const CSetupCompareDlg& dlg, int row, int column)
    {
        return dlg.table()->item(row, column)->text();
    }

    TempDir dir;
};

TEST_F(SetupWindowsTest, CompareListsDifferencesAndRestoresOnlyTheCheckedOnes)
{
    const std::string path = save();
    setMenu(21, 30); // CWSPEED
    setMenu(29, 3);  // DIALSTP
    setMenu(10, 3);  // CATRATE
    radio.setKeyerText(1, "QRZ");

    CSetupCompareDlg dlg(ctx);
    dlg.fileField()->setText(QString::fromStdString(path));
    QTest::mouseClick(dlg.compareButton(), Qt::LeftButton);
    QX_WAIT_ASSERT(dlg.table()->rowCount() == 4, 5000);
    using C = CSetupCompareDlg::Column;
    EXPECT_EQ(cell(dlg, 0, C::Setting), "CATRATE");
    EXPECT_EQ(cell(dlg, 0, C::Saved), "4800bps");
    EXPECT_EQ(cell(dlg, 0, C::Now), "19200bps");
    EXPECT_TRUE(cell(dlg, 0, C::Note).startsWith("By hand:"));
    EXPECT_FALSE(dlg.table()->item(0, C::Setting)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(cell(dlg, 1, C::Setting), "CWSPEED");
    EXPECT_EQ(cell(dlg, 2, C::Setting), "DIALSTP");
    EXPECT_EQ(cell(dlg, 3, C::Now), "\"QRZ\"");
    for (int row = 1; row < 4; ++row)
        EXPECT_EQ(dlg.table()->item(row, C::Setting)->checkState(), Qt::Checked);
    EXPECT_TRUE(dlg.restoreButton()->isEnabled());
    EXPECT_TRUE(outbox.threadPosts.empty()) << "comparing sends nothing";

    if (const char* shots = std::getenv("QX_SCREENSHOT_DIR")) {
        dlg.resize(900, 330);
        dlg.show();
        QTest::qWait(50);
        dlg.grab().save(QString::fromLocal8Bit(shots) + "/compare.png");
    }

    dlg.table()->item(2, C::Setting)->setCheckState(Qt::Unchecked);
    QTest::mouseClick(dlg.restoreButton(), Qt::LeftButton);
    EXPECT_FALSE(dlg.restoreButton()->isEnabled());
    // The radio answers the read-back of CWSPEED, then of the keyer memory.
    ASSERT_EQ(requests().back(), (std::pair<std::uint32_t, std::int64_t>{UM_REQ_EX_READ, 21}));
    setMenu(21, 12);
    dlg.onNotification({UM_ANS_OTHER, 0, 0});
    ASSERT_EQ(sent, (std::vector<std::string>{"KM1CQ CQ DE QX1AB K;", "KM1;"}));
    radio.setKeyerText(1, "CQ CQ DE QX1AB K");
    radio.set(RInt::KM_SELECTED, 1);
    dlg.onNotification({UM_ANS_KM, 0, 0});
    QX_WAIT_ASSERT(dlg.compareButton()->isEnabled(), 5000);
    EXPECT_EQ(cell(dlg, 1, C::Note), "restored");
    EXPECT_EQ(cell(dlg, 2, C::Note), "");
    EXPECT_EQ(cell(dlg, 3, C::Note), "restored");
    EXPECT_TRUE(cell(dlg, 0, C::Note).startsWith("By hand:"));
    EXPECT_TRUE(dlg.statusLine()->text().startsWith("2 of 3 restored. Not restored:"));
    EXPECT_TRUE(dlg.statusLine()->text().contains("CATRATE: left to the operator"));
    EXPECT_EQ(menu.getEntry(29).value, 3) << "the unchecked setting was left alone";
}

TEST_F(SetupWindowsTest, CompareSaysWhyABadFileIsRefused)
{
    CSetupCompareDlg dlg(ctx);
    dir.write("bad.json", "{\"format\": \"qx720-setup\", \"formatVersion\": 7}");
    dlg.fileField()->setText(QString::fromStdString((dir.path / "bad.json").string()));
    QTest::mouseClick(dlg.compareButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg.statusLine()->text().contains("format version 7"));
    EXPECT_EQ(dlg.table()->rowCount(), 0);
    EXPECT_FALSE(dlg.restoreButton()->isEnabled());
    EXPECT_TRUE(outbox.threadPosts.empty());
}

TEST_F(SetupWindowsTest, SaveWritesTheFileOrSaysWhyNot)
{
    CSetupSaveDlg dlg(ctx);
    EXPECT_TRUE(dlg.fileField()->text().endsWith(".json"));
    if (const char* shots = std::getenv("QX_SCREENSHOT_DIR")) {
        dlg.show();
        QTest::qWait(50);
        dlg.grab().save(QString::fromLocal8Bit(shots) + "/save.png");
    }
    dlg.channelsBox()->setChecked(false);
    const auto path = dir.path / "saved.json";
    dlg.fileField()->setText(QString::fromStdString(path.string()));
    QTest::mouseClick(dlg.saveButton(), Qt::LeftButton);
    QX_WAIT_ASSERT(dlg.statusLine()->text().startsWith("saved"), 5000);
    const SetupParse back = loadSetupFile(path, menu);
    ASSERT_TRUE(back.file) << back.error;
    EXPECT_EQ(back.file->keyer[0].text, "CQ CQ DE QX1AB K");
    EXPECT_TRUE(outbox.threadPosts.empty()) << "without channels nothing goes to the radio";

    radio.set(RInt::AI, 0);
    QTest::mouseClick(dlg.saveButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg.statusLine()->text().contains("not linked"));
}

} // namespace
} // namespace qx::test
