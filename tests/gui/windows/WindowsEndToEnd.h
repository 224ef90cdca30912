// The windows against the simulated radio: the engine on its threads,
// hosted on this Qt loop as the program hosts it, with the main window's
// part (forwarding notifications, timer 39) played by the test host.
#pragma once
#include "tests/gui/windows/WindowFixture.h"
#include "tests/integration/EngineRig.h"
#include "windows/AuxWindow.h"
#include "windows/MacroKeys.h"
#include "windows/MacroSender.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::test {

class WindowsEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.simStarted());
        rig.engine().startUp();
        ASSERT_TRUE(rig.linkUp());
        rig.bridge().setMessageHandler([this](const Message& m) {
            if (open && !open->finished() && auxWindowTakes(open->kind(), m.id))
                open->onNotification(m);
        });
        rig.bridge().setTimerHandler([this](int id) {
            if (id == MacroSender::kTimerId)
                macros.continueSending();
            else
                rig.engine().onTimer(id);
        });
    }

    bool radioReceived(const std::string& text)
    {
        return rig.sim().log().waitForText(sim::Direction::Received, text, std::chrono::milliseconds(0));
    }
    bool waitReceived(const std::string& text)
    {
        return rig.waitUntil([&] { return radioReceived(text); });
    }
    std::string radioAnswer(const std::string& read)
    {
        sim::RadioModel model = rig.sim().model();
        const auto answers = model.handle(read);
        return answers.empty() ? std::string() : answers.front();
    }

    EngineRig rig;
    RecordingPrompt prompt;
    WindowContext ctx{rig.engine(), rig.radio(), rig.command(), rig.menu(), rig.engine().flags(),
                      [this](const std::string& s) { return rig.engine().sendRaw(s); }};
    MacroKeys macros{rig.engine(), ctx.sendRaw, rig.dir(), [] {}};
    // The window the notifications go to, as the main window forwards them.
    AuxWindow* open = nullptr;
};

} // namespace qx::test
