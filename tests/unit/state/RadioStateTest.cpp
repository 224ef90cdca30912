#include "state/RadioState.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>

namespace qx {
namespace {

using Int = RadioState::Int;
using Real = RadioState::Real;

TEST(RadioStateRange, FrequencyKeepsOldValueOutsideItsBand)
{
    const struct { int offered, expected; } cases[] = {
        {29999, 7000000}, {30000, 30000}, {60000001, 30000}, {60000000, 60000000}, {-1, 60000000},
    };
    RadioState rs;
    for (const auto& c : cases) {
        EXPECT_TRUE(rs.set(Int::FA, c.offered));
        EXPECT_EQ(rs.get(Int::FA), c.expected) << "after offering " << c.offered;
    }
    EXPECT_EQ(rs.get(Int::FB), 7000000) << "FB must not share FA's value";
}

TEST(RadioStateRange, EntriesHaveTheirOwnBounds)
{
    const struct { Int id; int rejected, accepted; } cases[] = {
        {Int::RL, 12, 11},         {Int::RL, 0, 1},           {Int::IS, -1271, -1270},
        {Int::MD0, 13, 12},        {Int::BP_LEVEL, 401, 400}, {Int::CO0, -3, -2},
        {Int::KS, 3, 60},          {Int::MC, 505, 504},       {Int::HIGHEST_MENU, 501, 500},
        {Int::KM_SELECTED, 6, 5},  {Int::ID, 244, 243},       {Int::IF_FREQ, 100000000, 99999999},
    };
    for (const auto& c : cases) {
        RadioState rs;
        const int before = rs.get(c.id);
        EXPECT_TRUE(rs.set(c.id, c.rejected));
        EXPECT_EQ(rs.get(c.id), before) << "entry " << static_cast<int>(c.id) << " took " << c.rejected;
        rs.set(c.id, c.accepted);
        EXPECT_EQ(rs.get(c.id), c.accepted) << "entry " << static_cast<int>(c.id);
    }
}

TEST(RadioStateRange, RealOffsetsRejectOutOfRangeAndNaN)
{
    RadioState rs;
    rs.set(Real::IF_OFFSET, -1234.0);
    EXPECT_TRUE(rs.set(Real::IF_OFFSET, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(rs.get(Real::IF_OFFSET), -1234.0);
    rs.set(Real::OI_OFFSET, 10000.0);
    EXPECT_EQ(rs.get(Real::OI_OFFSET), 0.0);
}

TEST(RadioStateRange, IdOutsideTheTableIsRefusedAndReadsZero)
{
    RadioState rs;
    EXPECT_FALSE(rs.set(static_cast<Int>(RadioState::kIntCount), 1));
    EXPECT_EQ(rs.get(static_cast<Int>(RadioState::kIntCount)), 0);
    EXPECT_FALSE(rs.set(static_cast<Int>(-1), 1));
    EXPECT_FALSE(rs.set(static_cast<Real>(RadioState::kRealCount), 1.0));
}

TEST(RadioStateDefaults, BeforeAnyAnswer)
{
    const struct { Int id; int expected; } cases[] = {
        {Int::FA, 7000000}, {Int::FB, 7000000},    {Int::MD0, 1},          {Int::MD1, 0},
        {Int::BP_LEVEL, 200}, {Int::CO1, 14},      {Int::MS, 2},           {Int::GT1, 4},
        {Int::PA, 1},       {Int::ML_LEVEL, 1},    {Int::KS, 4},           {Int::CN1, 8},
        {Int::MR, 1},       {Int::DA, 4},          {Int::BS, 3},           {Int::BG, 2},
        {Int::KM_SELECTED, 1}, {Int::HIGHEST_MENU, 66}, {Int::WIDTH_ADJUST, 0}, {Int::ID, 0},
    };
    RadioState rs;
    for (const auto& c : cases)
        EXPECT_EQ(rs.get(c.id), c.expected) << "entry " << static_cast<int>(c.id);
    EXPECT_FALSE(rs.menuReady());
    EXPECT_FALSE(rs.powerOnReenable());
    EXPECT_EQ(rs.aiBeforePowerOff(), 0);
}

TEST(RadioStateInitialise, PutsEverythingBack)
{
    RadioState rs;
    rs.set(Int::FA, 14250000);
    rs.set(Int::HIGHEST_MENU, 67);
    rs.set(Real::IF_OFFSET, 500.0);
    rs.setKeyerText(2, "CQ CQ");
    rs.setMenuReady(true);
    rs.setPowerOnReenable(true);
    rs.setAiBeforePowerOff(1);

    rs.initialise();

    EXPECT_EQ(rs.get(Int::FA), 7000000);
    EXPECT_EQ(rs.get(Int::HIGHEST_MENU), 66);
    EXPECT_EQ(rs.get(Real::IF_OFFSET), 0.0);
    EXPECT_EQ(rs.keyerText(2), "");
    EXPECT_FALSE(rs.menuReady());
    EXPECT_FALSE(rs.powerOnReenable());
    EXPECT_EQ(rs.aiBeforePowerOff(), 0);
    rs.set(Int::FA, 29999);
    EXPECT_EQ(rs.get(Int::FA), 7000000) << "bounds must survive initialisation";
}

TEST(RadioStateNames, FindsEntriesIgnoringCaseAndNamesAreUnique)
{
    EXPECT_EQ(RadioState::findEntryByName("FA"), RadioState::Entry{Int::FA});
    EXPECT_EQ(RadioState::findEntryByName("md0"), RadioState::Entry{Int::MD0});
    EXPECT_EQ(RadioState::findEntryByName("IF_Offset"), RadioState::Entry{Real::IF_OFFSET});
    for (const char* unknown : {"FAX", "F", ""})
        EXPECT_EQ(RadioState::findEntryByName(unknown), std::nullopt) << unknown;

    std::set<std::string> seen;
    for (const IntEntrySpec& e : RadioState::intEntries())
        EXPECT_TRUE(seen.insert(std::string(e.name)).second && e.lower <= e.upper) << e.name;
    for (const RealEntrySpec& e : RadioState::realEntries())
        EXPECT_TRUE(seen.insert(std::string(e.name)).second && e.lower <= e.upper) << e.name;
}

TEST(RadioStateKeyer, CapacityMissingTextAndMemoryNumber)
{
    RadioState rs;
    const std::string full(51, 'K');
    EXPECT_TRUE(rs.setKeyerText(1, full));
    EXPECT_FALSE(rs.setKeyerText(1, std::string(52, 'X')));
    EXPECT_FALSE(rs.setKeyerText(1, std::nullopt));
    EXPECT_EQ(rs.keyerText(1), full) << "a refused text must leave the old one";
    EXPECT_FALSE(rs.setKeyerText(0, "A"));
    EXPECT_FALSE(rs.setKeyerText(6, "A"));
    EXPECT_EQ(rs.keyerText(6), "");
}

TEST(RadioStateKeyer, NewTextReplacesTheOldOneAndStopsAtNul)
{
    RadioState rs;
    rs.setKeyerText(3, "CQ CQ DE JA1ZZZ");
    EXPECT_TRUE(rs.setKeyerText(3, "TU"));
    EXPECT_EQ(rs.keyerText(3), "TU");
    EXPECT_EQ(rs.keyerText(2), "") << "memories are independent";
    // Fifty characters of text and NUL padding, as the transceiver sends them.
    EXPECT_TRUE(rs.setKeyerText(4, std::string("5NN") + std::string(57, '\0')));
    EXPECT_EQ(rs.keyerText(4), "5NN");
}

} // namespace
} // namespace qx
