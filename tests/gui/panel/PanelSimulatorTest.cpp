// The windowed program as it starts: engine, bridge and main window, with
// the simulated radio on a real pseudo-terminal or with no radio at all.
#include "core/ErrorMessages.h"
#include "panel/LinkStatusLine.h"
#include "sim/SimulatedRadio.h"
#include "tests/gui/GuiWait.h"
#include "tests/gui/panel/SessionHost.h"

#include <QMessageBox>

#include <gtest/gtest.h>

namespace qx {
namespace {

using Digits = std::array<int, 8>;

Digits digitsOf(long long hz)
{
    Digits d{};
    for (int i = 7; i >= 0; --i, hz /= 10)
        d[static_cast<std::size_t>(i)] = hz > 0 ? static_cast<int>(hz % 10) : panel::kBlankDigit;
    return d;
}

// --connect against a radio that is on but slow to answer: the LINK key
// waits for the power answer and never switches the radio on again.
TEST(PanelWithSimulatedRadio, ConnectWaitsForThePowerStateThenShowsFrequencyModeAndTheDial)
{
    sim::SimulatedRadio radio;
    ASSERT_TRUE(radio.start());
    sim::FaultSettings slow;
    slow.delay = std::chrono::milliseconds(400);
    radio.setFaults(slow);
    {
        test::SessionHost host(radio.slaveName(), true);
        CMainPanelDlg& window = host.window();
        const panel::PanelModel& m = window.display().model();

        auto answeredPower = [&radio] {
            for (const auto& e : radio.log().events())
                if (e.direction == sim::Direction::Sent && e.text == "PS1;")
                    return true;
            return false;
        };
        QX_WAIT_ASSERT(answeredPower(), 10000);
        radio.setFaults({});
        QX_WAIT_ASSERT(window.firstDrawDone(), 10000);
        const auto rig = radio.model();
        const long long start = rig.frequency(rig.activeVfo());
        QX_WAIT_ASSERT(m.frequency.digits == digitsOf(start), 15000);
        QX_WAIT_ASSERT(m.keys[panel::kLinkKeyLamp] >= panel::kKeyOnOffset, 15000);
        const auto want = panel::modeSegments(rig.mode(rig.activeVfo()), 0);
        ASSERT_TRUE(want.has_value());
        auto shown = [&m] {
            using panel::Seg;
            return panel::ModeSegments{m.seg(Seg::Lsb), m.seg(Seg::Usb), m.seg(Seg::Cw),
                                       m.seg(Seg::Fm),  m.seg(Seg::Am),  m.seg(Seg::Data)};
        };
        QX_WAIT_ASSERT(shown() == *want, 10000);
        QX_WAIT_ASSERT(window.statusLine().plainText().endsWith(
                           QStringLiteral("linked (radio ID 0241, auto-information on)")),
                       10000);

        radio.turnDial(5);
        const auto after = radio.model();
        const long long moved = after.frequency(after.activeVfo());
        ASSERT_NE(moved, start);
        QX_WAIT_ASSERT(m.frequency.digits == digitsOf(moved), 10000);
    }
    radio.stop();
    for (const auto& e : radio.log().events())
        EXPECT_FALSE(e.direction == sim::Direction::Received && e.text.starts_with("PS1"))
            << "the radio was on; it was switched on at " << e.at.count() << " ms";
}

TEST(StartUp, NoSettingsFileAndNoPortShowsBothBoxes)
{
    test::SessionHost host("/nonexistent/qx720", false);
    auto shown = [&host] {
        QStringList t;
        for (QMessageBox* b : host.window().messageBoxes())
            if (b->isVisible())
                t << b->text();
        return t;
    };
    auto text = [](long row) {
        const std::string_view t = errorMessageText(row).value_or("");
        return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
    };
    const QString settings = text(2);
    const QString port = text(0);
    ASSERT_FALSE(settings.isEmpty() || port.isEmpty());
    auto showing = [&shown](const QString& head) {
        for (const QString& t : shown())
            if (t.startsWith(head))
                return t;
        return QString();
    };
    QX_WAIT_ASSERT(!showing(settings).isEmpty() && !showing(port).isEmpty(), 10000);
    EXPECT_EQ(shown().size(), 2);
    // Below each message, what the system said.
    EXPECT_TRUE(showing(settings).endsWith("CommSetting.csv: no such file")) << showing(settings).toStdString();
    EXPECT_TRUE(showing(port).contains(port + "\n\n/nonexistent/qx720: no such device.\n"))
        << showing(port).toStdString();
}

} // namespace
} // namespace qx
