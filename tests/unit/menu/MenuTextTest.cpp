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

struct SettingCase {
    int slot;
    double value;
    const char* expected;
};

void expectSettings(std::initializer_list<SettingCase> cases)
{
    for (const SettingCase& c : cases)
        EXPECT_EQ(settingText(entry(c.slot, c.value)), c.expected) << "slot " << c.slot << " value " << c.value;
}

TEST(MenuSetting, NumbersScaledByTheMultiplier)
{
    expectSettings({
        {21, 12, " 12wpm"},      // CWSPEED
        {63, 5, " 500mSec"},     // VOX DLY, x100
        {13, 24, " 24"},         // CONT, no units
        {25, -30, " -300Hz"},    // D DISP, signed, x10
        {47, 5, " 5kHz"},        // QSPL F
        {37, 7, " 7"},           // MIC EQ
        {67, 4, " 4"},           // DIM
        {21, 11.9999997, " 12wpm"},
    });
}

TEST(MenuSetting, ListsByOffsetAndIndex)
{
    expectSettings({
        {10, 1, " 4800bps"},       // CATRATE: first text has code 1
        {10, 4, " 38400bps"},
        {6, 2, " 1760Hz"},         // BEEPTON
        {42, 19, " DOWN"},         // custom key
        {10, 62, " ????????????bps"}, // index 61
        {10, 61, " bps"},          // index 60: past the texts, not unknown
        {10, 0, " ????????????bps"},  // index -1
        {15, 2, " AUTO"},          // CW BFO, plain list
        {45, 61, " ????????????"}, // PEAKHLD above 60
        {45, 60, " "},
        {60, 8, " 88.5Hz"},        // TONE F
    });
}

TEST(MenuSetting, DecimalKinds)
{
    expectSettings({
        {50, 10, " 0.10MHz"},  // RPT SFT
        {50, 999, " 9.99MHz"},
        {24, 30, " 3.0"},      // CWWEIGT
        {24, 45, " 4.5"},
    });
}

TEST(MenuSetting, NamedValueOfNumberEntriesHasNoUnits)
{
    expectSettings({
        {16, 2, " FULL"},      // CW DLY at or below 2
        {16, 3, " 30mSec"},
        {16, 25, " 250mSec"},
        {3, 0, " OFF"},        // APO
        {3, 12, " 12h"},
        {55, 0, " BUSY"},      // SCN RES
        {55, 5, " 5sec"},
    });
}

TEST(MenuSetting, PitchGroupsEvenAndOddCodes)
{
    expectSettings({
        {20, 0, " 400Hz"}, {20, 2, " 400Hz"}, {20, 3, " 500Hz"}, {20, 6, " 600Hz"},
        {20, 8, " 700Hz"}, {20, 10, " 800Hz"}, {20, -1, " 800Hz"},
    });
}

TEST(MenuSetting, LevelsShownAsPercent)
{
    expectSettings({
        {64, 50, " 20"},    // VOXGAIN
        {64, 255, " 100"},
        {30, 0, " OFF"},    // DIG VOX at its minimum
        {30, 51, " 20"},
        {64, 1, " 0"},      // VOXGAIN has no named value
    });
}

TEST(MenuSetting, VolumeFixedOrLinked)
{
    expectSettings({
        {7, 151, " LNK 0"}, {7, 100, " FIX 100"}, {7, 0, " FIX 0"},
        {7, 101, " LNK -50"}, {22, 201, " LNK 50"}, {7, 202, " ????????????"},
    });
}

TEST(MenuSetting, FlagEntriesShowTheFlagUnderTheCursor)
{
    const MenuItem band = entry(65, 2047);
    EXPECT_EQ(settingText(band), " GEN ON");
    EXPECT_EQ(settingText(band, {0, 0}), " 1.8 ON");
    EXPECT_EQ(settingText(band, {9, 0}), " 50 ON");
    const MenuItem someBands = entry(65, 1024 + 1);
    EXPECT_EQ(settingText(someBands, {0, 0}), " 1.8 ON");
    EXPECT_EQ(settingText(someBands, {1, 0}), " 3.5 OFF");
    EXPECT_EQ(settingText(someBands, {99, 0}), " GEN ON");
    const MenuItem mode = entry(66, 32 + 1);
    EXPECT_EQ(settingText(mode, {0, 0}), " LSB ON");
    EXPECT_EQ(settingText(mode, {4, 0}), " FM OFF");
    EXPECT_EQ(settingText(mode), " DATA ON");
}

