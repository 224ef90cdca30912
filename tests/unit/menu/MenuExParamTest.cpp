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
        return exSetCommand(slot, item);
    }

    MenuTable table;
};

TEST_F(ExParamTest, SetCommandsByKind)
{
    struct Case {
        int slot;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {21, 12, "EX02112;"},      {50, 10, "EX050010;"},   {10, 1, "EX0101;"},       {7, 151, "EX007151;"},
        {16, 25.9, "EX016025;"},   // truncated, not rounded
        {21, 100, ""},             // too wide: refused, not sent as zeros
        {21, -1, ""},              // no sign in this field
        {25, -30, "EX025-030;"},   {25, 300, "EX025+300;"}, {25, 0, "EX025+000;"},
        {47, 5, "EX047+05;"},      {47, -123, ""},            {47, -99, "EX047-99;"},
        {65, 2047, "EX06511111111111;"}, {65, 1025, "EX06510000000001;"}, {65, 4096, ""}, {65, -1, ""},
        {66, 63, "EX066111111;"},  {66, 36, "EX066100100;"},
        {67, 3, ""},               // the dimmer has its own command
        {27, 1, ""},               // vacant
    };
    for (const Case& c : cases)
        EXPECT_EQ(setCommand(c.slot, c.value), c.expected) << "slot " << c.slot << " value " << c.value;
    EXPECT_EQ(exReadCommand(10), "EX010;");
    EXPECT_EQ(exReadCommand(0), "");
}

TEST_F(ExParamTest, BeaconIsChannelThenTextUnpaddedWithoutCommandBreakers)
{
    EXPECT_EQ(setCommand(5, 2, "CQ TEST"), "EX0052CQ TEST;");
    EXPECT_EQ(setCommand(5, 1, ""), "EX0051;");
    EXPECT_EQ(setCommand(5, 3, std::string(40, 'A')), "EX0053" + std::string(40, 'A') + ";");
    EXPECT_EQ(setCommand(5, 1, "AB;PS0;\n"), "EX0051ABPS0;");
    EXPECT_EQ(setCommand(5, 10, "CQ"), "") << "no channel digit for 10";
}

TEST(ExWidth, NarrowKindsLoseACharacterWhileTheAdjustIsZero)
{
    EXPECT_EQ(exCommandWidth(31, 3), 2);
    EXPECT_EQ(exCommandWidth(32, 3, 5), 3);
    EXPECT_EQ(exCommandWidth(1, 3), 3);
    EXPECT_EQ(exAnswerWidth(31, 3), 3);
    EXPECT_EQ(exAnswerWidth(35, 3), 2);
}

TEST_F(ExParamTest, AnswersAreStoredByKind)
{
    struct Case {
        const char* answer;
        int slot;
        double value;
    };
    const Case cases[] = {
        {"EX02125;", 21, 25},   {"EX025-030;", 25, -30}, {"EX047+05", 47, 5},     {"EX06510000000001;", 65, 1025},
        {"EX066000011;", 66, 3}, {"EX0103;", 10, 3},      {"EX050999;", 50, 999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        table.update(c.slot, [](MenuItem& i) { i.value = 1234; return true; });
        const ExAnswerResult r = storeExAnswer(table, c.answer);
        EXPECT_TRUE(r.changed);
        EXPECT_EQ(r.slot, c.slot);
        EXPECT_EQ(table.getEntry(c.slot).value, c.value);
    }
    const ExAnswerResult same = storeExAnswer(table, "EX02125;");
    EXPECT_FALSE(same.changed);
    EXPECT_EQ(same.slot, 21);
    EXPECT_EQ(storeExAnswer(table, "EX04500;").kind, 15);
}

TEST_F(ExParamTest, AnswersThatMustNotTouchTheTable)
{
    const char* answers[] = {
        "EX0271;",   // vacant slot
        "EX068123;", // beyond the table
        "EX000;",    // slot 0
        "EX0481;",   // shorter than the width
        "EX0211A;",  // not a number
        "EX021;",    // empty
        "EX0",       // cut short
        "EX005X;",   // beacon channel not a digit
    };
    for (const char* a : answers) {
        SCOPED_TRACE(a);
        EXPECT_FALSE(storeExAnswer(table, a).changed);
        EXPECT_EQ(table.getEntry(21).value, 12);
        EXPECT_EQ(table.getEntry(48).value, 100);
        EXPECT_EQ(table.getEntry(27).value, 0);
        EXPECT_EQ(table.getEntry(5).text, "1");
    }
    MenuTable empty;
    EXPECT_EQ(storeExAnswer(empty, "EX02125;").slot, 0);
}

TEST_F(ExParamTest, BeaconAnswerCopiesOnlyWhatTheAnswerHolds)
{
    EXPECT_TRUE(storeExAnswer(table, "EX0052HELLO;").changed);
    EXPECT_EQ(table.getEntry(5).value, 2);
    EXPECT_EQ(table.getEntry(5).text, "HELLO");

    // Same channel, new text: stored, but only a new channel counts as a change.
    EXPECT_FALSE(storeExAnswer(table, "EX0052HI").changed);
    EXPECT_EQ(table.getEntry(5).text, "HI");

    storeExAnswer(table, "EX0053" + std::string(60, 'Z') + ";");
    EXPECT_EQ(table.getEntry(5).text, std::string(40, 'Z'));
}

} // namespace
} // namespace qx
