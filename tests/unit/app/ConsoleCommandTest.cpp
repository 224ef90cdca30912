// The set-up verbs of the headless command language.
#include "app/ConsoleCommand.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using V = ConsoleCommand::Verb;

TEST(ConsoleCommand, BackupTakesAFileAndWhichChannels)
{
    const auto all = parseConsoleLine("backup /tmp/radio.json");
    EXPECT_EQ(all.verb, V::Backup);
    EXPECT_EQ(all.name, "/tmp/radio.json");
    EXPECT_EQ(all.firstChannel, 1);
    EXPECT_EQ(all.lastChannel, 504);
    EXPECT_EQ(parseConsoleLine("backup f.json none").firstChannel, 0);
    const auto some = parseConsoleLine("backup \"my radio.json\" 20-504");
    EXPECT_EQ(some.name, "my radio.json");
    EXPECT_EQ(some.firstChannel, 20);
    EXPECT_EQ(some.lastChannel, 504);
    const auto one = parseConsoleLine("backup f.json 7");
    EXPECT_EQ(one.firstChannel, 7);
    EXPECT_EQ(one.lastChannel, 7);
    for (const char* bad : {"backup", "backup f.json 0-5", "backup f.json 5-505", "backup f.json 9-3",
                            "backup f.json some", "backup f.json 1-2 3", "backup \"f.json", "backup \"\""})
        EXPECT_EQ(parseConsoleLine(bad).verb, V::Invalid) << bad;
}

TEST(ConsoleCommand, RestoreNamesMayHoldBlanksInQuotes)
{
    const auto c = parseConsoleLine("restore set.json CWSPEED \"VOX DLY\" KM1 MR017");
    EXPECT_EQ(c.verb, V::Restore);
    EXPECT_EQ(c.name, "set.json");
    EXPECT_EQ(c.names, (std::vector<std::string>{"CWSPEED", "VOX DLY", "KM1", "MR017"}));
    EXPECT_TRUE(parseConsoleLine("restore set.json").names.empty());
    EXPECT_EQ(parseConsoleLine("compare set.json").verb, V::Compare);
    EXPECT_EQ(parseConsoleLine("compare set.json extra").verb, V::Invalid);
    EXPECT_EQ(parseConsoleLine("restore").verb, V::Invalid);
}

// Before, a wait for a name that never comes was taken, and a day-long
// sleep held the console; now both are refused with the reason.
TEST(ConsoleCommand, WaitTakesOnlyNamesThatComeAndHoldsAtMostAnHour)
{
    const auto ok = parseConsoleLine("wait UM_ANS_FA 3600000");
    EXPECT_EQ(ok.verb, V::Wait);
    EXPECT_EQ(ok.value, 3600000);
    EXPECT_EQ(parseConsoleLine("wait UM_PANEL_REFRESH").value, ConsoleCommand::kDefaultWaitMs);
    EXPECT_EQ(parseConsoleLine("sleep 3600000").verb, V::Sleep);

    const struct {
        const char* line;
        const char* error;
    } refused[] = {
        {"wait UM_ANS_FAX", "wait: UM_ANS_FAX never reaches the console (not a notification or window message)"},
        {"wait UM_REQ_FA_SET", "wait: UM_REQ_FA_SET never reaches the console (not a notification or window message)"},
        {"wait UM_ANS_FA 3600001", "wait: MS must be a number of milliseconds, at most 3600000 (one hour)"},
        {"wait UM_ANS_FA 99999999999999999999", "wait: MS must be a number of milliseconds, at most 3600000 (one hour)"},
        {"sleep 3600001", "usage: sleep MS (milliseconds, at most 3600000 (one hour))"},
        {"sleep -1", "usage: sleep MS (milliseconds, at most 3600000 (one hour))"},
    };
    for (const auto& r : refused) {
        const auto c = parseConsoleLine(r.line);
        EXPECT_EQ(c.verb, V::Invalid) << r.line;
        EXPECT_EQ(c.error, r.error);
    }
}

TEST(ConsoleCommand, ChannelVerbsTakeTheirRangeFileOrChannel)
{
    using A = ConsoleCommand::ChannelAction;
    const auto all = parseConsoleLine("channels read");
    EXPECT_EQ(all.verb, V::Channels);
    EXPECT_EQ(all.channelAction, A::Read);
    EXPECT_EQ(all.lastChannel - all.firstChannel, 503);
    const auto some = parseConsoleLine("channels read 10-20");
    EXPECT_EQ(some.firstChannel, 10);
    EXPECT_EQ(some.lastChannel, 20);
    const auto in = parseConsoleLine("channels import \"club list.csv\" --write");
    EXPECT_EQ(in.channelAction, A::Import);
    EXPECT_EQ(in.name, "club list.csv");
    EXPECT_TRUE(in.writeToRadio);
    EXPECT_FALSE(parseConsoleLine("channels import list.csv").writeToRadio);
    EXPECT_EQ(parseConsoleLine("channels export out.json").channelAction, A::Export);
    const auto recall = parseConsoleLine("channels recall 504");
    EXPECT_EQ(recall.channelAction, A::Recall);
    EXPECT_EQ(recall.firstChannel, 504);
    for (const char* bad : {"channels", "channels read none", "channels read 0-4", "channels export",
                            "channels export a.csv b.csv", "channels import a.csv --force", "channels recall",
                            "channels recall 505", "channels recall 1-2", "channels recall all", "channels erase"})
        EXPECT_EQ(parseConsoleLine(bad).verb, V::Invalid) << bad;
}

} // namespace
} // namespace qx