TEST(MenuSetting, BeaconChannelAndScrolledText)
{
    MenuItem beacon = entry(5, 2);
    beacon.text = "CQ CQ";
    EXPECT_EQ(settingText(beacon), " 2 CQ CQ");
    EXPECT_EQ(settingText(beacon, {-1, 3}), " 2 CQ CQ"); // short texts never scroll

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
    EXPECT_EQ(line.substr(0, 12), "021 CWSPEED ");
    EXPECT_EQ(line.substr(12, 12), " 4-60 (wpm) ");
    EXPECT_EQ(line.size(), 12u + 88u + 6u);
    EXPECT_EQ(line.substr(100), " 12wpm");

    const std::string dialStep = listLine(entry(29, 1));
    EXPECT_EQ(dialStep.substr(0, 12), "027 DIALSTP ");
    EXPECT_EQ(dialStep.substr(100), " 10Hz");
    EXPECT_EQ(listLine(entry(23, 0)).substr(100), " NUMERIC CHARACTERS ONLY");
}

TEST(MenuChoice, NumberRunsAndTheirStoredValues)
{
    const MenuChoices speed = menuChoices(entry(21, 12));
    ASSERT_EQ(speed.texts.size(), 57u);
    EXPECT_EQ(speed.texts.front(), "4");
    EXPECT_EQ(speed.texts.back(), "60");
    EXPECT_EQ(speed.selected, 8);
    EXPECT_EQ(storedValueFromChoice(entry(21, 12), 8), 12);

    const MenuChoices vox = menuChoices(entry(63, 5));
    ASSERT_EQ(vox.texts.size(), 30u);
    EXPECT_EQ(vox.texts[4], "500");
    EXPECT_EQ(vox.selected, 4);
    EXPECT_EQ(storedValueFromChoice(entry(63, 5), 29), 30);

    const MenuChoices shift = menuChoices(entry(25, -30));
    ASSERT_EQ(shift.texts.size(), 601u);
    EXPECT_EQ(shift.texts.front(), "-3000");
    EXPECT_EQ(shift.texts[shift.selected], "-300");
    EXPECT_EQ(storedValueFromChoice(entry(25, 0), 0), -300);
}

TEST(MenuChoice, DecimalRunsReachTheirLastValueAndStoreWholeNumbers)
{
    const MenuChoices rpt = menuChoices(entry(50, 10));
    ASSERT_EQ(rpt.texts.size(), 1000u);
    EXPECT_EQ(rpt.texts[10], "0.10");
    EXPECT_EQ(rpt.texts.back(), "9.99");
    EXPECT_EQ(rpt.selected, 10);
    for (int i : {0, 29, 57, 999})
        EXPECT_EQ(storedValueFromChoice(entry(50, 10), i), i);

    const MenuChoices weight = menuChoices(entry(24, 30));
    ASSERT_EQ(weight.texts.size(), 21u);
    EXPECT_EQ(weight.texts.front(), "2.5");
    EXPECT_EQ(weight.texts.back(), "4.5");
    EXPECT_EQ(weight.texts[weight.selected], "3.0");
    EXPECT_EQ(storedValueFromChoice(entry(24, 30), 20), 45);
}

TEST(MenuChoice, NamedFirstChoiceOfNumberEntries)
{
    const MenuChoices delay = menuChoices(entry(16, 2));
    ASSERT_EQ(delay.texts.size(), 1u + 298u);
    EXPECT_EQ(delay.texts[0], "FULL");
    EXPECT_EQ(delay.texts[1], "30");
    EXPECT_EQ(delay.selected, 0);
    EXPECT_EQ(storedValueFromChoice(entry(16, 25), 0), 2);
    EXPECT_EQ(storedValueFromChoice(entry(16, 25), 1), 3);
    EXPECT_EQ(menuChoices(entry(16, 25)).texts[menuChoices(entry(16, 25)).selected], "250");

    EXPECT_EQ(storedValueFromChoice(entry(3, 0), 0), 0);
    EXPECT_EQ(storedValueFromChoice(entry(3, 0), 12), 12);
    EXPECT_EQ(menuChoices(entry(3, 7)).selected, 7);
}

