// The whole program fed what a careless user and a crowded machine produce:
// odd things in place of its files, a port that someone else holds, and
// the headless console's commands at their limits.
#include "EngineRig.h"

#include "app/qt/HeadlessRunner.h"
#include "core/ErrorMessages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>

namespace qx::test {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;

// Before, the FIFO blocked start-up for ever.
TEST(HostileFiles, SettingsThatCannotBeReadOrSavedAreReportedWithTheirReason)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    const auto csv = rig.dir() / "CommoFiles" / "CommSetting.csv";
    std::filesystem::create_directories(csv.parent_path());
    ASSERT_EQ(::mkfifo(csv.c_str(), 0600), 0);

    const StartReport report = rig.engine().startUp();
    EXPECT_FALSE(report.settingsRead);
    EXPECT_TRUE(report.portOpened);
    EXPECT_EQ(rig.engine().errorDetail(kSettingsFileFailedRow),
              csv.string() + ": not a regular file; it was renamed to CommSetting.csv.bad");
    EXPECT_TRUE(rig.waitFor(UM_SHOW_ERROR));

    std::filesystem::create_directories(csv / "in the way");
    rig.bridge().beginShutdown();
    rig.engine().shutDown();
    EXPECT_THAT(rig.engine().settingsSaveFailure(), ::testing::StartsWith(csv.string() + ": "));
}

TEST(HostilePort, ASecondEngineOnTheSameDeviceIsRefusedAndTheFirstKeepsIt)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    ASSERT_TRUE(rig.engine().startUp().portOpened);

    RadioState radio;
    CommandState command;
    MenuTable menu;
    UiBridge bridge;
    EngineConfig config;
    config.baseDir = rig.dir() / "second";
    config.devicePath = (rig.dir() / "qx720").string();
    Engine second(config, bridge, radio, command, menu);
    EXPECT_FALSE(second.startUp().portOpened);
    EXPECT_THAT(second.errorDetail(kPortOpenFailedRow),
                ::testing::EndsWith("qx720: this port is already open in this program."));
    bridge.beginShutdown();
    second.shutDown();

    ASSERT_TRUE(rig.engine().link().isOpen()) << "nothing of the first copy's link was taken";
    ASSERT_TRUE(rig.engine().sendRaw("FA;"));
    EXPECT_TRUE(rig.sim().log().waitForText(sim::Direction::Received, "FA;", 10s));
    EXPECT_TRUE(rig.sim().log().waitForText(sim::Direction::Sent, "FA14250000;", 10s));
}

struct Console {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ~Console()
    {
        std::fclose(out);
        std::fclose(err);
    }
    static std::string text(std::FILE* f)
    {
        std::fflush(f);
        std::rewind(f);
        std::string s;
        for (int c; (c = std::fgetc(f)) != EOF;)
            s += static_cast<char>(c);
        return s;
    }
};

TEST(HostileConsole, OnlyRequestsArePostedAndWhatCannotBeSentIsSaid)
{
    sim::SimOptions unknownModel;
    unknownModel.radio.id = "9999";
    EngineRig rig(false, unknownModel);
    ASSERT_TRUE(rig.simStarted());
    Console console;
    HeadlessRunner runner(rig.engine(), rig.bridge(), console.out, console.err);
    runner.start(false);
    ASSERT_TRUE(rig.sim().log().waitForText(sim::Direction::Received, "PS;", 10s));

    runner.feedLine("post UM_THREAD_QUIT");
    runner.feedLine("post UM_ANSWER_ARRIVED");
    runner.feedLine("post UM_REQ_MW 0 -1");
    runner.feedLine("post UM_REQ_MW 0 505");
    runner.feedLine("send " + std::string(512, 'A'));
    // Still working, and the model is named when it is unknown.
    runner.feedLine("post UM_REQ_AI_TOGGLE");
    EXPECT_TRUE(rig.waitUntil([&] {
        return Console::text(console.err).find("The transceiver answered as model 9999.") != std::string::npos;
    }));
    const std::string err = Console::text(console.err);
    EXPECT_THAT(err, HasSubstr("post: UM_THREAD_QUIT is not a request\n"));
    EXPECT_THAT(err, HasSubstr("post: UM_ANSWER_ARRIVED is not a request\n"));
    EXPECT_THAT(err, HasSubstr("send: text too long\n"));
    EXPECT_THAT(err, HasSubstr("Failed to connect the COM port.\n\nThe transceiver answered as model 9999.\n"));
    for (const std::string& text : rig.received())
        EXPECT_NE(text.substr(0, 2), "MW") << text;
    EXPECT_THAT(rig.received(), ::testing::Contains("ID;"));
    // Before the runner goes: no message may reach it afterwards.
    rig.bridge().beginShutdown();
    rig.engine().shutDown();
}

// Before, quit and end of input queued behind a wait or sleep of up to a day.
TEST(HostileConsole, AtATerminalQuitAndEndOfInputEndAWaitAtOnce)
{
    for (const bool endOfInput : {false, true}) {
        EngineRig rig;
        ASSERT_TRUE(rig.simStarted());
        Console console;
        HeadlessRunner runner(rig.engine(), rig.bridge(), console.out, console.err);
        runner.setInteractive(true);
        runner.start(false);
        ASSERT_TRUE(rig.engine().link().isOpen());
        runner.feedLine(endOfInput ? "sleep 3600000" : "wait UM_ANS_FA 3600000");
        runner.feedLine("get FA");
        if (endOfInput)
            runner.endOfInput();
        else
            runner.feedLine("quit");
        EXPECT_FALSE(rig.engine().link().isOpen()) << "shut down in order, at once";
        EXPECT_THAT(Console::text(console.out), ::testing::Not(::testing::ContainsRegex("(^|\n)FA [0-9]")))
            << "nothing after quit";
    }

    // A script's lines keep their order: its quit waits for the sleep before it.
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    Console console;
    HeadlessRunner runner(rig.engine(), rig.bridge(), console.out, console.err);
    runner.start(false);
    runner.feedLine("sleep 3600000");
    runner.feedLine("quit");
    EXPECT_TRUE(rig.engine().link().isOpen());
    rig.bridge().beginShutdown();
    rig.engine().shutDown();
}

// A script that ends right after a wait: the wait runs out, the lines after
// it run, and only then does the end of input quit.
TEST(HostileConsole, AScriptsEndOfInputComesAfterItsLastLines)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    Console console;
    HeadlessRunner runner(rig.engine(), rig.bridge(), console.out, console.err);
    runner.start(false);
    runner.feedLine("wait UM_ANS_ID 300");
    runner.feedLine("get AI");
    runner.endOfInput();
    EXPECT_TRUE(rig.engine().link().isOpen()) << "the wait still runs";
    ASSERT_TRUE(rig.waitUntil([&] { return !rig.engine().link().isOpen(); }));
    EXPECT_THAT(Console::text(console.out), ::testing::ContainsRegex("(^|\n)timeout\nAI 0\n"));
}

} // namespace
} // namespace qx::test
