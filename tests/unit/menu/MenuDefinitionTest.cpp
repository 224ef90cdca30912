#include "menu/MenuDefinition.h"
#include "menu/MenuKind.h"
#include "menu/ToneTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace qx {
namespace {

MenuItem item(int slot) { return makeMenuItem(menuDefinition()[static_cast<std::size_t>(slot - 1)]); }

TEST(MenuDefinition, SixtySevenSlotsFourVacantAndNumbersRunOneToSixtyThree)
{
    ASSERT_EQ(menuDefinition().size(), 67u);
    std::set<int> vacant;
    int lastNumber = 0;
    for (const MenuRow& r : menuDefinition()) {
        if (r.kind == MenuKind::Vacant) {
            vacant.insert(r.slot);
            EXPECT_EQ(r.number, 0);
            continue;
        }
        EXPECT_EQ(r.number, ++lastNumber) << "slot " << r.slot;
    }
    EXPECT_EQ(lastNumber, 63);
    EXPECT_EQ(vacant, (std::set<int>{27, 28, 40, 41}));
}

TEST(MenuDefinition, KindOfEverySlot)
{
    // Every slot not named here is a plain list (kind 1).
    const std::map<int, int> others = {
        {3, 16}, {4, 16}, {5, 46}, {7, 52}, {11, 49}, {13, 0},  {15, 44}, {16, 16}, {20, 40}, {21, 0},
        {22, 52}, {24, 9}, {25, 4}, {26, 43}, {27, -1}, {28, -1}, {30, 51}, {37, 45}, {40, -1}, {41, -1},
        {45, 15}, {47, 4}, {48, 0}, {50, 2}, {55, 16}, {56, 48}, {58, 42}, {60, 50}, {61, 16}, {63, 0},
        {64, 51}, {65, 14}, {66, 41}, {67, 47},
    };
    for (const MenuRow& r : menuDefinition()) {
        const auto it = others.find(r.slot);
        EXPECT_EQ(r.kind, it == others.end() ? 1 : it->second) << "slot " << r.slot;
    }
}

TEST(MenuDefinition, SampleEntriesCarryTheirCoding)
{
    struct Case {
        int slot;
        const char* name;
        int width;
        double def, min, max, step;
        int mult, texts;
        const char* units;
    };
    const Case cases[] = {
        {5, "BCN TXT", 41, 1, 0, 3, 0, 0, 0, ""},
        {10, "CATRATE", 1, 1, 1, 0, 0, 0, 4, "bps"},
        {16, "CW DLY", 3, 25, 30, 3000, 10, 10, 1, "mSec"},
        {25, "D DISP", 4, 0, -3000, 3000, 10, 10, 0, "Hz"},
        {42, "P M-DWN", 2, 19, 0, 0, 0, 0, 52, ""},
        {50, "RPT SFT", 3, 10, 0, 999, 0.01, 0, 0, "MHz"},
        {60, "TONE F", 2, 8, 0, 0, 0, 0, 50, "Hz"},
        {63, "VOX DLY", 2, 5, 100, 3000, 100, 100, 0, "mSec"},
        {65, "MY BAND", 11, 2047, 0, 0, 0, 0, 11, ""},
        {67, "DIM", 0, 4, 0, 4, 1, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MenuItem m = item(c.slot);
        EXPECT_EQ(m.name, c.name);
        EXPECT_EQ(m.width, c.width);
        EXPECT_EQ(m.value, c.def);
        EXPECT_EQ(m.min, c.min);
        EXPECT_EQ(m.max, c.max);
        EXPECT_EQ(m.step, c.step);
        EXPECT_EQ(m.multiplier, c.mult);
        EXPECT_EQ(m.valueCount, c.texts);
        EXPECT_EQ(m.units, c.units);
        EXPECT_EQ(m.hasUnits, *c.units != '\0');
    }
    EXPECT_EQ(item(5).text, "1");
    EXPECT_EQ(item(50).decimals, 2);
    EXPECT_EQ(item(23).valueText(2), "NUMERIC AND ALPHABET CHARACTERS(MIXED)");
}

TEST(MenuDefinition, CustomKeyAndToneLists)
{
    ASSERT_EQ(customKeyTexts().size(), 52u);
    for (int slot : {42, 43, 44, 46}) {
        EXPECT_EQ(item(slot).valueText(0), "MONI");
        EXPECT_EQ(item(slot).valueText(21), "UP");
        EXPECT_EQ(item(slot).valueText(51), "USER");
        EXPECT_EQ(item(slot).valueText(52), "");
    }
    EXPECT_EQ(item(60).valueText(0), "67.0");
    EXPECT_EQ(item(60).valueText(12), "100.0");
    EXPECT_EQ(item(60).valueText(49), "254.1");
}

TEST(ToneTable, FiveColumnOrder)
{
    const char* firstRow[] = {"  67.0",  "  79.7",  "  94.8",  "  110.9", "  131.8",
                              "  156.7", "  171.3", "  186.2", "  203.5", "  229.1"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(kToneTable[static_cast<std::size_t>(i)].view(), firstRow[i]);
        EXPECT_EQ(kToneTable[static_cast<std::size_t>(i)].code, i * 5);
    }
    EXPECT_EQ(kToneTable[10].code, 1);
    EXPECT_EQ(kToneTable[10].view(), "  69.3");
    EXPECT_EQ(kToneTable[49].view(), "  254.1");
    EXPECT_EQ(kToneTable[50].code, -1);
    std::set<int> codes;
    for (int i = 0; i < 50; ++i)
        codes.insert(kToneTable[static_cast<std::size_t>(i)].code);
    EXPECT_EQ(codes.size(), 50u);
}

} // namespace
} // namespace qx
