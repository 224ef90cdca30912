// The setting dialogs on their own: captions, what they offer and
// pre-select, and the pending change they leave behind on OK.
#include "menu/MenuDefinition.h"
#include "menu/ui/MenuChoiceDlg.h"
#include "menu/ui/MenuFlagsDlg.h"
#include "menu/ui/MenuSettingText.h"
#include "menu/ui/MenuTextDlg.h"
#include "menu/ui/MenuToneDlg.h"
#include "widgets/FilteredEdit.h"
#include "widgets/MarkedComboBox.h"
#include "widgets/MarkedItemDelegate.h"
#include "widgets/MarkedListBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qx::test {
namespace {

MenuItem entry(int slot)
{
    return makeMenuItem(menuDefinition()[static_cast<std::size_t>(slot - 1)]);
}

std::string currentText(QListWidget* list)
{
    return list->currentItem() ? list->currentItem()->text().toStdString() : std::string("<none>");
}

struct ChoiceCase {
    int slot;
    double value;
    const char* caption;
    const char* preselected;
    const char* pick;
    double stored;
};

TEST(MenuChoiceDlg, CaptionPreselectionAndStoredValue)
{
    const ChoiceCase cases[] = {
        {21, 12, "021  CWSPEED  (wpm)", "12", "20", 20},
        {16, 2, "016  CW DLY  (mSec)", "FULL", "FULL", 2},
        {16, 3, "016  CW DLY  (mSec)", "30", "3000", 300},
        {20, 0, "020  CWPITCH  (Hz)", "400", "700", 8},
        {64, 50, "060  VOXGAIN", "20", "20", 51},
        {7, 151, "007  BEEPVOL", "LNK 0", "FIX 100", 100},
        {25, -3, "025  D DISP  (Hz)", "-30", "-3000", -300},
        {50, 10, "046  RPT SFT  (MHz)", "0.10", "9.99", 999},
        {24, 30, "024  CWWEIGT", "3.0", "4.5", 45},
        {10, 1, "010  CATRATE  (bps)", "4800", "38400", 4},
        {29, 1, "027  DIALSTP  (Hz)", "10", "200", 4},
        {56, 2, "052  SELDIAL", "100K GRP", "RF POWER SET", 5},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.caption);
        MenuItem item = entry(c.slot);
        item.value = c.value;
        CMenuChoiceDlg dlg(item);
        EXPECT_EQ(dlg.windowTitle().toStdString(), "MENU LIST SETTING");
        EXPECT_EQ(dlg.caption()->text().toStdString(), c.caption);
        EXPECT_EQ(currentText(dlg.choices()), c.preselected);
        EXPECT_EQ(dlg.choices()->markedIndex(), dlg.choices()->currentRow()) << "the radio's value is the red one";
        const auto found = dlg.choices()->findItems(c.pick, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        dlg.choices()->setCurrentItem(found.front());
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        EXPECT_EQ(item.changed, c.stored != c.value);
        EXPECT_EQ(item.newValue, c.stored);
    }
}

TEST(MenuChoiceDlg, ChoicesAreComboItemsAndNothingIsMarkedWithoutAMatch)
{
    MenuItem item = entry(21);
    item.value = 12;
    CMenuChoiceDlg dlg(item);
    const auto* d = dynamic_cast<const MarkedItemDelegate*>(dlg.choices()->itemDelegate());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->sizeHint(QStyleOptionViewItem(), dlg.choices()->model()->index(0, 0)).height(),
              MarkedComboBox::kItemHeight);
    item.value = 999; // no such speed
    CMenuChoiceDlg none(item);
    EXPECT_EQ(currentText(none.choices()), "<none>");
    EXPECT_EQ(none.choices()->markedIndex(), -1) << "the first choice is not the radio's value";
}

TEST(MenuChoiceDlg, RechoosingTheCurrentValueClearsAPendingChange)
{
    MenuItem item = entry(21);
    item.changed = true;
    item.newValue = 30;
    CMenuChoiceDlg dlg(item);
    // Pre-selection follows the radio's value, not the pending one.
    EXPECT_EQ(currentText(dlg.choices()), "12");
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    EXPECT_FALSE(item.changed);
    EXPECT_EQ(item.newValue, 12);
}

