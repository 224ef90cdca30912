// CW, Playback, Repeater and MIC EQ windows against fake collaborators.
#include "menu/MenuKind.h"
#include "widgets/ColouredStatic.h"
#include "widgets/FilteredEdit.h"
#include "widgets/MarkedListBox.h"
#include "tests/gui/windows/WindowFixture.h"
#include "windows/CwKeyerDlg.h"
#include "windows/MacroKeys.h"
#include "windows/MicEqDlg.h"
#include "windows/PlaybackDlg.h"
#include "windows/RepeaterDlg.h"
#include "windows/RepeaterTexts.h"
#include "windows/ToneListDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qx::test {
namespace {

void click(QAbstractButton* b)
{
    QTest::mouseClick(b, Qt::LeftButton);
}

// ---- CW ----

class CwWindow : public ::testing::Test, public WindowFixture {
protected:
    void answer(int memory, const std::string& text)
    {
        radio.setKeyerText(memory, text);
        radio.set(RadioState::Int::KM_SELECTED, memory);
        cw.onNotification({UM_ANS_KM, 0, 0});
    }
    void readAll(const std::string& a = "CQ CQ", const std::string& b = "TEST", const std::string& c = "73")
    {
        answer(1, a);
        answer(2, b);
        answer(3, c);
    }
    CCwKeyerDlg cw{ctx};
};

TEST_F(CwWindow, OpeningAsksForTheTextsAndLocksTheWindow)
{
    EXPECT_EQ(requestIds(), (std::vector<std::uint32_t>{UM_REQ_KM_READ_START}));
    EXPECT_EQ(cw.state(), 1);
    EXPECT_TRUE(cw.timerRunning());
    EXPECT_TRUE(cw.textField(1)->isReadOnly());
    EXPECT_FALSE(cw.playButton(1)->isEnabled());
    EXPECT_FALSE(cw.spotOnButton()->isEnabled());
}

TEST_F(CwWindow, ReadShowsTextsWithoutTrailingBlanksThenUnlocks)
{
    readAll("CQ DE QX1AB   ", std::string(40, 'X') + "YYYYYYYYYY", "   ");
    EXPECT_EQ(cw.textField(1)->text(), "CQ DE QX1AB");
    EXPECT_EQ(cw.textField(2)->text(), QString(40, 'X'));
    EXPECT_EQ(cw.textField(3)->text(), "");
    EXPECT_EQ(cw.state(), 0);
    EXPECT_FALSE(cw.timerRunning());
    EXPECT_FALSE(cw.textField(1)->isReadOnly());
    EXPECT_TRUE(cw.playButton(3)->isEnabled());
    EXPECT_TRUE(cw.spotOffButton()->isEnabled());
    EXPECT_FALSE(cw.writeButton(3)->isEnabled()) << "empty field";
}

TEST_F(CwWindow, TimeoutShowsWhateverIsStored)
{
    radio.setKeyerText(2, "OLD");
    cw.onTimeout();
    EXPECT_EQ(cw.textField(2)->text(), "OLD");
    EXPECT_EQ(cw.state(), 0);
    EXPECT_TRUE(cw.stopButton()->isEnabled());
}

TEST_F(CwWindow, WriteButtonFollowsTheStoredText)
{
    readAll();
    EXPECT_FALSE(cw.writeButton(1)->isEnabled());
    cw.textField(1)->setText("CQ CQ DE");
    EXPECT_TRUE(cw.writeButton(1)->isEnabled());
    cw.textField(1)->setText("CQ CQ");
    EXPECT_FALSE(cw.writeButton(1)->isEnabled());
    cw.textField(1)->clear();
    EXPECT_FALSE(cw.writeButton(1)->isEnabled());
}

TEST_F(CwWindow, WritingFortyCharactersSendsFortyFourThenReadsBack)
{
    readAll();
    outbox.clear();
    const std::string text(40, 'K');
    cw.textField(2)->setText(QString::fromStdString(text));
    click(cw.writeButton(2));
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "KM2" + text + ";");
    EXPECT_EQ(sent[0].size(), 44u);
    EXPECT_EQ(sent[1], "KM2;");
    EXPECT_EQ(cw.state(), 5);
    EXPECT_TRUE(cw.timerRunning());

    answer(2, text);
    EXPECT_EQ(cw.state(), 0);
    EXPECT_FALSE(cw.timerRunning());
    EXPECT_FALSE(cw.writeButton(2)->isEnabled());
}

