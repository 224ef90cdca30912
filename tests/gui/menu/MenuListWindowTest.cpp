// The MENU LIST window: its rows, the flag and beacon scrolling, and what OK
// and CANCEL write and post.
#include "tests/gui/menu/MenuListFixture.h"

#include "menu/MenuKind.h"
#include "menu/ui/MenuSettingDlg.h"
#include "windows/MacroKeys.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace qx::test {
namespace {

constexpr int kBeaconSlot = 5;
constexpr int kCwSpeedSlot = 21;
constexpr int kBandSlot = 65;
constexpr int kModeSlot = 66;

bool endsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

class MenuListWindow : public ::testing::Test, public MenuListFixture {
protected:
    void press(Qt::Key key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(window->list(), key);
    }
    void select(int slot) { window->list()->setCurrentRow(rowOfSlot(slot)); }
};

TEST_F(MenuListWindow, ListsTheSixtyThreeEntriesInSlotOrderWithoutVacantSlots)
{
    open();
    ASSERT_EQ(window->list()->count(), 63);
    for (int vacant : {27, 28, 40, 41})
        EXPECT_EQ(rowOfSlot(vacant), -1) << vacant;
    EXPECT_EQ(window->rows().row(26).slot, 29);
    EXPECT_EQ(line(26).rfind("027 DIALSTP  SSB CW DATA 1/10/20 (Hz) AM FM 100/200 (Hz)", 0), 0u);
    EXPECT_TRUE(endsWith(line(26), " 10Hz"));
    EXPECT_EQ(line(0).rfind("001 EXT MNU  OFF/EXTENSION", 0), 0u);
    EXPECT_TRUE(endsWith(line(62), " 4"));
    EXPECT_EQ(line(62).rfind("063 DIM", 0), 0u);
    // The setting column starts at the same character on every line.
    for (int r = 0; r < 63; ++r)
        EXPECT_GE(line(r).size(), 101u) << r;
    EXPECT_EQ(windowSendsOf(UM_MENULIST_REFRESH), 1);
    EXPECT_TRUE(outbox.threadPosts.empty());
}

TEST_F(MenuListWindow, ColumnCaptionsStandApartOverTheirColumns)
{
    open();
    std::vector<QLabel*> captions;
    for (const char* text : {"NO", "USER NAME", "SETTING RANGE", "SETTING"}) {
        QLabel* found = nullptr;
        for (QLabel* l : window->findChildren<QLabel*>())
            if (l->text() == QLatin1String(text))
                found = l;
        ASSERT_NE(found, nullptr) << text;
        captions.push_back(found);
    }
    std::vector<QFrame*> rules;
    for (QFrame* f : window->findChildren<QFrame*>())
        if (f->frameShape() == QFrame::VLine)
            rules.push_back(f);
    for (std::size_t i = 0; i + 1 < captions.size(); ++i) {
        const int from = captions[i]->geometry().right();
        const int to = captions[i + 1]->geometry().left();
        ASSERT_LT(from, to) << captions[i]->text().toStdString() << " runs into the next caption";
        const bool ruled = std::any_of(rules.begin(), rules.end(), [&](QFrame* r) {
            return r->geometry().left() > from && r->geometry().right() < to;
        });
        EXPECT_TRUE(ruled) << "a rule between " << captions[i]->text().toStdString() << " and "
                           << captions[i + 1]->text().toStdString();
    }
    // "SETTING RANGE" starts where the range texts start (column 13 of a line).
    const QFontMetricsF list(window->list()->font());
    const double rangeColumn = list.horizontalAdvance(QStringLiteral("001 EXT MNU  "));
    const double offset = captions[2]->x() - captions[0]->x();
    EXPECT_NEAR(offset, rangeColumn, list.horizontalAdvance(QLatin1Char('0')) / 2);
}

TEST_F(MenuListWindow, BandFlagsAllOnStepRightFromTheLastFlagAndFirstLeftShowsFifty)
{
    open();
    const int row = rowOfSlot(kBandSlot);
    EXPECT_TRUE(endsWith(line(row), " GEN ON"));
    select(kBandSlot);
    press(Qt::Key_Left);
    EXPECT_TRUE(endsWith(line(row), " 50 ON")) << line(row);
    press(Qt::Key_Right);
    const char* const expected[] = {" 1.8 ON", " 3.5 ON", " 7 ON", " 10 ON", " 14 ON", " 18 ON",
                                    " 21 ON",  " 24 ON",  " 28 ON", " 50 ON", " GEN ON", " 1.8 ON"};
    for (const char* e : expected) {
        press(Qt::Key_Right);
        EXPECT_TRUE(endsWith(line(row), e)) << line(row) << " / " << e;
    }
}

TEST_F(MenuListWindow, ModeFlagsShowOffForAClearedBit)
{
    MenuItem mode = menu.getEntry(kModeSlot);
    mode.value = 63 - 32; // LSB off
    menu.putEntry(kModeSlot, mode);
    open();
    const int row = rowOfSlot(kModeSlot);
    EXPECT_TRUE(endsWith(line(row), " DATA ON"));
    select(kModeSlot);
    press(Qt::Key_Right);
    EXPECT_TRUE(endsWith(line(row), " LSB OFF")) << line(row);
    press(Qt::Key_Left, 2);
    EXPECT_TRUE(endsWith(line(row), " FM ON")) << line(row);
}

TEST_F(MenuListWindow, FortyCharacterBeaconTextScrollsThroughEveryOffset)
{
    const std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-/?";
    ASSERT_EQ(text.size(), 40u);
    MenuItem beacon = menu.getEntry(kBeaconSlot);
    beacon.text.assign(text);
    menu.putEntry(kBeaconSlot, beacon);
    open();
    const int row = rowOfSlot(kBeaconSlot);
    select(kBeaconSlot);
    EXPECT_TRUE(endsWith(line(row), " 1 " + text.substr(0, 35)));
    for (std::size_t expected = 1; expected < 40; ++expected) {
        press(Qt::Key_Right);
        ASSERT_EQ(window->rows().textOffset(), expected);
        EXPECT_TRUE(endsWith(line(row), " " + text.substr(expected, 35))) << line(row);
    }
    press(Qt::Key_Right);
    EXPECT_EQ(window->rows().textOffset(), 0u);
    press(Qt::Key_Left);
    EXPECT_EQ(window->rows().textOffset(), 39u);
    EXPECT_TRUE(endsWith(line(row), " 1 ?")) << line(row);
}

TEST_F(MenuListWindow, ShortBeaconTextAndOtherRowsIgnoreTheArrows)
{
    MenuItem beacon = menu.getEntry(kBeaconSlot);
    beacon.text.assign(std::string(35, 'A'));
    menu.putEntry(kBeaconSlot, beacon);
    open();
    select(kBeaconSlot);
    const std::string before = line(rowOfSlot(kBeaconSlot));
    press(Qt::Key_Right, 3);
    EXPECT_EQ(window->rows().textOffset(), 0u);
    EXPECT_EQ(line(rowOfSlot(kBeaconSlot)), before);
    select(kCwSpeedSlot);
    press(Qt::Key_Right);
    EXPECT_EQ(window->list()->currentRow(), rowOfSlot(kCwSpeedSlot));
    EXPECT_EQ(window->rows().bandFlag(), 10);
}

TEST_F(MenuListWindow, SelectionIsRememberedFromOneOpeningToTheNext)
{
    open();
    EXPECT_EQ(window->list()->currentRow(), 0);
    window->list()->setCurrentRow(40);
    QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    open();
    EXPECT_EQ(window->list()->currentRow(), 40);
}

TEST_F(MenuListWindow, MacroKeysComeBeforeTheListAndItsArrows)
{
    QTemporaryDir dir;
    const std::filesystem::path base = dir.path().toStdString();
    std::filesystem::create_directories(base / "CommoFiles");
    {
        std::ofstream file(base / "CommoFiles" / "RCPKSDEF.txt");
        for (int i = 0; i < 46; ++i)
            file << "M" << i << ";\n";
    }
    MacroKeys macros(outbox, ctx.sendRaw, base, [] {});
    ctx.macros = &macros;
    open();
    select(kBandSlot);
    const int row = window->list()->currentRow();
    for (Qt::Key key : {Qt::Key_End, Qt::Key_Home, Qt::Key_PageDown, Qt::Key_F2}) {
        press(key);
        while (macros.busy())
            macros.continueSending();
    }
    EXPECT_EQ(sent, (std::vector<std::string>{"M45;", "M44;", "M43;", "M0;"}));
    EXPECT_EQ(window->list()->currentRow(), row) << "the list never moved";
    press(Qt::Key_Left);
    EXPECT_EQ(window->rows().bandFlag(), 9) << "other keys keep their list meaning";
    ctx.macros = nullptr;
}

// Runs `act` on the setting dialog as soon as it is up, then presses its OK.
void onSettingDialog(const std::function<void(QWidget*)>& act)
{
    QTimer::singleShot(0, [act] {
        QWidget* dlg = QApplication::activeModalWidget();
        ASSERT_NE(dlg, nullptr);
        act(dlg);
        auto* setting = qobject_cast<MenuSettingDlg*>(dlg);
        ASSERT_NE(setting, nullptr);
        QPushButton* ok = setting->okButton();
        QTest::mouseClick(ok, Qt::LeftButton);
    });
}

void pickChoice(QWidget* dlg, const QString& text)
{
    auto* list = dlg->findChild<QListWidget*>("choices");
    ASSERT_NE(list, nullptr);
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    list->setCurrentItem(found.front());
}

TEST_F(MenuListWindow, EnterOpensTheSettingDialogAndTheRowShowsThePendingValue)
{
    open();
    select(kCwSpeedSlot);
    onSettingDialog([](QWidget* dlg) { pickChoice(dlg, "20"); });
    press(Qt::Key_Return);
    const int row = rowOfSlot(kCwSpeedSlot);
    EXPECT_TRUE(endsWith(line(row), " 20wpm")) << line(row);
    EXPECT_EQ(window->list()->currentRow(), row);
    EXPECT_FALSE(window->finished());
    // Nothing reaches the table before OK.
    EXPECT_FALSE(menu.getEntry(kCwSpeedSlot).changed);
    EXPECT_EQ(menu.getEntry(kCwSpeedSlot).value, 12);
}

TEST_F(MenuListWindow, CancelAfterChangesLeavesTableAndRadioUntouched)
{
    open();
    select(kCwSpeedSlot);
    onSettingDialog([](QWidget* dlg) { pickChoice(dlg, "30"); });
    press(Qt::Key_Return);
    const int bandRow = rowOfSlot(kBandSlot);
    onSettingDialog([](QWidget* dlg) { dlg->findChild<QCheckBox*>("flag0")->setChecked(false); });
    emit window->list()->itemDoubleClicked(window->list()->item(bandRow));
    ASSERT_TRUE(window->rows().row(bandRow).item.changed);

    QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(window->finished());
    EXPECT_TRUE(outbox.threadPosts.empty());
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(windowSendsOf(UM_MENULIST_DONE), 1);
    EXPECT_EQ(menu.getEntry(kCwSpeedSlot).value, 12);
    EXPECT_FALSE(menu.getEntry(kCwSpeedSlot).changed);
    EXPECT_EQ(menu.getEntry(kBandSlot).value, 2047);

    open();
    EXPECT_TRUE(endsWith(line(rowOfSlot(kCwSpeedSlot)), " 12wpm"));
}

TEST_F(MenuListWindow, OkWithoutChangesOnlyEndsTheWindow)
{
    open();
    QTest::mouseClick(window->okButton(), Qt::LeftButton);
    EXPECT_TRUE(window->finished());
    EXPECT_TRUE(outbox.threadPosts.empty());
    EXPECT_EQ(windowSendsOf(UM_MENULIST_DONE), 1);
}

class MenuListConfirm : public MenuListWindow {
protected:
    // CWSPEED to 20 and the 1.8 MHz band off, then OK.
    void changeAndConfirm()
    {
        open();
        select(kCwSpeedSlot);
        onSettingDialog([](QWidget* dlg) { pickChoice(dlg, "20"); });
        press(Qt::Key_Return);
        select(kBandSlot);
        onSettingDialog([](QWidget* dlg) { dlg->findChild<QCheckBox*>("flag0")->setChecked(false); });
        press(Qt::Key_Enter);
        QTest::mouseClick(window->okButton(), Qt::LeftButton);
    }
    // What the command builder does with a pending entry.
    void writerTakes(int slot)
    {
        menu.update(slot, [](MenuItem& e) {
            e.changed = false;
            return true;
        });
    }
};

TEST_F(MenuListConfirm, PutsChangedEntriesBackAndAsksForTheWrite)
{
    changeAndConfirm();
    const MenuItem speed = menu.getEntry(kCwSpeedSlot);
    EXPECT_TRUE(speed.changed);
    EXPECT_EQ(speed.value, 20);
    EXPECT_EQ(speed.newValue, 20);
    EXPECT_EQ(menu.getEntry(kBandSlot).newValue, 1023);
    EXPECT_FALSE(menu.getEntry(kModeSlot).changed);
    ASSERT_EQ(outbox.threadPosts.size(), 1u);
    EXPECT_EQ(outbox.threadPosts[0].to, ThreadId::AnlSend);
    EXPECT_EQ(outbox.threadPosts[0].m, (Message{UM_REQ_EX_SET, 0, 0}));
    // Auto-information is off: no read-back, the window ends at once.
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(windowSendsOf(UM_MENULIST_DONE), 1);
}

TEST_F(MenuListConfirm, WithAutoInformationReadsTheFlagEntryBackAfterTheWriterTookIt)
{
    radio.set(RadioState::Int::AI, 1);
    changeAndConfirm();
    ASSERT_TRUE(window->readingBack());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->readBackTick());
    EXPECT_TRUE(window->readBackTick());
    EXPECT_TRUE(sent.empty()) << "read queued before the set command";
    EXPECT_EQ(windowSendsOf(UM_MENULIST_DONE), 0);