TEST(MenuChoiceDlg, CancelAndOkWithoutSelectionChangeNothing)
{
    MenuItem item = entry(21);
    {
        CMenuChoiceDlg dlg(item);
        dlg.choices()->setCurrentRow(30);
        QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
    }
    EXPECT_FALSE(item.changed);
    EXPECT_EQ(item.newValue, 0);
    item.value = 99; // off the list: nothing pre-selected
    CMenuChoiceDlg dlg(item);
    EXPECT_TRUE(dlg.choices()->selectedItems().isEmpty());
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    EXPECT_FALSE(item.changed);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST(MenuChoiceDlg, DoubleClickActsAsOk)
{
    MenuItem item = entry(21);
    CMenuChoiceDlg dlg(item);
    QListWidgetItem* choice = dlg.choices()->findItems("60", Qt::MatchExactly).front();
    dlg.choices()->setCurrentItem(choice);
    emit dlg.choices()->itemDoubleClicked(choice);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(item.changed);
    EXPECT_EQ(item.newValue, 60);
}

std::vector<bool> ticks(const CMenuFlagsDlg& dlg)
{
    std::vector<bool> t;
    for (QCheckBox* b : dlg.boxes())
        t.push_back(b->isChecked());
    return t;
}

TEST(MenuFlagsDlg, BandBoxesFollowThePendingValueAndSumTheirWeights)
{
    MenuItem item = entry(65);
    item.changed = true;
    item.newValue = 1024 + 1; // 1.8 and GEN
    CMenuFlagsDlg dlg(item);
    EXPECT_EQ(dlg.caption()->text().toStdString(), "061  MY BAND");
    ASSERT_EQ(dlg.boxes().size(), 11u);
    EXPECT_EQ(dlg.boxes()[0]->text().toStdString(), "1.8");
    EXPECT_EQ(dlg.boxes()[10]->text().toStdString(), "GEN");
    EXPECT_EQ(ticks(dlg), (std::vector<bool>{true, false, false, false, false, false, false, false, false, false, true}));
    dlg.boxes()[2]->setChecked(true); // 7 MHz: 256
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    EXPECT_TRUE(item.changed);
    EXPECT_EQ(item.newValue, 1024 + 256 + 1);
}

TEST(MenuFlagsDlg, TickingBackToTheRadioValueClearsTheChange)
{
    MenuItem item = entry(66); // MY MODE, all six on
    item.changed = true;
    item.newValue = 62;
    CMenuFlagsDlg dlg(item);
    ASSERT_EQ(dlg.boxes().size(), 6u);
    EXPECT_FALSE(dlg.boxes()[5]->isChecked());
    dlg.boxes()[5]->setChecked(true);
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    EXPECT_FALSE(item.changed);
}

TEST(MenuTextDlg, BeaconTextRules)
{
    MenuItem item = entry(5);
    item.text = "CQ DE TEST";
    CMenuTextDlg dlg(item);
    EXPECT_EQ(dlg.caption()->text().toStdString(), "005  BCN TXT 1");
    EXPECT_EQ(dlg.field()->text().toStdString(), "CQ DE TEST");
    EXPECT_EQ(dlg.field()->maxLength(), 40);

    dlg.field()->clear();
    QTest::keyClicks(dlg.field(), "cq;d-x.,/7|}~");
    EXPECT_EQ(dlg.field()->text().toStdString(), "CQDX/7");
    dlg.accept();
    EXPECT_TRUE(item.changed);
    EXPECT_EQ(item.newText.view(), "CQDX/7");
    EXPECT_EQ(item.newValue, 1);
}

TEST(MenuTextDlg, SameTextClearsAndEmptyFieldKeepsThePendingChange)
{
    MenuItem item = entry(5);
    item.text = "ABC";
    item.changed = true;
    item.newValue = 1;
    item.newText = "XYZ";
    {
        CMenuTextDlg dlg(item);
        EXPECT_EQ(dlg.field()->text().toStdString(), "XYZ");
        dlg.field()->clear();
        dlg.accept();
    }
    EXPECT_TRUE(item.changed);
    EXPECT_EQ(item.newText.view(), "XYZ");
    CMenuTextDlg dlg(item);
    dlg.field()->setText("ABC");
    dlg.accept();
    EXPECT_FALSE(item.changed);
    EXPECT_EQ(item.newValue, 0);
    EXPECT_TRUE(item.newText.empty());
}

TEST(MenuSettingText, BeaconTextKeepsOnlyWhatTheDisplayShows)
{
    EXPECT_EQ(cleanBeaconText("abc;{}~\x01 _/"), "ABC{ _/");
    EXPECT_EQ(cleanBeaconText(std::string(50, 'Q')).size(), 40u);
}

TEST(MenuToneDlg, TonesAscendAlongEachRowAndTheCurrentToneIsSelected)
{
    MenuItem item = entry(60);
    item.value = 8; // 88.5
    CMenuToneDlg dlg(item);
    EXPECT_EQ(dlg.caption()->text().toStdString(), "056  TONE F  (Hz)");
    QListWidget* list = dlg.tones();
    ASSERT_EQ(list->count(), 50);
    EXPECT_EQ(list->item(0)->text().toStdString(), "  67.0");
    EXPECT_EQ(list->item(1)->text().toStdString(), "  69.3");
    EXPECT_EQ(list->item(49)->text().toStdString(), "  254.1");
    EXPECT_EQ(currentText(list), "  88.5");
    EXPECT_EQ(dlg.tones()->markedIndex(), list->currentRow());
    dlg.show();
    // Five to a row: the sixth tone starts the second row.
    EXPECT_EQ(list->visualItemRect(list->item(5)).left(), list->visualItemRect(list->item(0)).left());
    EXPECT_GT(list->visualItemRect(list->item(5)).top(), list->visualItemRect(list->item(4)).top());

    list->setCurrentRow(49);
    emit list->itemDoubleClicked(list->item(49));
    EXPECT_TRUE(item.changed);
    EXPECT_EQ(item.newValue, 49);
}

} // namespace
} // namespace qx::test

