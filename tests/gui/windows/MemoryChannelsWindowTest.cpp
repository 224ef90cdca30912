// The Memory channels window against the simulated radio: a range read into
// the grid, edits checked as typed, a write that sends only the edited
// channel and reads it back, undo, and a recall from the keyboard. On
// fakes: an import's report, and a paste that is one step to undo.
// Set QX_SCREENSHOT_DIR to keep a picture of the window after its read.
#include "cat/MemoryChannelText.h"
#include "tests/TempDir.h"
#include "tests/gui/GuiWait.h"
#include "tests/gui/windows/WindowsEndToEnd.h"
#include "windows/ChannelGrid.h"
#include "windows/ChannelTableModel.h"
#include "windows/MemoryChannelsDlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>

#include <cstdlib>

namespace qx::test {
namespace {

using C = ChannelTableModel::Column;

QString cell(const CMemoryChannelsDlg& dlg, int channel, int column)
{
    return dlg.channels().index(ChannelTableModel::rowOfChannel(channel), column).data().toString();
}

// Types `text` into the cell's own editor and ends it with Enter, as the operator would.
void typeInto(CMemoryChannelsDlg& dlg, int channel, int column, const QString& text)
{
    ChannelGrid& grid = *dlg.grid();
    const QModelIndex at = grid.filter().mapFromSource(
        dlg.channels().index(ChannelTableModel::rowOfChannel(channel), column));
    grid.setCurrentIndex(at);
    grid.edit(at);
    auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(at));
    ASSERT_NE(editor, nullptr);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    QX_WAIT_ASSERT(!grid.editing(), 5000);
}

class MemoryChannelsWindow : public WindowsEndToEnd {
protected:
    void SetUp() override
    {
        WindowsEndToEnd::SetUp();
        if (HasFatalFailure())
            return;
        ctx.settingsDir = rig.dir();
        for (const auto& [channel, content] : stored)
            ASSERT_TRUE(rig.sim().operate(memoryWriteText(channel, content)));
    }
    std::vector<std::string> receivedSince(std::size_t from, std::string_view prefix)
    {
        std::vector<std::string> out;
        const auto events = rig.sim().log().events();
        for (std::size_t i = from; i < events.size(); ++i)
            if (events[i].direction == sim::Direction::Received && events[i].text.rfind(prefix, 0) == 0)
                out.push_back(events[i].text);
        return out;
    }
    void readRange(CMemoryChannelsDlg& dlg, int first, int last)
    {
        ChannelGrid& grid = *dlg.grid();
        grid.goToChannel(first);
        grid.selectionModel()->select(
            QItemSelection(grid.model()->index(first - 1, 0), grid.model()->index(last - 1, 0)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        ASSERT_TRUE(dlg.readFromRadio(true)) << dlg.statusLine()->text().toStdString();
        QX_WAIT_ASSERT(!dlg.jobs().busy(), 30000);
        ASSERT_TRUE(dlg.jobs().succeeded()) << dlg.statusLine()->text().toStdString();
    }

    const std::vector<std::pair<int, MemoryChannel>> stored = {
        {1, {14074000, 0, 0, 0, 2, 0, 8, 0}},
        {2, {7074000, 0, 0, 0, 1, 0, 8, 0}},
        {5, {50125000, 0, 0, 0, 2, 0, 8, 0}},
        {6, {28500000, 0, 0, 0, 2, 0, 8, 0}},
        {8, {21074000, 0, 0, 0, 8, 0, 8, 0}},
        {9, {29600000, 0, 0, 0, 4, 1, 12, 0}},
        {11, {3573000, -50, 0, 1, 3, 0, 8, 0}},
        {17, {29620000, 0, 0, 0, 4, 2, 23, 2}},
        {18, {10136000, 120, 1, 0, 8, 0, 8, 0}},
    };
};

TEST_F(MemoryChannelsWindow, ReadEditWriteOnlyTheEditedChannelThenUndo)
{
    CMemoryChannelsDlg dlg(ctx, nullptr, &prompt);
    open = &dlg;
    dlg.show();
    std::size_t from = rig.sim().log().size();
    readRange(dlg, 1, 20);
    EXPECT_EQ(receivedSince(from, "MR").size(), 20u);
    EXPECT_EQ(cell(dlg, 1, C::Frequency), "14.074000");
    EXPECT_EQ(cell(dlg, 17, C::Mode), "FM");
    EXPECT_EQ(cell(dlg, 17, C::ToneMode), "tone");
    EXPECT_EQ(cell(dlg, 17, C::Tone), "146.2");
    EXPECT_EQ(cell(dlg, 17, C::Shift), "-");
    EXPECT_EQ(cell(dlg, 18, C::Offset), "+120");
    EXPECT_EQ(dlg.channels().index(ChannelTableModel::rowOfChannel(18), C::RxClar).data(Qt::CheckStateRole).toInt(),
              Qt::Checked);
    EXPECT_EQ(cell(dlg, 3, C::Frequency), "") << "empty on the radio";
    EXPECT_TRUE(dlg.channels().table().row(3).read);
    EXPECT_FALSE(dlg.channels().table().row(21).read) << "outside the range read";

    if (const char* shots = std::getenv("QX_SCREENSHOT_DIR")) {
        dlg.channels().setLabels({{1, "FT8 20 m"}, {2, "FT8 40 m"}, {5, "6 m calling"}, {6, "10 m SSB"},
                                  {8, "FT8 15 m"}, {9, "10 m FM simplex"}, {11, "CW 80 m"}, {17, "10 m repeater"},
                                  {18, "WSPR 30 m"}});
        dlg.resize(900, 560);
        typeInto(dlg, 18, C::Frequency, "10.1402");
        dlg.grid()->goToChannel(18);
        dlg.grid()->scrollToTop();
        QTest::qWait(50);
        dlg.grab().save(QString::fromLocal8Bit(shots) + "/memory-channels.png");
        dlg.channels().undoStack().undo();
    }

    // Out of what the radio tunes: refused with the reason, the cell as it was.
    typeInto(dlg, 1, C::Frequency, "146.52");
    EXPECT_EQ(cell(dlg, 1, C::Frequency), "14.074000");
    EXPECT_TRUE(dlg.statusLine()->text().contains("146.520000 MHz is outside what the radio tunes"))
        << dlg.statusLine()->text().toStdString();
    EXPECT_TRUE(dlg.channels().table().edited().empty());

    typeInto(dlg, 2, C::Frequency, "7.0765");
    EXPECT_EQ(cell(dlg, 2, C::Frequency), "7.076500");
    EXPECT_EQ(cell(dlg, 2, C::Marker), "*");
    EXPECT_TRUE(receivedSince(from, "MC").empty()) << "the Enter that ended the edit recalled nothing";

    // Channel 2 holds something on the radio: one question, then one MW and its read-back.
    const MemoryChannel edited{7076500, 0, 0, 0, 1, 0, 8, 0};
    from = rig.sim().log().size();
    ASSERT_TRUE(dlg.writeToRadio()) << dlg.statusLine()->text().toStdString();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(prompt.shown[0].startsWith("Channel 2 holds something")) << prompt.shown[0].toStdString();
    QX_WAIT_ASSERT(!dlg.jobs().busy(), 30000);
    EXPECT_TRUE(dlg.jobs().succeeded()) << dlg.statusLine()->text().toStdString();
    EXPECT_EQ(receivedSince(from, "MW"), std::vector<std::string>{memoryWriteText(2, edited)});
    EXPECT_EQ(receivedSince(from, "MR"), std::vector<std::string>{"MR002;"});
    EXPECT_EQ(radioAnswer("MR002;"), "MR002" + memoryWriteText(2, edited).substr(5));
    EXPECT_EQ(cell(dlg, 2, C::Marker), "") << "confirmed: the radio holds it";

    // Undo brings the old frequency back, now a change against the radio.
    dlg.undoAction()->trigger();
    EXPECT_EQ(cell(dlg, 2, C::Frequency), "7.074000");
    EXPECT_EQ(cell(dlg, 2, C::Marker), "*");
    dlg.redoAction()->trigger();
    EXPECT_EQ(cell(dlg, 2, C::Marker), "");
    open = nullptr;
}

TEST_F(MemoryChannelsWindow, EnterOnARowPutsTheRadioOnThatChannel)
{
    CMemoryChannelsDlg dlg(ctx, nullptr, &prompt);
    open = &dlg;
    dlg.show();
    dlg.goToField()->setValue(17);
    EXPECT_EQ(dlg.grid()->currentChannel(), 17);
    const std::size_t from = rig.sim().log().size();
    QTest::keyClick(dlg.grid(), Qt::Key_Return);
    QX_WAIT_ASSERT(!dlg.jobs().busy(), 15000);
    EXPECT_TRUE(dlg.jobs().succeeded()) << dlg.statusLine()->text().toStdString();
    EXPECT_EQ(receivedSince(from, "MC0"), std::vector<std::string>{"MC017;"});
    EXPECT_EQ(radioAnswer("FA;"), "FA29620000;");
    EXPECT_TRUE(receivedSince(from, "MW").empty());
    open = nullptr;
}

struct MemoryChannelsOnFakes : WindowFixture, ::testing::Test {
    TempDir dir;
};

TEST_F(MemoryChannelsOnFakes, ImportReportsWhatCannotComeAndPasteIsOneStep)
{
    CMemoryChannelsDlg dlg(ctx, nullptr, &prompt);
    dir.write("club.csv", "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode\n"
                          "5,Net,3.700000,,0,,88.5,88.5,023,NN,LSB\n"
                          "6,DTCS,29.660000,-,0.1,DTCS,88.5,88.5,023,NN,FM\n"
                          "7,2m,146.520000,,0,,88.5,88.5,023,NN,FM\n");
    ASSERT_TRUE(dlg.importFile(QString::fromStdString((dir.path / "club.csv").string())));
    ASSERT_NE(dlg.importReport(), nullptr);
    const QString report = dlg.importReport()->findChild<QPlainTextEdit*>()->toPlainText();
    EXPECT_TRUE(report.contains("line 3 (channel 6): DTCS")) << report.toStdString();
    EXPECT_TRUE(report.contains("line 4 (channel 7): frequency 146.520000 MHz")) << report.toStdString();
    EXPECT_EQ(cell(dlg, 5, C::Frequency), "3.700000");
    EXPECT_EQ(cell(dlg, 5, C::Label), "Net");
    EXPECT_EQ(cell(dlg, 6, C::Frequency), "");
    EXPECT_TRUE(outbox.threadPosts.empty()) << "an import sends nothing";
    EXPECT_TRUE(sent.empty());

    // Copied as CHIRP CSV and pasted at 100, as a step of its own.
    dlg.grid()->goToChannel(5);
    dlg.copyRows();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Location,")) << QApplication::clipboard()->text().toStdString();
    dlg.grid()->goToChannel(100);
    dlg.pasteRows();
    EXPECT_EQ(cell(dlg, 100, C::Frequency), "3.700000");
    EXPECT_EQ(cell(dlg, 100, C::Label), "Net");
    dlg.undoAction()->trigger();
    EXPECT_EQ(cell(dlg, 100, C::Frequency), "");
    EXPECT_EQ(cell(dlg, 5, C::Frequency), "3.700000") << "the import is a step of its own";

    // Hidden empty channels: only the imported one is left.
    dlg.hideEmptyBox()->setChecked(true);
    EXPECT_EQ(dlg.grid()->model()->rowCount(), 1);
}

TEST(ChannelTableModel, EditsAreReadInTheOperatorsWordsAndCheckedByTheTable)
{
    ChannelTableModel model;
    QStringList reasons;
    QObject::connect(&model, &ChannelTableModel::refused, [&](const QString& why) { reasons << why; });
    const auto at = [&](int channel, int column) { return model.index(ChannelTableModel::rowOfChannel(channel), column); };
    const auto set = [&](int channel, int column, const QVariant& v, int role = Qt::EditRole) {
        return model.setData(at(channel, column), v, role);
    };

    EXPECT_FALSE(set(9, C::Mode, "USB")) << "an empty channel takes a frequency first";
    EXPECT_TRUE(reasons.back().contains("give it a frequency first"));
    ASSERT_TRUE(set(9, C::Frequency, " 7.074 "));
    EXPECT_EQ(at(9, C::Mode).data().toString(), "LSB") << "below 10 MHz a new channel is LSB";
    EXPECT_EQ(at(9, C::Tone).data().toString(), "88.5");
    EXPECT_TRUE(set(9, C::Mode, "data-l"));
    EXPECT_TRUE(set(9, C::Tone, "100 Hz"));
    EXPECT_TRUE(set(9, C::Offset, "+250"));
    EXPECT_TRUE(set(9, C::TxClar, Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(set(9, C::Shift, "+"));
    const MemoryChannel want{7074000, 250, 0, 1, 8, 0, 12, 1};
    EXPECT_EQ(model.table().row(9).content, want);

    struct Refused {
        int column;
        const char* text;
        const char* reason;
    };
    const Refused refusedCases[] = {
        {C::Frequency, "7,074", "is not a frequency in MHz"},
        {C::Frequency, "0.0299", "outside what the radio tunes"},
        {C::Mode, "WFM", "is not a mode of the radio"},
        {C::Offset, "12000", "beyond +/-9999 Hz"},
        {C::Offset, "1.5", "not a whole number"},
        {C::Tone, "100.1", "not one of the radio's 50 CTCSS tones"},
        {C::ToneMode, "DTCS", "not off, tone squelch or tone"},
        {C::Shift, "split", "not simplex, + or -"},
    };
    for (const Refused& r : refusedCases) {
        EXPECT_FALSE(set(9, r.column, r.text)) << r.text;
        EXPECT_TRUE(reasons.back().startsWith("Channel 9: ") && reasons.back().contains(r.reason))
            << r.text << ": " << reasons.back().toStdString();
    }
    EXPECT_EQ(model.table().row(9).content, want) << "a refused edit changes nothing";
    EXPECT_EQ(model.undoStack().count(), 6) << "one step per edit that took";

    // An empty frequency empties the channel; undo brings it back whole.
    ASSERT_TRUE(set(9, C::Frequency, ""));
    EXPECT_FALSE(model.table().row(9).content);
    model.undoStack().undo();
    EXPECT_EQ(model.table().row(9).content, want);
    model.setLocked(true);
    EXPECT_FALSE(set(9, C::Label, "net")) << "no edits while a job runs";
}

TEST_F(MemoryChannelsOnFakes, ClosingWithUnwrittenChangesAsksFirst)
{
    CMemoryChannelsDlg dlg(ctx, nullptr, &prompt);
    dlg.show();
    ASSERT_TRUE(dlg.channels().setData(dlg.channels().index(ChannelTableModel::rowOfChannel(4), C::Frequency),
                                       "14.2", Qt::EditRole));
    prompt.answerOk = false;
    dlg.reject();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(prompt.shown[0].startsWith("1 changed channels are not written")) << prompt.shown[0].toStdString();
    EXPECT_FALSE(dlg.finished());
    prompt.answerOk = true;
    dlg.reject();
    EXPECT_TRUE(dlg.finished());
    EXPECT_EQ(doneSent().back().id, UM_MEMCHANNELS_DONE);
}

} // namespace
} // namespace qx::test
