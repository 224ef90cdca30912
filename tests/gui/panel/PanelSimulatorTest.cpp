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

TEST(PanelWithSimulatedRadio, LinkUpShowsFrequencyAndModeAndFollowsTheDial)
{
    sim::SimulatedRadio radio;
    ASSERT_TRUE(radio.start());
    {
        test::SessionHost host(radio.slaveName(), true);
        CMainPanelDlg& window = host.window();
        const panel::PanelModel& m = window.display().model();

        QX_WAIT_ASSERT(window.firstDrawDone(), 10000);
        const auto rig = radio.model();
        const long long start = rig.frequency(rig.activeVfo());
        QX_WAIT_ASSERT(m.frequency.digits == digitsOf(start), 15000);
        QX_WAIT_ASSERT(m.keys[1] >= panel::kKeyOnOffset, 15000);
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
    QX_WAIT_ASSERT(shown().contains(settings) && shown().contains(port), 10000);
    EXPECT_EQ(shown().size(), 2);
}

} // namespace
} // namespace qx
