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

} // namespace
} // namespace qx
