#include "menu/MenuDefinition.h"
#include "menu/MenuText.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

MenuItem entry(int slot, double value)
{
    MenuItem item = makeMenuItem(menuDefinition()[static_cast<std::size_t>(slot - 1)]);
    item.value = value;
    return item;
}

TEST(MenuSetting, TextByKind)
{
    struct Case {
        int slot;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {21, 12, " 12wpm"},  {21, 11.9999997, " 12wpm"}, {63, 5, " 500mSec"},  {13, 24, " 24"},
        {25, -30, " -300Hz"}, {47, 5, " 5kHz"},           {37, 7, " 7"},         // numbers
        {10, 1, " 4800bps"}, {10, 4, " 38400bps"},        {42, 19, " DOWN"},     {15, 2, " AUTO"},
        {10, 62, " ????????????bps"}, {10, 0, " ????????????bps"},              // index 61 and -1
        {10, 61, " bps"},    {45, 61, " ????????????"},   {45, 60, " "},         // past the texts
        {60, 8, " 88.5Hz"},                                                      // lists
        {50, 10, " 0.10MHz"}, {50, 999, " 9.99MHz"},      {24, 30, " 3.0"},      // decimals
        {16, 2, " FULL"},    {16, 3, " 30mSec"},          {3, 0, " OFF"},        {55, 5, " 5sec"},
        {20, 2, " 400Hz"},   {20, 3, " 500Hz"},           {20, 8, " 700Hz"},     {20, 10, " 800Hz"},
        {20, -1, " 800Hz"},                                                      // pitch groups
        {64, 50, " 20"},     {64, 255, " 100"},           {30, 0, " OFF"},       {64, 1, " 0"},
        {7, 151, " LNK 0"},  {7, 100, " FIX 100"},        {7, 101, " LNK -50"},  {7, 202, " ????????????"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(settingText(entry(c.slot, c.value)), c.expected) << "slot " << c.slot << " value " << c.value;
}

TEST(MenuSetting, FlagUnderTheCursor)
{
    EXPECT_EQ(settingText(entry(65, 2047)), " GEN ON");
    EXPECT_EQ(settingText(entry(65, 2047), {9, 0}), " 50 ON");
    EXPECT_EQ(settingText(entry(65, 1025), {0, 0}), " 1.8 ON");
    EXPECT_EQ(settingText(entry(65, 1025), {1, 0}), " 3.5 OFF");
    EXPECT_EQ(settingText(entry(65, 1025), {99, 0}), " GEN ON");
    EXPECT_EQ(settingText(entry(66, 33), {0, 0}), " LSB ON");
    EXPECT_EQ(settingText(entry(66, 33), {4, 0}), " FM OFF");
}

TEST(MenuSetting, BeaconScrollsOnlyLongTexts)
{
    MenuItem beacon = entry(5, 2);
    beacon.text = "CQ CQ";
    EXPECT_EQ(settingText(beacon, {-1, 3}), " 2 CQ CQ");
    beacon.text = "0123456789012345678901234567890123456789";
    EXPECT_EQ(settingText(beacon, {-1, 0}), " 2 01234567890123456789012345678901234");
    EXPECT_EQ(settingText(beacon, {-1, 39}), " 2 9");
    EXPECT_EQ(settingText(beacon, {-1, 40}), " 2 01234567890123456789012345678901234");
}

TEST(MenuSetting, PendingChangeIsShownInsteadOfTheValue)
{
    MenuItem item = entry(21, 12);
    item.changed = true;
    item.newValue = 30;
    EXPECT_EQ(settingText(item), " 30wpm");
    MenuItem beacon = entry(5, 1);
    beacon.changed = true;
    beacon.newValue = 1;
    beacon.newText = "NEW";
    EXPECT_EQ(settingText(beacon), " 1 NEW");
}

TEST(MenuListLine, FixedColumns)
{
    const std::string line = listLine(entry(21, 12));
    EXPECT_EQ(line.substr(0, 24), "021 CWSPEED  4-60 (wpm) ");
    EXPECT_EQ(line.substr(100), " 12wpm");
    EXPECT_EQ(line.size(), 106u);
    EXPECT_EQ(listLine(entry(29, 1)).substr(0, 12), "027 DIALSTP ");
}

TEST(MenuChoice, NumberRuns)
{
    struct Case {
        int slot;
        double value;
        std::size_t count;
        const char *first, *last, *selected;
    };
    const Case cases[] = {
        {21, 12, 57, "4", "60", "12"},        {63, 5, 30, "100", "3000", "500"},
        {25, -30, 601, "-3000", "3000", "-300"}, {50, 10, 1000, "0.00", "9.99", "0.10"},
        {24, 30, 21, "2.5", "4.5", "3.0"},    {16, 2, 299, "FULL", "3000", "FULL"},
        {16, 25, 299, "FULL", "3000", "250"}, {64, 50, 100, "1", "100", "20"},
        {30, 0, 101, "OFF", "100", "OFF"},    {7, 151, 202, "FIX 0", "LNK 50", "LNK 0"},
        {60, 8, 50, "  67.0", "  254.1", "  88.5"}, {10, 3, 4, "4800", "38400", "19200"},
        {20, 8, 5, "400", "800", "700"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        const MenuChoices ch = menuChoices(entry(c.slot, c.value));
        ASSERT_EQ(ch.texts.size(), c.count);
        EXPECT_EQ(ch.texts.front(), c.first);
        EXPECT_EQ(ch.texts.back(), c.last);
        ASSERT_GE(ch.selected, 0);
        EXPECT_EQ(ch.texts[static_cast<std::size_t>(ch.selected)], c.selected);
    }
    EXPECT_EQ(menuChoices(entry(7, 0)).texts[101], "LNK -50");
    EXPECT_EQ(menuChoices(entry(10, 70)).selected, -1);
    EXPECT_TRUE(menuChoices(entry(5, 1)).texts.empty());
    MenuItem noStep = entry(21, 12);
    noStep.step = 0;
    EXPECT_TRUE(menuChoices(noStep).texts.empty());
}

TEST(MenuChoice, StoredValueFromChoice)
{
    struct Case {
        int slot;
        int index;
        double stored;
    };
    const Case cases[] = {
        {21, 8, 12},  {63, 29, 30},  {25, 0, -300}, // divided by the multiplier
        {50, 29, 29}, {50, 57, 57},  {50, 999, 999}, {24, 20, 45}, // whole, not 28.999...
        {16, 0, 2},   {16, 1, 3},    {3, 0, 0},      {3, 12, 12},  // named first choice
        {10, 0, 1},   {10, 3, 4},    {56, 5, 5},     {7, 120, 120},
        {20, 0, 2},   {20, 4, 10},   // even pitch codes
        {64, 19, 51}, {64, 99, 255}, {30, 0, 0},     // percent to 0-255
        {60, 1, 5},   {60, 10, 1},   // tone codes in dialog order
    };
    for (const Case& c : cases)
        EXPECT_EQ(storedValueFromChoice(entry(c.slot, 0), c.index), c.stored) << c.slot << "/" << c.index;
    EXPECT_FALSE(storedValueFromChoice(entry(10, 3), 4).has_value());
    EXPECT_FALSE(storedValueFromChoice(entry(65, 0), 0).has_value());
}

TEST(MenuChoice, FlagsSumTheirWeights)
{
    EXPECT_EQ(storedValueFromFlags(entry(65, 0), {true, false, false, false, false, false, false, false, false,
                                                  false, true}),
              1025);
    EXPECT_EQ(storedValueFromFlags(entry(66, 0), {true, true, true, true, true, true}), 63);
    EXPECT_EQ(storedValueFromFlags(entry(66, 0), {false, false, true}), 8);
}

} // namespace
} // namespace qx
