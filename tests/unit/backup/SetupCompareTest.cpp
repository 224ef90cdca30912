// What counts as a difference, what a restore would write for it, and what
// is left to the operator.
#include "backup/SetupCompare.h"
#include "backup/SetupSnapshot.h"
#include "tests/unit/backup/BackupWorld.h"

namespace qx::test {
namespace {

struct SetupCompareTest : BackupWorld {
    SetupFile saved(std::optional<ChannelRange> range = std::nullopt, std::vector<SavedChannel> channels = {})
    {
        return snapshotSetup(menu, radio, range, std::move(channels), "p", "t");
    }
    std::vector<std::string> keys(const std::vector<SetupDifference>& diffs)
    {
        std::vector<std::string> out;
        for (const auto& d : diffs)
            out.push_back(d.key);
        return out;
    }
};

TEST_F(SetupCompareTest, OnlyWhatChangedIsListedBySlotNotNumber)
{
    const SetupFile file = saved();
    EXPECT_TRUE(compareSetup(file, menu, radio, nullptr).empty());
    setMenuValue(29, 3);  // DIALSTP, numbered 27 in the list
    setMenuValue(21, 30); // CWSPEED
    const auto diffs = compareSetup(file, menu, radio, nullptr);
    ASSERT_EQ(keys(diffs), (std::vector<std::string>{"EX021", "EX029"}));
    const SetupDifference& dial = diffs[1];
    EXPECT_EQ(dial.name, "DIALSTP");
    EXPECT_EQ(dial.saved, "10Hz");
    EXPECT_EQ(dial.now, "100Hz");
    EXPECT_EQ(dial.value, 1);
    EXPECT_TRUE(dial.restorable());
    EXPECT_TRUE(dial.answersTo("dialstp"));
    EXPECT_TRUE(dial.answersTo("EX029"));
    EXPECT_FALSE(dial.answersTo("EX027"));
}

TEST_F(SetupCompareTest, BeaconTextAloneIsADifference)
{
    const SetupFile file = saved();
    menu.update(5, [](MenuItem& item) {
        item.text = "NEW TEXT";
        return true;
    });
    const auto diffs = compareSetup(file, menu, radio, nullptr);
    ASSERT_EQ(keys(diffs), (std::vector<std::string>{"EX005"}));
    EXPECT_EQ(diffs[0].text, "1");
    EXPECT_EQ(diffs[0].now, "1 \"NEW TEXT\"");
}

TEST_F(SetupCompareTest, TheLineSpeedIsLeftToTheOperator)
{
    const SetupFile file = saved();
    setMenuValue(10, 3);
    const auto diffs = compareSetup(file, menu, radio, nullptr);
    ASSERT_EQ(diffs.size(), 1u);
    EXPECT_EQ(diffs[0].name, "CATRATE");
    EXPECT_FALSE(diffs[0].restorable());
    EXPECT_NE(diffs[0].handOnly.find("cut the link"), std::string::npos);
}

TEST_F(SetupCompareTest, KeyerMemoriesCompareWithoutTheRadiosPadding)
{
    radio.setKeyerText(2, "CQ TEST" + std::string(43, ' '));
    const SetupFile file = saved();
    radio.setKeyerText(2, "CQ TEST");
    EXPECT_TRUE(compareSetup(file, menu, radio, nullptr).empty());
    radio.setKeyerText(2, "");
    const auto diffs = compareSetup(file, menu, radio, nullptr);
    ASSERT_EQ(keys(diffs), (std::vector<std::string>{"KM2"}));
    EXPECT_EQ(diffs[0].saved, "\"CQ TEST\"");
    EXPECT_EQ(diffs[0].now, "(empty)");
    EXPECT_EQ(diffs[0].text, "CQ TEST");
}

TEST_F(SetupCompareTest, ChannelsChangedGoneOrNewWithinTheSavedRange)
{
    const MemoryChannel a{14250000, 0, 0, 0, 2, 0, 8, 0};
    MemoryChannel b = a;
    b.tone = 9; // one field that the short description might hide
    const SetupFile file = saved(ChannelRange{10, 20}, {{10, a}, {11, a}, {12, a}});
    const std::vector<SavedChannel> now{{10, a}, {11, b}, {13, a}, {21, a}};
    const auto diffs = compareSetup(file, menu, radio, &now);
    ASSERT_EQ(keys(diffs), (std::vector<std::string>{"MR011", "MR012", "MR013"}));
    EXPECT_NE(diffs[0].saved, diffs[0].now);
    EXPECT_EQ(diffs[0].channel, a);
    EXPECT_TRUE(diffs[1].restorable()); // emptied on the radio: written again
    EXPECT_EQ(diffs[1].now, "(empty)");
    EXPECT_FALSE(diffs[2].restorable()); // new on the radio: nothing over CAT empties it
    EXPECT_NE(diffs[2].handOnly.find("cannot be emptied"), std::string::npos);
    // A file saved without channels compares none.
    EXPECT_TRUE(compareSetup(saved(), menu, radio, &now).empty());
}

} // namespace
} // namespace qx::test
