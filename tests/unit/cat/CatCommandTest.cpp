#include "cat/CatCommand.h"
#include "cat/CatTables.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace qx {
namespace {

TEST(RightAlignedField, FillsWithZerosAndRefusesTooWideValues)
{
    const struct {
        int width;
        long long value;
        const char* expected;
    } cases[] = {
        {3, 5, "005"}, {3, 999, "999"}, {3, 1000, "000"}, {1, 123, "0"}, {2, 0, "00"},
        {8, 14250000, "14250000"}, {8, 100000000, "00000000"}, {4, -5, "0000"},
        {20, LLONG_MAX, "09223372036854775807"}, {0, 5, ""}, {-3, 5, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rightAlignedField(c.width, c.value), c.expected) << c.width << " " << c.value;
}

TEST(FittedField, GivesNothingForAValueTheFieldCannotHold)
{
    const struct {
        int width;
        long long value;
        std::optional<std::string> expected;
    } cases[] = {
        {3, 0, "000"}, {3, 999, "999"}, {3, 1000, std::nullopt}, {1, 9, "9"}, {1, 10, std::nullopt},
        {4, -1, std::nullopt}, {20, LLONG_MAX, "09223372036854775807"}, {0, 0, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fittedField(c.width, c.value), c.expected) << c.width << " " << c.value;
}

TEST(ComposeCommand, RowLengthDecidesTheText)
{
    const struct {
        std::string got;
        std::string expected;
    } cases[] = {
        {composeCommand(setRow(SetRow::PC), rightAlignedField(3, 1000)), "PC000;"},
        {composeCommand(setRow(SetRow::CS), rightAlignedField(1, 123)), "CS0;"},
        {composeCommand(setRow(SetRow::FA), rightAlignedField(8, 14250000)), "FA14250000;"},
        {composeCommand(setRow(SetRow::SS), "0" + rightAlignedField(5, 1234)), "SS001234;"},
        {composeCommand(setRow(SetRow::AB)), "AB;"},
        {composeCommand(readRow(ReadRow::FA)), "FA;"},
        {composeCommand(readRow(ReadRow::SS), "0"), "SS0;"},
        {composeCommand(readRow(ReadRow::MR), rightAlignedField(3, 1000)), "MR000;"},
        // a longer text built against a read row sends only the query
        {composeCommand(readRow(ReadRow::FA), "14250000"), "FA;"},
        // parameters a builder leaves out stay NUL, the length still holds
        {composeCommand(setRow(SetRow::BD)), std::string("BD\0;", 4)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.expected);
}

TEST(ComposeCommand, EveryRowGivesExactlyItsLength)
{
    for (auto table : {setCommandTable(), readCommandTable(), answerTable()}) {
        for (const CatRecord& row : table) {
            const std::string text = composeCommand(row, std::string(600, '9'));
            ASSERT_EQ(text.size(), static_cast<std::size_t>(row.length)) << codeOf(row);
            EXPECT_EQ(text.substr(0, 2), codeOf(row));
            EXPECT_EQ(text.find_first_not_of('9', 2), text.size() - 1) << codeOf(row);
        }
    }
}

TEST(ComposeCommand, StaysInsideTheBuffer)
{
    EXPECT_EQ(composeCommand(CatRecord{"ZZ", 0, 2}, "1"), "");
    EXPECT_EQ(composeCommand(CatRecord{"ZZ", 0, 513}, "1"), "");
    const std::string longest = composeCommand(CatRecord{"ZZ", 0, 512}, std::string(600, '1'));
    ASSERT_EQ(longest.size(), 512u);
    EXPECT_EQ(longest.substr(509), "11;");
}

} // namespace
} // namespace qx