TEST(MenuChoice, ListsStoreCodes)
{
    const MenuChoices rate = menuChoices(entry(10, 3));
    EXPECT_EQ(rate.texts, (std::vector<std::string>{"4800", "9600", "19200", "38400"}));
    EXPECT_EQ(rate.selected, 2);
    EXPECT_EQ(storedValueFromChoice(entry(10, 3), 0), 1);
    EXPECT_EQ(storedValueFromChoice(entry(10, 3), 3), 4);
    EXPECT_FALSE(storedValueFromChoice(entry(10, 3), 4).has_value());
    EXPECT_EQ(menuChoices(entry(10, 70)).selected, -1);

    EXPECT_EQ(menuChoices(entry(56, 2)).selected, 2);
    EXPECT_EQ(storedValueFromChoice(entry(56, 2), 5), 5);
    EXPECT_EQ(menuChoices(entry(42, 19)).texts.size(), 52u);
}

TEST(MenuChoice, PitchStoresEvenCodes)
{
    EXPECT_EQ(menuChoices(entry(20, 1)).selected, 0);
    EXPECT_EQ(menuChoices(entry(20, 8)).selected, 3);
    const double expected[] = {2, 4, 6, 8, 10};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(storedValueFromChoice(entry(20, 8), i), expected[i]);
}

TEST(MenuChoice, LevelsConvertPercentToTheRadioScale)
{
    const MenuChoices gain = menuChoices(entry(64, 50));
    ASSERT_EQ(gain.texts.size(), 100u);
    EXPECT_EQ(gain.texts[gain.selected], "20");
    EXPECT_EQ(storedValueFromChoice(entry(64, 50), 19), 51); // "20"
    EXPECT_EQ(storedValueFromChoice(entry(64, 50), 99), 255);

    const MenuChoices digVox = menuChoices(entry(30, 0));
    ASSERT_EQ(digVox.texts.size(), 101u);
    EXPECT_EQ(digVox.texts[0], "OFF");
    EXPECT_EQ(digVox.texts[1], "1");
    EXPECT_EQ(digVox.selected, 0);
    EXPECT_EQ(storedValueFromChoice(entry(30, 0), 0), 0);
}

TEST(MenuChoice, VolumeRunsFromFixToLink)
{
    const MenuChoices vol = menuChoices(entry(7, 151));
    ASSERT_EQ(vol.texts.size(), 202u);
    EXPECT_EQ(vol.texts[0], "FIX 0");
    EXPECT_EQ(vol.texts[100], "FIX 100");
    EXPECT_EQ(vol.texts[101], "LNK -50");
    EXPECT_EQ(vol.texts[201], "LNK 50");
    EXPECT_EQ(vol.selected, 151);
    EXPECT_EQ(storedValueFromChoice(entry(7, 151), 120), 120);
}

TEST(MenuChoice, TonesInDialogOrderStoreTheirCode)
{
    const MenuChoices tones = menuChoices(entry(60, 8));
    ASSERT_EQ(tones.texts.size(), 50u);
    EXPECT_EQ(tones.texts[1], "  79.7");
    EXPECT_EQ(tones.texts[tones.selected], "  88.5");
    EXPECT_EQ(storedValueFromChoice(entry(60, 8), 1), 5);
    EXPECT_EQ(storedValueFromChoice(entry(60, 8), 10), 1);
}

TEST(MenuChoice, FlagsSumTheirWeights)
{
    EXPECT_EQ(menuChoices(entry(65, 0)).texts.size(), 11u);
    EXPECT_EQ(storedValueFromFlags(entry(65, 0), {true, false, false, false, false, false, false, false, false,
                                                  false, true}),
              1025);
    EXPECT_EQ(storedValueFromFlags(entry(66, 0), {true, true, true, true, true, true}), 63);
    EXPECT_EQ(storedValueFromFlags(entry(66, 0), {false, false, true}), 8);
    EXPECT_FALSE(storedValueFromChoice(entry(65, 0), 0).has_value());
}

TEST(MenuChoice, BeaconTextAndEmptyRangesOfferNothing)
{
    EXPECT_TRUE(menuChoices(entry(5, 1)).texts.empty());
    MenuItem odd = entry(21, 12);
    odd.step = 0;
    EXPECT_TRUE(menuChoices(odd).texts.empty());
    odd.step = -1;
    EXPECT_TRUE(menuChoices(odd).texts.empty());
}

} // namespace
} // namespace qx
