// VFO SET, MEMORY WRITE, Command Send, COM Select, Baud rate and VCC.
#include "tests/gui/windows/WindowFixture.h"
#include "widgets/MarkedComboBox.h"
#include "windows/BaudRateDlg.h"
#include "windows/ComSelectDlg.h"
#include "windows/CommandSendDlg.h"
#include "windows/MemoryWriteDlg.h"
#include "windows/PortSettings.h"
#include "windows/VccDlg.h"
#include "windows/VersionDlg.h"
#include "windows/VfoSetDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/gui/GuiWait.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace qx::test {
namespace {

// ---- VFO SET ----

TEST(VfoSetDialog, OkReportsTheNumberAndEmptyReportsZero)
{
    struct Case {
        const char* typed;
        bool ok;
        std::uint64_t reported;
    };
    for (const Case c : {Case{"14250000", true, 14250000}, Case{"", true, 0}, Case{"7000", false, 0}}) {
        WindowFixture fx;
        CVfoSetDlg dlg(fx.ctx);
        QTest::keyClicks(dlg.field(), c.typed);
        QTest::mouseClick(dlg.findChild<QPushButton*>(c.ok ? "ok" : "cancel"), Qt::LeftButton);
        ASSERT_EQ(fx.outbox.windowSends.size(), 1u) << c.typed;
        EXPECT_EQ(fx.outbox.windowSends[0].id, UM_VFOSET_DONE);
        EXPECT_EQ(fx.outbox.windowSends[0].wParam, c.reported) << c.typed;
    }
}

TEST(VfoSetDialog, FieldTakesEightDigitsAndPanelDigitsStopThere)
{
    WindowFixture fx;
    CVfoSetDlg dlg(fx.ctx);
    QTest::keyClicks(dlg.field(), "12a3");
    EXPECT_EQ(dlg.field()->text(), "123");
    for (int d : {4, 5, 6, 7, 8, 9})
        dlg.appendDigit(d);
    EXPECT_EQ(dlg.field()->text(), "12345678");
    EXPECT_EQ(dlg.field()->cursorPosition(), 8);
    dlg.appendDigit(0);
    dlg.appendDigit(12);
    EXPECT_EQ(dlg.field()->text(), "12345678");
}

// Before, "7.074" lost its point and went out as 7074 Hz (FA00007074;).
TEST(VfoSetDialog, ReadsWhatOperatorsTypeAndRefusesWhatItCannotWithTheReason)
{
    struct Case {
        const char* typed;
        std::uint64_t reported; // 0: the dialog stays open
        const char* shown;
    };
    for (const Case c : {Case{"7.074", 7'074'000, "= 7.074000 MHz"}, Case{"14,074", 14'074'000, "= 14.074000 MHz"},
                         Case{"7074.5", 7'074'500, "= 7.074500 MHz"}, Case{"7074 khz", 7'074'000, "= 7.074000 MHz"},
                         Case{"7074", 0, "7.074 kHz is below the radio's lowest frequency, 30.000 kHz (digits alone are Hz; 7.074 is MHz)"},
                         Case{"70.5", 0, "70.500000 MHz is above the radio's highest frequency, 60.000000 MHz"}}) {
        WindowFixture fx;
        CVfoSetDlg dlg(fx.ctx);
        dlg.show();
        QTest::keyClicks(dlg.field(), c.typed);
        if (c.reported) {
            EXPECT_EQ(dlg.reading()->text().toStdString(), c.shown) << c.typed;
        }
        QTest::keyClick(dlg.field(), Qt::Key_Return);
        if (c.reported) {
            ASSERT_EQ(fx.outbox.windowSends.size(), 1u) << c.typed;
            EXPECT_EQ(fx.outbox.windowSends[0].wParam, c.reported) << c.typed;
        } else {
            EXPECT_TRUE(fx.outbox.windowSends.empty()) << c.typed;
            EXPECT_EQ(dlg.reading()->text().toStdString(), c.shown) << c.typed;
            EXPECT_TRUE(dlg.isVisible());
        }
    }
}

// ---- MEMORY WRITE ----

class MemoryWrite : public ::testing::Test, public WindowFixture {
protected:
    void enter(const char* channel)
    {
        dlg.field()->setText(QString::fromLatin1(channel));
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    }
    void answerFor(int channel)
    {
        radio.set(RadioState::Int::MR, channel);
        dlg.onNotification({UM_ANS_MR, 0, 0});
    }
    CMemoryWriteDlg dlg{ctx, nullptr, &prompt};
};

TEST_F(MemoryWrite, ChannelsOutsideTheRangeAreRefused)
{
    for (const char* bad : {"0", "505", "999"}) {
        enter(bad);
        ASSERT_EQ(prompt.shown.size(), 1u) << bad;
        EXPECT_EQ(prompt.shown[0], "The input range is incorrect.");
        EXPECT_FALSE(dlg.waiting());
        EXPECT_TRUE(dlg.okButton()->isEnabled());
        prompt.shown.clear();
    }
    EXPECT_TRUE(requests().empty());
    EXPECT_TRUE(outbox.windowSends.empty());
}

TEST_F(MemoryWrite, FreeChannelIsWrittenWhenNoAnswerComes)
{
    enter("504");
    EXPECT_EQ(requests(), (Requests{{UM_REQ_MR_READ, 504}}));
    EXPECT_TRUE(dlg.probeRunning());
    EXPECT_FALSE(dlg.okButton()->isEnabled());
    EXPECT_FALSE(dlg.cancelButton()->isEnabled());
    EXPECT_TRUE(dlg.field()->isReadOnly());
    dlg.onProbeTimeout();
    EXPECT_EQ(requests(), (Requests{{UM_REQ_MR_READ, 504}, {UM_REQ_MW, 504}}));
    ASSERT_EQ(outbox.windowSends.size(), 1u);
    EXPECT_EQ(outbox.windowSends[0].id, UM_MEMWRITE_DONE);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(MemoryWrite, UsedChannelAsksBeforeOverwriting)
{
    prompt.answerOk = false;
    enter("12");
    answerFor(12);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], "This channel already exists.\nOverwrite this channel?");
    EXPECT_FALSE(dlg.probeRunning());
    EXPECT_TRUE(dlg.okButton()->isEnabled()) << "back to editing";
    EXPECT_FALSE(dlg.field()->isReadOnly());
    EXPECT_EQ(requests().size(), 1u);

