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
