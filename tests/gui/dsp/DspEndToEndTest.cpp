// The NOTCH window against the simulated radio: the engine on its threads,
// hosted on this Qt loop, with the main window's forwarding played by the
// test.
#include "panel/dsp/NotchDlg.h"
#include "tests/integration/EngineRig.h"

#include <QApplication>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cstdio>

namespace qx::test {
namespace {

TEST(DspEndToEnd, TurningTheNotchKnobChangesTheRadiosNotchFrequency)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    rig.engine().startUp();
    ASSERT_TRUE(rig.linkUp());
    WindowContext ctx{rig.engine(), rig.radio(), rig.command(), rig.menu(), rig.engine().flags(),
                      [&rig](const std::string& s) { return rig.engine().sendRaw(s); }};
    CNotchDlg dlg(ctx);
    rig.bridge().setMessageHandler([&dlg](const Message& m) {
        if (auxWindowTakes(dlg.kind(), m.id))
            dlg.onNotification(m);
    });

    const int before = rig.radio().get(RadioState::Int::BP_LEVEL);
    const int after = before < 327 ? before + 1 : before - 1;
    const QPoint knob(166, 67);
    QWheelEvent e(knob, dlg.mapToGlobal(knob), QPoint(), QPoint(0, after > before ? 120 : -120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&dlg, &e);

    char command[16];
    std::snprintf(command, sizeof command, "BP01%03d;", after);
    ASSERT_TRUE(rig.waitUntil([&] {
        return rig.sim().log().waitForText(sim::Direction::Received, command, std::chrono::milliseconds(0));
    }));
    sim::RadioModel model = rig.sim().model();
    const auto answers = model.handle("BP01;");
    ASSERT_FALSE(answers.empty());
    EXPECT_EQ(answers.front(), command);
    EXPECT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::BP_LEVEL) == after; }))
        << "the window's state follows the radio";
    EXPECT_TRUE(rig.waitUntil([&] { return !dlg.knobs().readBackPending(); }));
}

} // namespace
} // namespace qx::test
