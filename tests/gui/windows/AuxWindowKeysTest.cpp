// Function keys, Page Up/Down, Home and End reach the macros before the
// focused control of an auxiliary window gets to use them.
#include "widgets/FilteredEdit.h"
#include "widgets/MarkedComboBox.h"
#include "tests/gui/windows/WindowFixture.h"
#include "windows/BaudRateDlg.h"
#include "windows/CommandSendDlg.h"
#include "windows/CwKeyerDlg.h"
#include "windows/MacroKeys.h"
#include "windows/PlaybackDlg.h"
#include "windows/PortSettings.h"
#include "windows/VfoSetDlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qx::test {
namespace {

class NoPorts : public PortSettings {
public:
    int portNumber() const override { return 1; }
    int baudRate() const override { return 9600; }
    std::optional<std::string> deviceFor(int) const override { return std::nullopt; }
    bool probe(int) override { return true; }
    bool closePort() override { return true; }
    void setPortNumber(int) override {}
    void setBaudRate(int) override {}
    bool save() override { return true; }
    std::optional<std::string> networkDevice() const override { return std::nullopt; }
    bool setNetworkDevice(const std::optional<std::string>&, std::string&) override { return true; }
    bool probeNetwork(const std::string&, std::string&, const std::atomic<bool>&) override { return true; }
};

// Line n of the key file is "Mn;" (line 42 Page Up ... line 45 End).
class AuxWindowKeys : public ::testing::Test, public WindowFixture {
protected:
    AuxWindowKeys()
    {
        std::filesystem::create_directories(base() / "CommoFiles");
        std::ofstream file(base() / "CommoFiles" / "RCPKSDEF.txt");
        for (int i = 0; i < 46; ++i)
            file << "M" << i << ";\n";
        ctx.macros = &macros;
    }
    std::filesystem::path base() const { return dir.path().toStdString(); }
    // One key to a control, then the macro (if any) runs to its end.
    void press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(w, key, mods);
        while (macros.busy())
            macros.continueSending();
    }

    QTemporaryDir dir;
    int versionOpened = 0;
    MacroKeys macros{outbox, ctx.sendRaw, base(), [this] { ++versionOpened; }};
};

TEST_F(AuxWindowKeys, TextFieldsGiveUpHomeEndAndFunctionKeys)
{
    CVfoSetDlg vfo(ctx);
    CCommandSendDlg command(ctx);
    vfo.field()->setText("1425");
    vfo.field()->setCursorPosition(2);
    press(vfo.field(), Qt::Key_Home);
    press(vfo.field(), Qt::Key_End);
    press(command.field(), Qt::Key_PageUp);
    press(command.field(), Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(sent, (std::vector<std::string>{"M44;", "M45;", "M42;", "M25;"}));
    EXPECT_EQ(vfo.field()->cursorPosition(), 2) << "the field never saw Home or End";
}

TEST_F(AuxWindowKeys, DropDownsAndButtonsGiveUpPageKeys)
{
    NoPorts ports;
    CBaudRateDlg baud(ctx, ports);
    const int before = baud.list()->currentIndex();
    press(baud.list(), Qt::Key_PageDown);
    press(baud.list(), Qt::Key_End);
    EXPECT_EQ(baud.list()->currentIndex(), before);

    CPlaybackDlg playback(ctx);
    press(playback.buttons().front().first, Qt::Key_F12, Qt::ShiftModifier);
    EXPECT_EQ(sent, (std::vector<std::string>{"M43;", "M45;", "M20;"}));
}

TEST_F(AuxWindowKeys, SystemKeysAndF1StayAsTheyWere)
{
    CVfoSetDlg vfo(ctx);
    press(vfo.field(), Qt::Key_F4, Qt::AltModifier);
    press(vfo.field(), Qt::Key_F6, Qt::AltModifier);
    press(vfo.field(), Qt::Key_F1);
    press(vfo.field(), Qt::Key_F2, Qt::AltModifier);
    EXPECT_EQ(versionOpened, 0) << "only the main window opens the version window";
    EXPECT_EQ(sent, (std::vector<std::string>{"M33;"}));
}

TEST_F(AuxWindowKeys, CwTextFieldsOnlyWhileIdle)
{
    CCwKeyerDlg cw(ctx);
    cw.textField(2)->setText("CQ TEST");
    cw.textField(2)->setCursorPosition(3);
    press(cw.textField(2), Qt::Key_Home);
    EXPECT_TRUE(sent.empty()) << "keys are the field's own while the texts are read";
    EXPECT_EQ(cw.textField(2)->cursorPosition(), 0);

    cw.onTimeout();
    press(cw.textField(2), Qt::Key_End);
    press(cw.playButton(1), Qt::Key_F3);
    EXPECT_EQ(sent, (std::vector<std::string>{"M45;", "M1;"}));
}

TEST_F(AuxWindowKeys, KeysOfOtherWindowsAreLeftAlone)
{
    CVfoSetDlg vfo(ctx);
    QLineEdit elsewhere;
    elsewhere.setText("ABC");
    press(&elsewhere, Qt::Key_Home);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(elsewhere.cursorPosition(), 0);
}

} // namespace
} // namespace qx::test