TEST_F(CwWindow, FieldsTakeOnlyKeyableCharactersAndStopAtForty)
{
    readAll();
    cw.textField(1)->clear();
    QTest::keyClicks(cw.textField(1), "AB;C-D.E,F|G}H~I/J{");
    EXPECT_EQ(cw.textField(1)->text(), "ABCDEFGHI/J{");
    cw.textField(1)->clear();
    QApplication::clipboard()->setText(QStringLiteral("CQ;\b\tDE\x01"));
    cw.textField(1)->paste();
    EXPECT_EQ(cw.textField(1)->text(), "CQDE") << "a paste brings no command end or control code";
    cw.textField(1)->clear();
    QTest::keyClicks(cw.textField(1), QString(50, 'Z'));
    EXPECT_EQ(cw.textField(1)->text().size(), 40);
}

TEST_F(CwWindow, SmallLettersBecomeCapitalsAsTypedAndAreWrittenSo)
{
    readAll();
    cw.textField(1)->clear();
    QTest::keyClicks(cw.textField(1), "cq test");
    EXPECT_EQ(cw.textField(1)->text(), "CQ TEST");
    cw.textField(2)->clear();
    QApplication::clipboard()->setText(QStringLiteral("de qx1ab"));
    cw.textField(2)->paste();
    EXPECT_EQ(cw.textField(2)->text(), "DE QX1AB");
    click(cw.writeButton(1));
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0], "KM1CQ TEST;");
}

TEST_F(CwWindow, ReadPassesOverAnAnswerTheLineLost)
{
    radio.setKeyerText(1, "STORED");
    answer(4, "NOT OURS");
    EXPECT_EQ(cw.state(), 1) << "a memory the window does not show moves nothing";
    answer(2, "TEST");
    EXPECT_EQ(cw.state(), 3);
    EXPECT_EQ(cw.textField(1)->text(), "STORED") << "the lost memory shows what is stored";
    answer(3, "73");
    EXPECT_EQ(cw.state(), 0);
    EXPECT_FALSE(cw.timerRunning()) << "nothing left to wait for";
    EXPECT_TRUE(cw.playButton(1)->isEnabled());
    EXPECT_EQ(cw.textField(3)->text(), "73");
}

TEST_F(CwWindow, ButtonsPostTheirRequests)
{
    readAll();
    outbox.clear();
    click(cw.playButton(1));
    click(cw.playButton(3));
    click(cw.stopButton());
    click(cw.spotOnButton());
    click(cw.spotOffButton());
    EXPECT_EQ(requests(), (Requests{{UM_REQ_KY_6, 0}, {UM_REQ_KY_8, 0}, {UM_REQ_KY_0, 0}, {UM_REQ_CS_SET, 1},
                                    {UM_REQ_CS_SET, 0}}));
}

TEST_F(CwWindow, MacroKeysOnlyWhileIdle)
{
    QTemporaryDir dir;
    const std::filesystem::path base = dir.path().toStdString();
    std::filesystem::create_directories(base / "CommoFiles");
    std::ofstream(base / "CommoFiles" / "RCPKSDEF.txt") << "FA00014000;\n";
    int opened = 0;
    MacroKeys macros(outbox, ctx.sendRaw, base, [&] { ++opened; });
    ctx.macros = &macros;
    QTest::keyClick(&cw, Qt::Key_F2);
    EXPECT_TRUE(sent.empty()) << "keys are not macros while the texts are read";
    readAll();
    QTest::keyClick(&cw, Qt::Key_F2);
    EXPECT_EQ(sent, (std::vector<std::string>{"FA00014000;"}));
    QTest::keyClick(&cw, Qt::Key_F1);
    EXPECT_EQ(opened, 0) << "auxiliary windows never open the version window";
    ctx.macros = nullptr;
}

TEST_F(CwWindow, ClosingReportsDone)
{
    cw.close();
    ASSERT_EQ(outbox.windowSends.size(), 1u);
    EXPECT_EQ(outbox.windowSends[0].id, UM_CW_DONE);
    EXPECT_FALSE(cw.timerRunning());
}

// ---- Playback ----

TEST(PlaybackWindow, EveryButtonPostsItsRequest)
{
    WindowFixture fx;
    CPlaybackDlg dlg(fx.ctx);
    const std::vector<std::uint32_t> expected{UM_REQ_LM_01, UM_REQ_LM_02, UM_REQ_LM_00, UM_REQ_PB_1, UM_REQ_PB_2,
                                              UM_REQ_PB_0,  UM_REQ_PB_7,  UM_REQ_PB_8,  UM_REQ_PB_0_C, UM_REQ_LM_11,
                                              UM_REQ_LM_10, UM_REQ_PB_6,  UM_REQ_PB_0_B};
    ASSERT_EQ(dlg.buttons().size(), expected.size());
    for (const auto& [b, id] : dlg.buttons())
        click(b);
    EXPECT_EQ(fx.requestIds(), expected);
}

