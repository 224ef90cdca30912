#include "menu/MenuDefinition.h"
#include "menu/MenuKind.h"
#include "menu/ToneTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace qx {
namespace {

const MenuRow& row(int slot) { return menuDefinition()[static_cast<std::size_t>(slot - 1)]; }

TEST(MenuDefinition, HasSixtySevenSlotsOfWhichSixtyThreeAreListed)
{
    ASSERT_EQ(menuDefinition().size(), 67u);
    std::set<int> vacant;
    int lastNumber = 0;
    for (const MenuRow& r : menuDefinition()) {
        if (r.kind == MenuKind::Vacant) {
            vacant.insert(r.slot);
            EXPECT_EQ(r.number, 0);
            EXPECT_EQ(r.width, 0);
            continue;
        }
        EXPECT_EQ(r.number, lastNumber + 1) << "slot " << r.slot;
        lastNumber = r.number;
    }
    EXPECT_EQ(lastNumber, 63);
    EXPECT_EQ(vacant, (std::set<int>{27, 28, 40, 41}));
}

TEST(MenuDefinition, KindsOfEverySlotMatchTheRadio)
{
    // Only the entries that are not plain lists (kind 1); every other slot is one.
    const std::map<int, int> special = {
        {3, 16}, {4, 16}, {5, 46}, {7, 52}, {11, 49}, {13, 0},  {15, 44}, {16, 16}, {20, 40}, {21, 0},
        {22, 52}, {24, 9}, {25, 4}, {26, 43}, {27, -1}, {28, -1}, {30, 51}, {37, 45}, {40, -1}, {41, -1},
        {45, 15}, {47, 4}, {48, 0}, {50, 2}, {55, 16}, {56, 48}, {58, 42}, {60, 50}, {61, 16}, {63, 0},
        {64, 51}, {65, 14}, {66, 41}, {67, 47},
    };
    for (const MenuRow& r : menuDefinition()) {
        const auto it = special.find(r.slot);
        EXPECT_EQ(r.kind, it == special.end() ? 1 : it->second) << "slot " << r.slot;
    }
}

TEST(MenuDefinition, SampleRowsCarryTheirLimitsAndTexts)
{
    struct Case {
        int slot;
        const char* name;
        int width;
        double def;
        const char* units;
        double min, max, step;
        int mult;
        int texts;
    };
    const Case cases[] = {
        {10, "CATRATE", 1, 1, "bps", 1, 0, 0, 0, 4},
        {16, "CW DLY", 3, 25, "mSec", 30, 3000, 10, 10, 1},
        {24, "CWWEIGT", 2, 30, "", 25, 45, 0.1, 0, 0},
        {25, "D DISP", 4, 0, "Hz", -3000, 3000, 10, 10, 0},
        {29, "DIALSTP", 1, 1, "Hz", 0, 0, 0, 0, 5},
        {42, "P M-DWN", 2, 19, "", 0, 0, 0, 0, 52},
        {50, "RPT SFT", 3, 10, "MHz", 0, 999, 0.01, 0, 0},
        {60, "TONE F", 2, 8, "Hz", 0, 0, 0, 0, 50},
        {63, "VOX DLY", 2, 5, "mSec", 100, 3000, 100, 100, 0},
        {65, "MY BAND", 11, 2047, "", 0, 0, 0, 0, 11},
        {66, "MY MODE", 6, 63, "", 0, 0, 0, 0, 6},
        {67, "DIM", 0, 4, "", 0, 4, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MenuItem item = makeMenuItem(row(c.slot));
        EXPECT_EQ(item.name, c.name);
        EXPECT_EQ(item.width, c.width);
        EXPECT_EQ(item.value, c.def);
        EXPECT_EQ(item.units, c.units);
        EXPECT_EQ(item.hasUnits, std::string(c.units) != "");
        EXPECT_EQ(item.min, c.min);
        EXPECT_EQ(item.max, c.max);
        EXPECT_EQ(item.step, c.step);
        EXPECT_EQ(item.multiplier, c.mult);
        EXPECT_EQ(item.valueCount, c.texts);
        EXPECT_FALSE(item.changed);
    }
}

TEST(MenuDefinition, BeaconAndRepeaterShiftSpecials)
{
    const MenuItem beacon = makeMenuItem(row(5));
    EXPECT_EQ(beacon.width, 41);
    EXPECT_EQ(beacon.value, 1);
    EXPECT_EQ(beacon.text, "1");
    EXPECT_EQ(makeMenuItem(row(50)).decimals, 2);
    const MenuItem train = makeMenuItem(row(23));
    EXPECT_EQ(train.rangeText.view(),
              "NUMERIC CHARACTERS ONLY/ALPHABET CHARACTERS ONLY/NUMERIC AND ALPHABET CHARACTERS(MIXED)");
    EXPECT_EQ(train.valueText(2), "NUMERIC AND ALPHABET CHARACTERS(MIXED)");
}

TEST(MenuDefinition, CustomKeyListIsSharedByTheFourKeyEntries)
{
    ASSERT_EQ(customKeyTexts().size(), 52u);
    EXPECT_EQ(customKeyTexts()[0], "MONI");
    EXPECT_EQ(customKeyTexts()[19], "DOWN");
    EXPECT_EQ(customKeyTexts()[51], "USER");
    for (int slot : {42, 43, 44, 46}) {
        const MenuItem item = makeMenuItem(row(slot));
        EXPECT_EQ(item.valueText(0), "MONI");
        EXPECT_EQ(item.valueText(21), "UP");
        EXPECT_EQ(item.valueText(51), "USER");
        EXPECT_EQ(item.valueText(52), "");
    }
}

TEST(ToneTable, FiftyTonesInCodeOrderAndFiveColumnLayout)
{
    EXPECT_EQ(kToneTexts.front(), "67.0");
    EXPECT_EQ(kToneTexts[12], "100.0");
    EXPECT_EQ(kToneTexts.back(), "254.1");
    const char* firstRow[] = {"  67.0", "  79.7", "  94.8", "  110.9", "  131.8",
                              "  156.7", "  171.3", "  186.2", "  203.5", "  229.1"};
    const int firstCodes[] = {0, 5, 10, 15, 20, 25, 30, 35, 40, 45};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(kToneTable[static_cast<std::size_t>(i)].view(), firstRow[i]);
        EXPECT_EQ(kToneTable[static_cast<std::size_t>(i)].code, firstCodes[i]);
    }
    EXPECT_EQ(kToneTable[10].code, 1);
    EXPECT_EQ(kToneTable[10].view(), "  69.3");
    EXPECT_EQ(kToneTable[49].code, 49);
    EXPECT_EQ(kToneTable[49].view(), "  254.1");
    EXPECT_EQ(kToneTable[50].code, -1);
    std::set<int> codes;
    for (int i = 0; i < 50; ++i)
        codes.insert(kToneTable[static_cast<std::size_t>(i)].code);
    EXPECT_EQ(codes.size(), 50u);
    EXPECT_EQ(makeMenuItem(row(60)).valueText(8), "88.5");
}

} // namespace
} // namespace qx
