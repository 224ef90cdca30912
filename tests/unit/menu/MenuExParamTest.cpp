#include "menu/MenuExParam.h"
#include "menu/MenuLoader.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

class ExParamTest : public ::testing::Test {
protected:
    void SetUp() override { MenuLoader(table, {}).load(); }

    std::string setCommand(int slot, double newValue, std::string_view newText = {})
    {
        MenuItem item = table.getEntry(slot);
        item.newValue = newValue;
        item.newText = newText;
        item.changed = true;
        return exSetCommand(slot, item);
    }

    MenuTable table;
};

TEST_F(ExParamTest, UnsignedValuesAreZeroFilledToTheWidth)
{
    struct Case {
        int slot;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {21, 12, "EX02112;"},       // CWSPEED
        {50, 10, "EX050010;"},      // RPT SFT
        {10, 1, "EX0101;"},         // CATRATE
        {48, 100, "EX048100;"},     // RFPOWER
        {4, 255, "EX004255;"},      // BCN TIM
        {16, 25.9, "EX016025;"},    // truncated, not rounded
        {21, 100, "EX02100;"},      // too wide for two digits
        {21, -1, "EX02100;"},       // no sign allowed
        {42, 51, "EX04251;"},       // custom key
        {7, 151, "EX007151;"},      // BEEPVOL
    };
    for (const Case& c : cases)
        EXPECT_EQ(setCommand(c.slot, c.value), c.expected) << "slot " << c.slot << " value " << c.value;
}

TEST_F(ExParamTest, SignedValuesCarryTheirSign)
{
    EXPECT_EQ(setCommand(25, -30), "EX025-030;");
    EXPECT_EQ(setCommand(25, 300), "EX025+300;");
    EXPECT_EQ(setCommand(25, 0), "EX025+000;");
    EXPECT_EQ(setCommand(47, 5), "EX047+05;");
    EXPECT_EQ(setCommand(47, -20), "EX047-20;");
    EXPECT_EQ(setCommand(47, -123), "EX047-00;");
}

TEST_F(ExParamTest, FlagEntriesBecomeBitStrings)
{
    EXPECT_EQ(setCommand(65, 2047), "EX06511111111111;");
    EXPECT_EQ(setCommand(65, 1024 + 1), "EX06510000000001;");
    EXPECT_EQ(setCommand(65, 0), "EX06500000000000;");
    EXPECT_EQ(setCommand(66, 63), "EX066111111;");
    EXPECT_EQ(setCommand(66, 32 + 4), "EX066100100;");
}

TEST_F(ExParamTest, BeaconTextIsChannelThenTextUnpadded)
{
    EXPECT_EQ(setCommand(5, 2, "CQ TEST"), "EX0052CQ TEST;");
    EXPECT_EQ(setCommand(5, 1, ""), "EX0051;");
    const std::string forty(40, 'A');
    EXPECT_EQ(setCommand(5, 3, forty), "EX0053" + forty + ";");
}

TEST_F(ExParamTest, BeaconTextCannotSmuggleAnEndOfCommand)
{
    EXPECT_EQ(setCommand(5, 1, "AB;PS0;\n"), "EX0051ABPS0;");
}

TEST_F(ExParamTest, DimmerAndVacantSlotsHaveNoExSetCommand)
{
    EXPECT_EQ(setCommand(67, 3), "");
    EXPECT_EQ(setCommand(27, 1), "");
}

TEST(ExWidth, OnlyTheNarrowKindsLoseACharacterWhileTheAdjustIsZero)
{
    EXPECT_EQ(exCommandWidth(31, 3), 2);
    EXPECT_EQ(exCommandWidth(34, 3), 2);
    EXPECT_EQ(exCommandWidth(32, 3, 5), 3);
    EXPECT_EQ(exCommandWidth(1, 3), 3);
    EXPECT_EQ(exAnswerWidth(31, 3), 3);
    EXPECT_EQ(exAnswerWidth(35, 3), 2);
    EXPECT_EQ(exParameter(32, exCommandWidth(32, 3), 7), "07");
}

