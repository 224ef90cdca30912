// The link state the engine reports, as the headless runner prints it, on a
// real line to the simulated radio: every phase from start-up to a close
// for sleep, in the order an operator would live through them.
#include "EngineRig.h"

#include "app/qt/HeadlessRunner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <mutex>
#include <sstream>

namespace qx::test {
namespace {

using namespace std::chrono_literals;

// Everything written to `f` so far.
std::string contents(std::FILE* f)
{
    std::fflush(f);
    const long end = std::ftell(f);
    std::string text(static_cast<std::size_t>(end), '\0');
    std::rewind(f);
    const std::size_t n = std::fread(text.data(), 1, text.size(), f);
    text.resize(n);
    std::fseek(f, end, SEEK_SET);
    return text;
}

std::vector<std::string> linkLines(std::FILE* f)
{
    std::vector<std::string> out;
    std::istringstream in(contents(f));
    for (std::string line; std::getline(in, line);)
        if (line.rfind("LINK ", 0) == 0)
            out.push_back(line);
    return out;
}

TEST(LinkStateLines, HeadlessRunnerPrintsEveryPhaseFromOpenToSleep)
{
    sim::SimOptions so;
    so.radio.bootDelay = 100ms;
    EngineRig rig(false, so);
    ASSERT_TRUE(rig.simStarted());
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ASSERT_TRUE(out && err);
    {
        HeadlessRunner runner(rig.engine(), rig.bridge(), out, err);
        const std::string on = " on " + (rig.dir() / "qx720").string() + " at 4800 bit/s";
        auto saw = [&](const std::string& phase) {
            return rig.waitUntil([&] {
                const auto lines = linkLines(out);
                return std::find(lines.begin(), lines.end(), "LINK " + phase + on) != lines.end();
            });
        };
        auto last = [&] {
            const auto lines = linkLines(out);
            return lines.empty() ? std::string() : lines.back();
        };

        runner.start(false);
        ASSERT_TRUE(saw("port open"));
        runner.feedLine("post UM_REQ_AI_TOGGLE");
        ASSERT_TRUE(saw("linked (radio ID 0241, auto-information on)")) << contents(out);
        EXPECT_EQ(linkLines(out), (std::vector<std::string>{"LINK port open" + on,
                                                           "LINK connecting (attempt 1 of 4)" + on,
                                                           "LINK linked (radio ID 0241, auto-information on)" + on}));

        // The panel's one-second poll finds the radio switched off, then on again.
        rig.sim().power(false);
        ASSERT_TRUE(saw("radio off")) << contents(out);
        const std::size_t before = linkLines(out).size();
        rig.sim().power(true);
        ASSERT_TRUE(rig.waitUntil([&] { return linkLines(out).size() > before && last().find("linked") != std::string::npos; }))
            << contents(out);

        // A radio that stops answering is lost by the watchdog.
        sim::FaultSettings silent;
        silent.silent = true;
        rig.sim().setFaults(silent);
        ASSERT_TRUE(saw("link lost (watchdog)")) << contents(out);
        // The analyser drops auto-information just after the report.
        ASSERT_TRUE(rig.waitUntil([&] { return rig.command().get(CommandState::Int::AI) == 0; }));

        rig.sim().setFaults({});
        rig.engine().closeForSleep();
        ASSERT_TRUE(saw("port closed (sleep)"));
        EXPECT_FALSE(rig.engine().link().isOpen());

        // Pressing for the link again opens the port and finds the same radio.
        runner.feedLine("post UM_REQ_AI_TOGGLE");
        ASSERT_TRUE(rig.waitUntil([&] { return last() == "LINK linked (radio ID 0241, auto-information on)" + on; }))
            << contents(out);
    }
    std::fclose(out);
    std::fclose(err);
}

TEST(LinkStateLines, APortThatWillNotOpenIsNoPort)
{
    QTemporaryDir dir;
    EngineConfig config;
    config.baseDir = dir.path().toStdString();
    config.devicePath = (dir.path() + QStringLiteral("/absent")).toStdString();
    UiBridge bridge;
    RadioState radio;
    CommandState command;
    MenuTable menu;
    Engine engine(config, bridge, radio, command, menu);
    std::mutex mutex; // the send thread retries the open and reports too
    std::vector<LinkStatus> seen;
    engine.setLinkListener([&](const LinkStatus& s) {
        std::lock_guard lock(mutex);
        seen.push_back(s);
    });
    engine.startUp();
    bridge.beginShutdown();
    engine.shutDown();
    std::lock_guard lock(mutex);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().phase, LinkPhase::NoPort);
    EXPECT_EQ(seen.front().port, *config.devicePath);
}

} // namespace
} // namespace qx::test
