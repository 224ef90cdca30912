// The windowed program against the simulated radio: engine, bridge, main
// window and a real pseudo-terminal.
#include "panel/PanelSession.h"

#include "app/Engine.h"
#include "app/qt/UiBridge.h"
#include "menu/MenuTable.h"
#include "panel/MainPanelDlg.h"
#include "sim/SimulatedRadio.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/gui/GuiWait.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

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
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    EngineConfig config;
    config.baseDir = dir.path().toStdString();
    config.devicePath = radio.slaveName();
    RadioState state;
    CommandState command;
    MenuTable menu;
    UiBridge bridge;
    Engine engine(config, bridge, state, command, menu);
    {
        PanelSessionOptions options;
        options.splashMs = 0;
        options.connect = true;
        PanelSession session(engine, bridge, options);
        session.start();
        const panel::PanelModel& m = session.window().display().model();

        QX_WAIT_ASSERT(session.window().firstDrawDone(), 10000);
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

        radio.turnDial(5);
        const auto after = radio.model();
        const long long moved = after.frequency(after.activeVfo());
        ASSERT_NE(moved, start);
        QX_WAIT_ASSERT(m.frequency.digits == digitsOf(moved), 10000);

        for (QMessageBox* b : session.window().messageBoxes())
            b->close();
        bridge.beginShutdown();
        engine.shutDown();
    }
    radio.stop();
}

} // namespace
} // namespace qx