    prompt.answerOk = true;
    enter("12");
    answerFor(12);
    EXPECT_EQ(requests().back(), (std::pair<std::uint32_t, std::int64_t>{UM_REQ_MW, 12}));
    EXPECT_EQ(outbox.windowSends.size(), 1u);
}

TEST_F(MemoryWrite, AnswerForAnotherChannelKeepsWaiting)
{
    enter("12");
    answerFor(13);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(dlg.probeRunning());
    dlg.onProbeTimeout();
    EXPECT_EQ(requests().back(), (std::pair<std::uint32_t, std::int64_t>{UM_REQ_MW, 12}));
}

TEST_F(MemoryWrite, EmptyFieldAndClosingWriteNothing)
{
    enter("");
    EXPECT_EQ(outbox.windowSends.size(), 1u);
    EXPECT_TRUE(requests().empty());

    WindowFixture other;
    CMemoryWriteDlg closing(other.ctx, nullptr, &other.prompt);
    closing.field()->setText("7");
    closing.accept();
    closing.close();
    closing.onProbeTimeout();
    EXPECT_EQ(other.requestIds(), (std::vector<std::uint32_t>{UM_REQ_MR_READ}));
}

// ---- Command Send ----

// Before, "MD02" went without its ";" and glued onto the next poll.
TEST(CommandSendDialog, SendsTheTypedTextInUpperCaseWithItsClosingSemicolon)
{
    WindowFixture fx;
    CCommandSendDlg dlg(fx.ctx);
    dlg.show();
    QTest::keyClicks(dlg.field(), "fa14250000;md02");
    QTest::keyClick(dlg.field(), Qt::Key_Return);
    EXPECT_EQ(fx.sent, (std::vector<std::string>{"FA14250000;MD02;"}));
    ASSERT_EQ(fx.outbox.windowSends.size(), 1u);
    EXPECT_EQ(fx.outbox.windowSends[0].id, UM_CMDSEND_DONE);
}

