#include "channels/ChannelLabels.h"
#include "channels/ChannelTable.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

MemoryChannel at(long long hz, int mode = 2)
{
    MemoryChannel c;
    c.frequency = hz;
    c.mode = mode;
    c.tone = 8;
    return c;
}

TEST(ChannelTable, EditsAreCheckedMarkedAndUndoneAsOneStep)
{
    ChannelTable t;
    t.takeReading(1, at(14074000));
    t.takeReading(2, std::nullopt);
    t.takeReading(3, at(7074000, 1));
    EXPECT_TRUE(t.edited().empty());

    const auto refused = t.apply({{1, at(14076000), "FT8"},
                                  {2, at(146520000, 4), ""},
                                  {3, at(7074000, 1), "label only"},
                                  {505, at(14000000), ""}});
    ASSERT_EQ(refused.size(), 2u);
    EXPECT_EQ(refused[0].channel, 2);
    EXPECT_NE(refused[0].reason.find("outside what the radio tunes"), std::string::npos);
    EXPECT_EQ(refused[1].channel, 505);
    // A label is the program's own: it does not make a channel to write.
    EXPECT_EQ(t.edited(), (std::vector<int>{1}));
    EXPECT_EQ(t.row(3).label, "label only");

    ASSERT_TRUE(t.undo());
    EXPECT_TRUE(t.edited().empty());
    EXPECT_EQ(t.row(1).content->frequency, 14074000);
    EXPECT_EQ(t.row(3).label, "");
    EXPECT_FALSE(t.undo());
    ASSERT_TRUE(t.redo());
    EXPECT_EQ(t.row(1).content->frequency, 14076000);
    EXPECT_EQ(t.row(1).label, "FT8");
}

TEST(ChannelTable, ReadingsFollowOnlyChannelsTheOperatorLeftAlone)
{
    ChannelTable t;
    t.apply({{5, at(3600000, 1), ""}});
    t.takeReading(5, at(21074000));
    t.takeReading(6, at(28074000));
    EXPECT_EQ(t.row(5).content->frequency, 3600000);
    EXPECT_EQ(t.row(6).content->frequency, 28074000);
    EXPECT_EQ(t.edited(), (std::vector<int>{5}));
    // Channel 5 holds something the edit would write over; 7, set before any
    // read, may too.
    t.apply({{7, at(10136000), ""}});
    t.takeReading(8, std::nullopt);
    t.apply({{8, at(18100000), ""}});
    EXPECT_EQ(t.overwrites(), (std::vector<int>{5, 7}));
    // A write confirmed: the radio now holds what the operator wanted.
    t.takeReading(5, at(3600000, 1));
    EXPECT_EQ(t.edited(), (std::vector<int>{7, 8}));
}

TEST(ChannelTable, LabelsAreCleanedAndKeptPerRadio)
{
    EXPECT_EQ(ChannelTable::cleanLabel("  a\tb\nc  "), "a b c");
    EXPECT_EQ(ChannelTable::cleanLabel(std::string(100, 'x')).size(), ChannelTable::kLabelMax);
    std::string wide = "a";
    for (int i = 0; i < 40; ++i)
        wide += "\xC3\xBC"; // ü: the cut must not split one
    const std::string cut = ChannelTable::cleanLabel(wide);
    EXPECT_EQ(cut.size(), ChannelTable::kLabelMax - 1);
    EXPECT_EQ(static_cast<unsigned char>(cut.back()), 0xBCu);
    EXPECT_EQ(ChannelTable::cleanLabel(wide.substr(1)).size(), ChannelTable::kLabelMax);

    test::TempDir dir;
    ChannelLabels file(dir.path / "CommoFiles" / ChannelLabels::kFileName);
    ASSERT_TRUE(file.save("0241", {{1, "Net"}, {504, "Last"}})) << file.lastError();
    ASSERT_TRUE(file.save("0242", {{1, "Other radio"}})) << file.lastError();
    EXPECT_EQ(file.load("0241"), (std::vector<std::pair<int, std::string>>{{1, "Net"}, {504, "Last"}}));
    EXPECT_EQ(file.load("0242"), (std::vector<std::pair<int, std::string>>{{1, "Other radio"}}));
    EXPECT_TRUE(file.load("0243").empty());
}

} // namespace
} // namespace qx