    writerTakes(kCwSpeedSlot);
    writerTakes(kBandSlot);
    EXPECT_TRUE(window->readBackTick());
    EXPECT_TRUE(sent.empty());
    EXPECT_FALSE(window->readBackTick());
    EXPECT_EQ(sent, std::vector<std::string>{"EX065;"});
    EXPECT_EQ(threadPostsOf(UM_REQ_EX_SET), 1);
    EXPECT_EQ(threadPostsOf(UM_REQ_FLUSH), 1);
    EXPECT_EQ(windowSendsOf(UM_MENULIST_DONE), 1);
    EXPECT_FALSE(window->readBackTick());
    EXPECT_EQ(windowSendsOf(UM_MENULIST_DONE), 1);
}

TEST_F(MenuListConfirm, ReadBackGoesAnywayWhenTheWriterNeverAnswers)
{
    radio.set(RadioState::Int::AI, 1);
    changeAndConfirm();
    int ticks = 0;
    while (window->readBackTick() && ticks < 1000)
        ++ticks;
    EXPECT_LT(ticks, 1000);
    EXPECT_EQ(sent, std::vector<std::string>{"EX065;"});
    EXPECT_EQ(windowSendsOf(UM_MENULIST_DONE), 1);
}

} // namespace
} // namespace qx::test