TEST(CommandSendDialog, BytesOutsidePrintableAsciiNeverReachTheLine)
{
    WindowFixture fx;
    CCommandSendDlg dlg(fx.ctx);
    dlg.field()->setText(QStringLiteral("FA;"));
    dlg.field()->insert(QString::fromUtf8("\xC3\xA9\t"));
    EXPECT_EQ(dlg.field()->text(), "FA;");
    dlg.accept();
    EXPECT_EQ(fx.sent, (std::vector<std::string>{"FA;"}));
}

TEST(CommandSendDialog, EmptyFieldSendsNothingAndLengthIsCapped)
{
    WindowFixture fx;
    CCommandSendDlg dlg(fx.ctx);
    dlg.accept();
    EXPECT_TRUE(fx.sent.empty());
    EXPECT_EQ(fx.outbox.windowSends.size(), 1u);
    dlg.field()->setText(QString(600, 'A'));
    EXPECT_EQ(dlg.field()->text().size(), 500);
}

// ---- COM Select and Baud rate ----

class FakePorts : public PortSettings {
public:
    int port = 3;
    int baud = 4800;
    bool probeOk = true;
    std::vector<std::string> calls;
    int portNumber() const override { return port; }
    int baudRate() const override { return baud; }
    bool saveOk = true;
    std::string failure;
    std::optional<std::string> deviceFor(int n) const override
    {
        if (n == 1)
            return "/dev/ttyUSB0";
        if (n == 2)
            return "/dev/ttyUSB1";
        return std::nullopt;
    }
    std::optional<std::string> byIdName(const std::string& device) const override
    {
        return device == "/dev/ttyUSB1" ? std::optional<std::string>("usb-FTDI_FT232R_A50-if00-port0") : std::nullopt;
    }
    bool probe(int n) override
    {
        calls.push_back("probe " + std::to_string(n));
        return probeOk;
    }
    std::string lastFailure() const override { return failure; }
    bool closePort() override
    {
        calls.push_back("close");
        return true;
    }
    void setPortNumber(int n) override { calls.push_back("port " + std::to_string(n)); }
    void setBaudRate(int b) override { calls.push_back("baud " + std::to_string(b)); }
    bool save() override
    {
        calls.push_back("save");
        return saveOk;
    }

    std::optional<std::string> network;
    std::optional<std::string> networkDevice() const override { return network; }
    std::optional<std::string> device; // --device
    std::optional<std::string> commandLineDevice() const override { return device; }
    bool setNetworkDevice(const std::optional<std::string>& address, std::string&) override
    {
        calls.push_back("network " + address.value_or("none"));
        return true;
    }
    // The network probe holds until the test answers it (or the dialog gives up).
    bool probeNetwork(const std::string& address, std::string& why, const std::atomic<bool>& cancel) override
    {
        std::unique_lock lock(probeMutex);
        probed.push_back(address);
        probeThread = std::this_thread::get_id();
        while (!answered && !cancel.load())
            probeCv.wait_for(lock, std::chrono::milliseconds(10));
        gaveUp = !answered;
        why = probeWhy;
        return answered && probeOk;
    }
    void answerProbe(bool ok, std::string why = {})
    {
        std::lock_guard lock(probeMutex);
        answered = true;
        probeOk = ok;
        probeWhy = std::move(why);
        probeCv.notify_all();
    }
    std::vector<std::string> probesSeen()
    {
        std::lock_guard lock(probeMutex);
        return probed;
    }
    std::mutex probeMutex;
    std::condition_variable probeCv;
    std::vector<std::string> probed;
    std::thread::id probeThread;
    bool answered = false, gaveUp = false;
    std::string probeWhy;
};

class PortDialogs : public ::testing::Test, public WindowFixture {
protected:
    void pick(PortChoiceDlg& dlg, int row)
    {
        dlg.list()->setCurrentIndex(row);
        emit dlg.list()->activated(row);
    }
    FakePorts ports;
};

TEST_F(PortDialogs, ComListShowsTheDeviceBehindEachNumber)
{
    CComSelectDlg dlg(ctx, ports, nullptr, &prompt);
    ASSERT_EQ(dlg.list()->count(), 20);
    EXPECT_EQ(dlg.list()->itemText(0), "COM1  (/dev/ttyUSB0)");
    EXPECT_EQ(dlg.list()->itemText(1), "COM2  (/dev/ttyUSB1  usb-FTDI_FT232R_A50-if00-port0)");
    EXPECT_EQ(dlg.list()->itemText(19), "COM20  (none)");
    EXPECT_EQ(dlg.list()->currentIndex(), 2);
    EXPECT_EQ(dlg.list()->markedIndex(), 2) << "the port in use is drawn red";
    pick(dlg, 5);
    EXPECT_EQ(dlg.list()->markedIndex(), 2) << "picking does not move the mark";
}