TEST(ExRead, SlotAsThreeDigits)
{
    EXPECT_EQ(exReadCommand(10), "EX010;");
    EXPECT_EQ(exReadCommand(67), "EX067;");
    EXPECT_EQ(exReadCommand(0), "");
    EXPECT_EQ(exReadCommand(1000), "");
}

TEST_F(ExParamTest, AnswersAreStoredByKind)
{
    struct Case {
        const char* answer;
        int slot;
        double value;
    };
    const Case cases[] = {
        {"EX02125;", 21, 25},          {"EX025-030;", 25, -30},       {"EX047+05", 47, 5},
        {"EX06510000000001;", 65, 1025}, {"EX066000011;", 66, 3},       {"EX0103;", 10, 3},
        {"EX050999;", 50, 999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        table.update(c.slot, [](MenuItem& i) { i.value = 1234; return true; });
        const ExAnswerResult r = storeExAnswer(table, c.answer);
        EXPECT_TRUE(r.changed);
        EXPECT_EQ(r.slot, c.slot);
        EXPECT_EQ(table.getEntry(c.slot).value, c.value);
    }
}

TEST_F(ExParamTest, AnswerWithTheSameValueIsNotAChange)
{
    const ExAnswerResult r = storeExAnswer(table, "EX02112;");
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(r.slot, 21);
    EXPECT_EQ(r.kind, 0);
    EXPECT_TRUE(storeExAnswer(table, "EX04500;").changed);
    EXPECT_EQ(storeExAnswer(table, "EX04501;").kind, 15);
}

TEST_F(ExParamTest, AnswersThatMustNotTouchTheTable)
{
    const char* answers[] = {
        "EX027",          // vacant slot
        "EX0271;",        // vacant slot
        "EX068123;",      // beyond the table
        "EX000;",         // slot 0
        "EX0481;",        // parameter shorter than the width
        "EX0211A;",       // not a number
        "EX021;",         // empty parameter
        "EX0",            // cut short
        "FA02112;",       // not an EX answer
        "EX005;",         // beacon without channel
        "EX005X;",        // beacon channel not a digit
    };
    for (const char* a : answers) {
        SCOPED_TRACE(a);
        const MenuItem before = table.getEntry(21);
        const MenuItem beaconBefore = table.getEntry(5);
        EXPECT_FALSE(storeExAnswer(table, a).changed);
        EXPECT_EQ(table.getEntry(21).value, before.value);
        EXPECT_EQ(table.getEntry(48).value, 100);
        EXPECT_EQ(table.getEntry(27).value, 0);
        EXPECT_EQ(table.getEntry(5).text, beaconBefore.text);
    }
}

TEST_F(ExParamTest, BeaconAnswerCopiesOnlyWhatTheAnswerHolds)
{
    ExAnswerResult r = storeExAnswer(table, "EX0052HELLO;");
    EXPECT_TRUE(r.changed);
    MenuItem beacon = table.getEntry(5);
    EXPECT_EQ(beacon.value, 2);
    EXPECT_EQ(beacon.text, "HELLO");

    // Same channel, new text: stored, but only a new channel counts as a change.
    r = storeExAnswer(table, "EX0052HI");
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(table.getEntry(5).text, "HI");

    const std::string longText(60, 'Z');
    storeExAnswer(table, "EX0053" + longText + ";");
    beacon = table.getEntry(5);
    EXPECT_EQ(beacon.value, 3);
    EXPECT_EQ(beacon.text, std::string(40, 'Z'));
}

TEST_F(ExParamTest, AnswersBeforeTheTableIsLoadedAreIgnored)
{
    MenuTable empty;
    EXPECT_EQ(storeExAnswer(empty, "EX02125;").slot, 0);
    EXPECT_EQ(empty.getEntry(21).value, 0);
}

} // namespace
} // namespace qx