TEST(PlaybackWindow, IndicatorsFollowTheReportedFlags)
{
    WindowFixture fx;
    CPlaybackDlg dlg(fx.ctx);
    EXPECT_EQ(dlg.recIndicator()->backgroundColour(), QColor(Qt::white));
    EXPECT_EQ(dlg.playIndicator()->backgroundColour(), QColor(Qt::white));
    fx.radio.set(RadioState::Int::RI3, 1);
    fx.radio.set(RadioState::Int::RI4, 1);
    dlg.onNotification({UM_ANS_RI, 0, 0});
    EXPECT_EQ(dlg.recIndicator()->backgroundColour(), QColor(255, 0, 0));
    EXPECT_EQ(dlg.playIndicator()->backgroundColour(), QColor(0, 255, 0));
    EXPECT_EQ(dlg.recIndicator()->textColour(), QColor(Qt::black));
    fx.radio.set(RadioState::Int::RI3, 0);
    dlg.onNotification({UM_ANS_RI, 0, 0});
    EXPECT_EQ(dlg.recIndicator()->backgroundColour(), QColor(Qt::white));
    EXPECT_EQ(dlg.playIndicator()->backgroundColour(), QColor(0, 255, 0));
}

// ---- Repeater ----

TEST(RepeaterTexts, DisplayTexts)
{
    struct Case {
        int value;
        const char *mode, *tone, *shift;
    };
    const Case cases[] = {
        {0, "OFF", "67.0 Hz", "Simplex"},
        {1, "Tone Squelch", "69.3 Hz", "Plus Shift"},
        {2, "Tone Encoder", "71.9 Hz", "Minus Shift"},
        {3, "", "74.4 Hz", ""},
        {4, "?????", "77.0 Hz", "?????"},
        {49, "?????", "254.1 Hz", "?????"},
        {50, "?????", "?????", "?????"},
        {-1, "?????", "?????", "?????"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ctcssModeText(c.value), c.mode) << c.value;
        EXPECT_EQ(toneFrequencyText(c.value), c.tone) << c.value;
        EXPECT_EQ(shiftDirectionText(c.value), c.shift) << c.value;
    }
}

TEST(RepeaterWindow, OpeningShowsVfoAndReadsStatus)
{
    WindowFixture fx;
    fx.radio.set(RadioState::Int::VS, 1);
    fx.radio.set(RadioState::Int::CT0, 2);
    fx.radio.set(RadioState::Int::CN0, 12);
    fx.radio.set(RadioState::Int::OS0, 1);
    CRepeaterDlg dlg(fx.ctx);
    EXPECT_EQ(dlg.vfoCaption()->text(), "<VFO-B>");
    EXPECT_EQ(fx.requests(), (Requests{{UM_REQ_IF_OI_READ, 0}}));
    EXPECT_EQ(fx.outbox.threadPosts[0].m.wParam & 1u, 0u);
    EXPECT_EQ(dlg.modeDisplay()->text(), "Tone Encoder");
    EXPECT_EQ(dlg.toneDisplay()->text(), "100.0 Hz");
    EXPECT_EQ(dlg.shiftDisplay()->text(), "Plus Shift");
    for (const ColouredStatic* d : {dlg.modeDisplay(), dlg.toneDisplay(), dlg.shiftDisplay()}) {
        EXPECT_EQ(d->textColour(), QColor(255, 255, 255));
        EXPECT_EQ(d->backgroundColour(), QColor(0, 0, 0));
        EXPECT_EQ(d->font().pixelSize(), 50);
    }

    fx.radio.set(RadioState::Int::OS0, 2);
    dlg.onNotification({UM_ANS_OS, 0, 0});
    EXPECT_EQ(dlg.shiftDisplay()->text(), "Minus Shift");
}

TEST(RepeaterWindow, ToneModeOnlyInFmModes)
{
    struct Case {
        int mode;
        bool sends;
    };
    for (const Case c : {Case{4, true}, Case{10, true}, Case{11, true}, Case{1, false}, Case{3, false}, Case{12, false}}) {
        WindowFixture fx;
        fx.radio.set(RadioState::Int::MD0, c.mode);
        CRepeaterDlg dlg(fx.ctx);
        fx.outbox.clear();
        click(dlg.button("OFF"));
        click(dlg.button("ENC"));
        click(dlg.button("SQL"));
        if (c.sends)
            EXPECT_EQ(fx.requestIds(), (std::vector<std::uint32_t>{UM_REQ_CT_0, UM_REQ_CT_2, UM_REQ_CT_1})) << c.mode;
        else
            EXPECT_TRUE(fx.requests().empty()) << c.mode;
    }
}