TEST_F(PortDialogs, StartedWithDeviceTheDialogSaysWhichOneIsUsed)
{
    {
        CComSelectDlg dlg(ctx, ports, nullptr, &prompt);
        EXPECT_EQ(dlg.commandLineNote(), nullptr) << "nothing to say without --device";
    }
    ports.device = "/dev/ttyACM0";
    CComSelectDlg dlg(ctx, ports, nullptr, &prompt);
    ASSERT_NE(dlg.commandLineNote(), nullptr);
    const QString note = dlg.commandLineNote()->text();
    EXPECT_TRUE(note.contains(QStringLiteral("--device /dev/ttyACM0"))) << note.toStdString();
    EXPECT_TRUE(note.contains(QStringLiteral("takes its place for this run"))) << note.toStdString();
}

TEST_F(PortDialogs, CurrentPortChangesNothingButReportsDone)
{
    CComSelectDlg dlg(ctx, ports, nullptr, &prompt);
    pick(dlg, 2);
    dlg.accept();
    EXPECT_TRUE(ports.calls.empty());
    ASSERT_EQ(outbox.windowSends.size(), 1u);
    EXPECT_EQ(outbox.windowSends[0].id, UM_COMSELECT_DONE);
}

TEST_F(PortDialogs, NewPortIsProbedClosedStoredAndSaved)
{
    CComSelectDlg dlg(ctx, ports, nullptr, &prompt);
    pick(dlg, 0);
    dlg.accept();
    EXPECT_EQ(ports.calls, (std::vector<std::string>{"probe 1", "close", "port 1", "save"}));
    EXPECT_TRUE(requests().empty()) << "auto-information was off";
    EXPECT_EQ(outbox.windowSends.size(), 1u);
}

TEST_F(PortDialogs, FailedProbeKeepsEverythingAndStaysOpen)
{
    ports.probeOk = false;
    CComSelectDlg dlg(ctx, ports, nullptr, &prompt);
    pick(dlg, 5);
    dlg.accept();
    EXPECT_EQ(ports.calls, (std::vector<std::string>{"probe 6"}));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], "Failed to open the port.");
    EXPECT_TRUE(outbox.windowSends.empty());

    ports.failure = "/dev/ttyUSB5: this port is in use by another program: minicom (process 812).";
    dlg.accept();
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[1], "Failed to open the port.\n\n" + QString::fromStdString(ports.failure));
}

TEST_F(PortDialogs, ASaveThatFailsIsShownWithItsReason)
{
    ports.saveOk = false;
    ports.failure = "CommoFiles/CommSetting.csv: Read-only file system";
    CBaudRateDlg dlg(ctx, ports, nullptr, &prompt);
    pick(dlg, 2);
    dlg.accept();
    EXPECT_EQ(ports.calls, (std::vector<std::string>{"close", "baud 19200", "save"}));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], "Failed to save the COM port configuration file.\n\n"
                               "CommoFiles/CommSetting.csv: Read-only file system");
    EXPECT_EQ(outbox.windowSends.size(), 1u) << "the dialog still ends";
}