namespace qx::test {
namespace {

// The keyboard starts in the dialog's choices; Enter confirms, Esc cancels.
TEST(MenuSettingKeyboard, ArrowsMoveThroughTheChoicesAndEnterConfirms)
{
    MenuItem speed = entry(21); // CWSPEED 12
    CMenuChoiceDlg choice(speed);
    choice.show();
    ASSERT_EQ(choice.focusWidget(), choice.choices());
    QTest::keyClick(choice.focusWidget(), Qt::Key_Down);
    EXPECT_EQ(currentText(choice.choices()), "13");
    QTest::keyClick(choice.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(choice.result(), QDialog::Accepted);
    EXPECT_TRUE(speed.changed);
    EXPECT_EQ(speed.newValue, 13);

    MenuItem tone = entry(60);
    CMenuToneDlg tones(tone);
    tones.show();
    EXPECT_EQ(tones.focusWidget(), tones.tones());
    QTest::keyClick(tones.focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(tones.result(), QDialog::Rejected);
    EXPECT_FALSE(tone.changed);

    MenuItem modes = entry(66); // MY MODE, all on
    CMenuFlagsDlg flags(modes);
    flags.show();
    ASSERT_EQ(flags.focusWidget(), flags.boxes()[0]);
    QTest::keyClick(flags.focusWidget(), Qt::Key_Space);
    QTest::keyClick(flags.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(flags.result(), QDialog::Accepted);
    EXPECT_EQ(modes.newValue, 63 - 32) << "the space ticked off the first box";
}

TEST(MenuSettingKeyboard, BeaconTextTakesLettersAndSpacesTypedStraightAway)
{
    MenuItem beacon = entry(5);
    beacon.text = "";
    CMenuTextDlg dlg(beacon);
    dlg.show();
    ASSERT_EQ(dlg.focusWidget(), dlg.field());
    QTest::keyClicks(dlg.focusWidget(), "cq de qx1ab");
    EXPECT_EQ(dlg.field()->text().toStdString(), "CQ DE QX1AB");
    EXPECT_TRUE(dlg.isVisible()) << "a space is a character, not OK";
    QTest::keyClick(dlg.focusWidget(), Qt::Key_Home);
    EXPECT_EQ(dlg.field()->cursorPosition(), 0);
    QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(beacon.newText.view(), "CQ DE QX1AB");
}

} // namespace
} // namespace qx::test