TEST(RepeaterWindow, ShiftButtonsAndToneList)
{
    WindowFixture fx;
    fx.radio.set(RadioState::Int::CN0, 8);
    CRepeaterDlg dlg(fx.ctx);
    int toneGiven = -1;
    dlg.setToneListRunner([&](int tone) { toneGiven = tone; });
    fx.outbox.clear();
    click(dlg.button("S"));
    click(dlg.button("-"));
    click(dlg.button("+"));
    click(dlg.button("Freq"));
    EXPECT_EQ(fx.requestIds(), (std::vector<std::uint32_t>{UM_REQ_OS_0, UM_REQ_OS_2, UM_REQ_OS_1}));
    EXPECT_EQ(toneGiven, 8);
}

TEST(ToneList, LaidOutInRowsAndSendsEvenTheCurrentTone)
{
    WindowFixture fx;
    CToneListDlg dlg(fx.outbox, 8);
    ASSERT_EQ(dlg.list()->count(), 50);
    // Down the first column every fifth tone, along the first row ascending.
    EXPECT_EQ(dlg.list()->item(0)->text().trimmed(), "67.0");
    EXPECT_EQ(dlg.list()->item(1)->text().trimmed(), "79.7");
    EXPECT_EQ(dlg.list()->item(10)->text().trimmed(), "69.3");
    EXPECT_EQ(dlg.selectedTone(), 8);
    EXPECT_EQ(dlg.list()->markedIndex(), dlg.list()->currentRow()) << "the tone now set is the red one";
    EXPECT_EQ(dlg.list()->item(dlg.list()->markedIndex())->text().trimmed(), "88.5");
    dlg.accept();
    EXPECT_EQ(fx.requests(), (Requests{{UM_REQ_CN_SET, 8}}));
}

TEST(ToneList, CancelSendsNothing)
{
    WindowFixture fx;
    CToneListDlg dlg(fx.outbox, 3);
    dlg.list()->setCurrentRow(49);
    dlg.reject();
    EXPECT_TRUE(fx.requests().empty());
}

// ---- MIC EQ ----

class MicEqWindow : public ::testing::Test, public WindowFixture {
protected:
    static constexpr int kSlot = 37;
    void SetUp() override
    {
        menu.setCount(MenuTable::kMaxSlots);
        MenuItem other;
        other.number = 1;
        other.kind = 1;
        menu.putEntry(1, other);
        MenuItem eq;
        eq.number = kSlot;
        eq.kind = MenuKind::MicEq;
        eq.value = 3;
        menu.putEntry(kSlot, eq);
    }
};

TEST_F(MicEqWindow, OpensOnTheCurrentPresetAndWritesAnother)
{
    CMicEqDlg dlg(ctx);
    EXPECT_EQ(dlg.checkedPreset(), 3);
    click(dlg.presetButton(3));
    EXPECT_TRUE(requests().empty()) << "the preset already set";
    click(dlg.presetButton(7));
    EXPECT_EQ(requestIds(), (std::vector<std::uint32_t>{UM_REQ_EX_SET}));
    const MenuItem e = menu.getEntry(kSlot);
    EXPECT_EQ(e.value, 7);
    EXPECT_EQ(e.newValue, 7);
    EXPECT_TRUE(e.changed);
    EXPECT_FALSE(menu.getEntry(1).changed);
}

TEST_F(MicEqWindow, ValueOutsidePresetsSelectsNothingAndFirstClickWrites)
{
    menu.update(kSlot, [](MenuItem& e) { e.value = 12; return true; });
    CMicEqDlg dlg(ctx);
    EXPECT_EQ(dlg.checkedPreset(), -1);
    click(dlg.presetButton(0));
    EXPECT_EQ(requestIds(), (std::vector<std::uint32_t>{UM_REQ_EX_SET}));
    EXPECT_EQ(menu.getEntry(kSlot).value, 0);
}

TEST(MicEqWindowUnloaded, NoMenuEntryMeansNoWrite)
{
    WindowFixture fx;
    CMicEqDlg dlg(fx.ctx);
    click(dlg.presetButton(4));
    EXPECT_TRUE(fx.requests().empty());
}

} // namespace
} // namespace qx::test