TEST_F(PortDialogs, BaudListAndAutoInformationWait)
{
    radio.set(RadioState::Int::AI, 1);
    CBaudRateDlg dlg(ctx, ports);
    ASSERT_EQ(dlg.list()->count(), 4);
    const char* rates[] = {"4800", "9600", "19200", "38400"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(dlg.list()->itemText(i), rates[i]);
    EXPECT_EQ(dlg.list()->markedIndex(), dlg.list()->currentIndex());
    EXPECT_EQ(dlg.list()->itemText(dlg.list()->markedIndex()), QString::number(ports.baud));
    pick(dlg, 3);
    dlg.accept();
    EXPECT_EQ(requestIds(), (std::vector<std::uint32_t>{UM_REQ_AI_TOGGLE}));
    EXPECT_TRUE(dlg.waitingForAiOff());
    dlg.checkAiOff();
    EXPECT_TRUE(ports.calls.empty());
    radio.set(RadioState::Int::AI, 0);
    dlg.checkAiOff();
    EXPECT_EQ(ports.calls, (std::vector<std::string>{"close", "baud 38400", "save"}));
    EXPECT_EQ(outbox.windowSends.size(), 1u);
    EXPECT_EQ(outbox.windowSends[0].id, UM_BAUDRATE_DONE);
}

TEST_F(PortDialogs, RadioThatKeepsAutoInformationOnLeavesThePortOpen)
{
    radio.set(RadioState::Int::AI, 1);
    CBaudRateDlg dlg(ctx, ports);
    pick(dlg, 1);
    dlg.accept();
    for (int i = 0; i < 28; ++i)
        dlg.checkAiOff();
    EXPECT_TRUE(ports.calls.empty());
    dlg.checkAiOff();
    EXPECT_EQ(ports.calls, (std::vector<std::string>{"baud 9600", "save"}));
    EXPECT_FALSE(dlg.waitingForAiOff());
}

// ---- A radio on the network in COM Select and Baud rate ----

TEST_F(PortDialogs, NetworkRadioIsTriedOffTheUiThreadThenChosenAndSaved)
{
    CComSelectDlg dlg(ctx, ports, nullptr, &prompt);
    QTest::keyClicks(dlg.networkField(), "shack.local:2000");
    dlg.accept();
    ASSERT_TRUE(dlg.probing());
    EXPECT_FALSE(dlg.networkField()->isEnabled());
    EXPECT_FALSE(dlg.list()->isEnabled());
    QX_WAIT_ASSERT(ports.probesSeen().size() == 1, 5000);
    EXPECT_EQ(ports.probesSeen()[0], "tcp://shack.local:2000");
    dlg.accept(); // a second OK while the probe runs starts nothing
    EXPECT_TRUE(ports.calls.empty());
    ports.answerProbe(true);
    QX_WAIT_ASSERT(!dlg.probing(), 5000);
    EXPECT_NE(ports.probeThread, std::this_thread::get_id());
    EXPECT_EQ(ports.probesSeen().size(), 1u);
    EXPECT_EQ(ports.calls, (std::vector<std::string>{"close", "network tcp://shack.local:2000", "save"}));
    ASSERT_EQ(outbox.windowSends.size(), 1u);
    EXPECT_EQ(outbox.windowSends[0].id, UM_COMSELECT_DONE);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(PortDialogs, RefusedNetworkRadioNamesHostAndPortAndChangesNothing)
{
    CComSelectDlg dlg(ctx, ports, nullptr, &prompt);
    QTest::keyClicks(dlg.networkField(), "rfc2217://[fd00::7]:2001");
    dlg.accept();
    ports.answerProbe(false, "Connection refused");
    QX_WAIT_ASSERT(!dlg.probing(), 5000);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], "Failed to open the port.\n[fd00::7]:2001: Connection refused");
    EXPECT_TRUE(ports.calls.empty());
    EXPECT_TRUE(outbox.windowSends.empty());
    EXPECT_TRUE(dlg.networkField()->isEnabled()) << "the operator may correct the address";
}

TEST_F(PortDialogs, MalformedNetworkAddressIsRefusedWithoutConnecting)
{
    CComSelectDlg dlg(ctx, ports, nullptr, &prompt);
    for (const char* typed : {"shack.local", "shack.local:70000", "telnet://shack:23", "sh ack:2000"}) {
        dlg.networkField()->clear();
        QTest::keyClicks(dlg.networkField(), typed);
        dlg.accept();
        EXPECT_FALSE(dlg.probing()) << typed;
    }
    EXPECT_EQ(prompt.shown.size(), 4u);
    EXPECT_TRUE(prompt.shown[0].contains("is no network address")) << prompt.shown[0].toStdString();
    EXPECT_TRUE(ports.probesSeen().empty());
    EXPECT_TRUE(ports.calls.empty());
}

