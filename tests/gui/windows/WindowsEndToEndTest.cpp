// The small windows against the simulated radio: keyer memories, tones,
// mic EQ, memory write and the macro keys.
#include "menu/MenuKind.h"
#include "widgets/ColouredStatic.h"
#include "widgets/FilteredEdit.h"
#include "widgets/MarkedListBox.h"
#include "tests/gui/windows/WindowsEndToEnd.h"
#include "windows/CwKeyerDlg.h"
#include "windows/MacroKeys.h"
#include "windows/MemoryWriteDlg.h"
#include "windows/MicEqDlg.h"
#include "windows/RepeaterDlg.h"
#include "windows/ToneListDlg.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace qx::test {
namespace {

TEST_F(WindowsEndToEnd, KeyerMemoriesAreReadThenWrittenWithReadBack)
{
    CCwKeyerDlg cw(ctx);
    open = &cw;
    ASSERT_TRUE(rig.waitUntil([&] { return cw.state() == 0; }));
    EXPECT_TRUE(radioReceived("KM1;"));
    EXPECT_TRUE(radioReceived("KM3;"));
    EXPECT_TRUE(cw.playButton(1)->isEnabled());
    const std::size_t from = rig.sim().log().size();
    cw.textField(2)->setText("CQ TEST DE QX1AB");
    QTest::mouseClick(cw.writeButton(2), Qt::LeftButton);
    ASSERT_TRUE(rig.sim().log().waitForText(sim::Direction::Received, "KM2CQ TEST DE QX1AB;",
                                            std::chrono::seconds(10), from));
    ASSERT_TRUE(rig.sim().log().waitForText(sim::Direction::Received, "KM2;", std::chrono::seconds(10), from));
    // The read-back ends the write; the field shows what the radio holds.
    ASSERT_TRUE(rig.waitUntil([&] { return cw.state() == 0; }));
    EXPECT_FALSE(cw.timerRunning());
    const std::string held = radioAnswer("KM2;");
    const std::string shown = cw.textField(2)->text().toStdString();
    EXPECT_EQ(held.substr(3, shown.size()), shown);
}

TEST_F(WindowsEndToEnd, ToneIsSetFromTheList)
{
    CRepeaterDlg rep(ctx);
    open = &rep;
    CToneListDlg list(rig.engine(), rig.radio().get(RadioState::Int::CN0));
    for (int i = 0; i < list.list()->count(); ++i)
        if (list.list()->item(i)->text().trimmed() == "100.0")
            list.list()->setCurrentRow(i);
    list.accept();
    ASSERT_TRUE(waitReceived("CN012;"));
    EXPECT_TRUE(rig.waitUntil([&] { return rep.toneDisplay()->text() == "100.0 Hz"; }));
}

TEST_F(WindowsEndToEnd, MicEqPresetChangesTheRadioMenu)
{
    const int slot = rig.menu().slotByKind(MenuKind::MicEq);
    ASSERT_GT(slot, 0);
    const int before = static_cast<int>(rig.menu().getEntry(slot).value);
    const int preset = before == 6 ? 2 : 6;
    CMicEqDlg eq(ctx);
    open = &eq;
    QTest::mouseClick(eq.presetButton(preset), Qt::LeftButton);
    const std::string command = "EX037" + std::to_string(preset) + ";";
    ASSERT_TRUE(waitReceived(command));
    // The log has the command a moment before the radio has taken it.
    EXPECT_TRUE(rig.waitUntil([&] { return radioAnswer("EX037;") == command; })) << radioAnswer("EX037;");
}

TEST_F(WindowsEndToEnd, MemoryChannelIsStoredThenOverwriteIsAsked)
{
    prompt.answerOk = false;
    {
        CMemoryWriteDlg first(ctx, nullptr, &prompt);
        open = &first;
        first.field()->setText("17");
        QTest::mouseClick(first.okButton(), Qt::LeftButton);
        ASSERT_TRUE(rig.waitUntil([&] { return first.finished(); }));
        EXPECT_TRUE(prompt.shown.empty()) << "a free channel is written without asking";
        open = nullptr; // the notifications that follow must not reach a window gone with this scope
    }
    ASSERT_TRUE(rig.waitUntil([&] { return !radioAnswer("MR017;").empty() && radioAnswer("MR017;") != "?;"; }));
    CMemoryWriteDlg second(ctx, nullptr, &prompt);
    open = &second;
    second.field()->setText("17");
    QTest::mouseClick(second.okButton(), Qt::LeftButton);
    ASSERT_TRUE(rig.waitUntil([&] { return !prompt.shown.empty(); }));
    EXPECT_EQ(prompt.shown[0], "This channel already exists.\nOverwrite this channel?");
    EXPECT_FALSE(second.finished());
    EXPECT_TRUE(second.okButton()->isEnabled());
}

TEST_F(WindowsEndToEnd, MacroKeySendsItsCommandsInOrder)
{
    std::filesystem::create_directories(rig.dir() / "CommoFiles");
    std::ofstream(rig.dir() / "CommoFiles" / "RCPKSDEF.txt") << "\n\nFA14070000;MD03;FA14071000;\n";
    const std::size_t from = rig.sim().log().size();
    ASSERT_TRUE(macros.handleKey(MacroKey::F4, MacroModifier::None, false));
    ASSERT_TRUE(rig.waitUntil([&] { return !macros.busy(); }));
    ASSERT_TRUE(rig.sim().log().waitForText(sim::Direction::Received, "FA14071000;", std::chrono::seconds(10), from));
    std::vector<std::string> got;
    const auto events = rig.sim().log().events();
    for (std::size_t i = from; i < events.size(); ++i)
        if (events[i].direction == sim::Direction::Received &&
            (events[i].text == "FA14070000;" || events[i].text == "MD03;" || events[i].text == "FA14071000;"))
            got.push_back(events[i].text);
    EXPECT_EQ(got, (std::vector<std::string>{"FA14070000;", "MD03;", "FA14071000;"}));
}

} // namespace
} // namespace qx::test