TEST_F(PortDialogs, ANumberedPortEvenTheSameOneReplacesTheNetworkRadio)
{
    ports.network = "rfc2217://shack.local:2001";
    CComSelectDlg dlg(ctx, ports, nullptr, &prompt);
    EXPECT_EQ(dlg.networkField()->text(), "rfc2217://shack.local:2001");
    EXPECT_EQ(dlg.list()->markedIndex(), -1) << "no numbered port is in use";
    EXPECT_EQ(dlg.list()->currentIndex(), 2) << "the remembered port is shown";
    pick(dlg, 2);
    EXPECT_TRUE(dlg.networkField()->text().isEmpty());
    dlg.accept();
    EXPECT_EQ(ports.calls, (std::vector<std::string>{"probe 3", "close", "network none", "port 3", "save"}));
}

TEST_F(PortDialogs, TheSameNetworkRadioChangesNothingAndAnEmptiedFieldGoesBackToThePort)
{
    ports.network = "tcp://shack.local:2000";
    {
        CComSelectDlg dlg(ctx, ports, nullptr, &prompt);
        dlg.networkField()->clear();
        QTest::keyClicks(dlg.networkField(), "shack.local:2000"); // the same radio, written short
        dlg.accept();
        EXPECT_FALSE(dlg.probing());
        EXPECT_TRUE(ports.calls.empty());
    }
    CComSelectDlg dlg(ctx, ports, nullptr, &prompt);
    dlg.networkField()->clear();
    QTest::keyClick(dlg.networkField(), Qt::Key_Space);
    QTest::keyClick(dlg.networkField(), Qt::Key_Backspace);
    dlg.accept();
    EXPECT_EQ(ports.calls, (std::vector<std::string>{"close", "network none", "save"}));
}

TEST_F(PortDialogs, ClosingTheDialogDuringAProbeStopsTheProbe)
{
    {
        CComSelectDlg dlg(ctx, ports, nullptr, &prompt);
        QTest::keyClicks(dlg.networkField(), "shack.local:2000");
        dlg.accept();
        QX_WAIT_ASSERT(ports.probesSeen().size() == 1, 5000);
    } // never answered: the dialog's end must not wait for the connect time-out
    EXPECT_TRUE(ports.gaveUp);
    QCoreApplication::processEvents(); // a result queued by the probe finds no dialog
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(ports.calls.empty());
}

TEST_F(PortDialogs, BaudRateSaysWhatTheSpeedReachesForANetworkRadio)
{
    {
        CBaudRateDlg dlg(ctx, ports);
        EXPECT_EQ(dlg.networkNote(), nullptr);
    }
    ports.network = "tcp://shack.local:2000";
    {
        CBaudRateDlg dlg(ctx, ports);
        ASSERT_NE(dlg.networkNote(), nullptr);
        EXPECT_TRUE(dlg.networkNote()->text().contains("cannot set the line speed"));
        EXPECT_TRUE(dlg.networkNote()->text().contains("shack.local:2000"));
    }
    ports.network = "rfc2217://shack.local:2001";
    CBaudRateDlg dlg(ctx, ports);
    ASSERT_NE(dlg.networkNote(), nullptr);
    EXPECT_TRUE(dlg.networkNote()->text().contains("Sets the line speed"));
    pick(dlg, 1);
    dlg.accept();
    EXPECT_EQ(ports.calls, (std::vector<std::string>{"close", "baud 9600", "save"}));
}

// ---- VCC and Version ----

TEST(VccDialog, ShowsTheVoltagePadded)
{
    struct Case {
        int tenths;
        const char* text;
    };
    for (const Case c : {Case{138, "Vcc =  13.8 V"}, Case{5, "Vcc =   0.5 V"}, Case{999, "Vcc =  99.9 V"}})
        EXPECT_EQ(CVccDlg::vccText(c.tenths), c.text);
    WindowFixture fx;
    CVccDlg dlg(fx.ctx);
    fx.radio.set(RadioState::Int::VC, 138);
    dlg.onNotification({UM_ANS_VC, 0, 0});
    EXPECT_EQ(dlg.reading()->text(), "Vcc =  13.8 V");
    dlg.accept();
    ASSERT_EQ(fx.outbox.windowSends.size(), 1u);
    EXPECT_EQ(fx.outbox.windowSends[0].id, UM_VCC_DONE);
}

TEST(VersionDialog, ShowsTheVersionLine)
{
    CVersionDlg dlg;
    EXPECT_EQ(dlg.versionLine()->text(), "RCP-720 VERSION  1.10");
    EXPECT_EQ(dlg.windowTitle(), "Version information of RCP for QX-720");
}

} // namespace
} // namespace qx::test
