#include "cat/CatTables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace qx {
namespace {

TEST(CatTables, RowCountsNoRepeatedCodeAndDistinctNotifications)
{
    EXPECT_EQ(setCommandTable().size(), 83u);
    EXPECT_EQ(readCommandTable().size(), 69u);
    EXPECT_EQ(answerTable().size(), 71u);
    for (auto table : {setCommandTable(), readCommandTable(), answerTable()}) {
        std::set<std::string> codes;
        for (const CatRecord& row : table) {
            EXPECT_TRUE(codes.insert(std::string(codeOf(row))).second) << codeOf(row);
            EXPECT_EQ(row.code[2] | row.code[3], 0) << codeOf(row);
        }
    }
    for (const CatRecord& row : setCommandTable())
        EXPECT_EQ(row.kindOrNotification, 0u) << codeOf(row);
    std::set<std::uint32_t> ids{UM_ANS_OTHER,    UM_ANS_SPARE_03, UM_ANS_SPARE_06, UM_ANS_SPARE_11, UM_ANS_SPARE_17,
                                UM_ANS_SPARE_25, UM_ANS_SPARE_2E, UM_ANS_SPARE_35, UM_ANS_SPARE_53};
    for (const CatRecord& row : answerTable()) {
        EXPECT_TRUE(ids.insert(row.kindOrNotification).second) << codeOf(row);
        EXPECT_TRUE(row.kindOrNotification >= 0x8301 && row.kindOrNotification <= 0x835B) << codeOf(row);
    }
}

TEST(CatTables, LiteralRows)
{
    const struct {
        std::span<const CatRecord> table;
        int row;
        const char* code;
        std::uint32_t kindOrNotification;
        int length;
    } cases[] = {
        {setCommandTable(), 0, "BS", 0, 5},     {setCommandTable(), 36, "FA", 0, 11},
        {setCommandTable(), 79, "SS", 0, 9},    {setCommandTable(), 82, "SF", 0, 4},
        {readCommandTable(), 0, "ID", 3, 3},    {readCommandTable(), 1, "EX", 3, 6},
        {readCommandTable(), 10, "MD", 1, 4},   {readCommandTable(), 29, "ML", 2, 4},
        {readCommandTable(), 68, "SF", 0, 3},
        {answerTable(), 0, "ID", 0x8344, 7},    {answerTable(), 39, "FA", 0x8333, 11},
        {answerTable(), 48, "KM", 0x833D, 54},  {answerTable(), 60, "DS", 0x8319, 4},
        {answerTable(), 69, "SF", 0x8304, 4},   {answerTable(), 70, "BS", 0x8301, 5},
    };
    for (const auto& c : cases) {
        const CatRecord& row = c.table[static_cast<std::size_t>(c.row)];
        EXPECT_EQ(codeOf(row), c.code) << "row " << c.row;
        EXPECT_EQ(row.kindOrNotification, c.kindOrNotification) << c.code;
        EXPECT_EQ(row.length, c.length) << c.code;
    }
    EXPECT_EQ(&setRow(SetRow::FA), &setCommandTable()[36]);
    EXPECT_EQ(&readRow(ReadRow::ST), readRowAt(8));
    EXPECT_EQ(&answerRow(AnswerRow::ST), answerRowAt(68));
    EXPECT_EQ(readRowAt(69), nullptr);
    EXPECT_EQ(answerRowAt(71), nullptr);
    EXPECT_EQ(answerRowAt(-1), nullptr);
}

TEST(CatTables, FindAnswerByTwoLetters)
{
    const struct {
        std::string text;
        int index;
    } cases[] = {
        // codes that also have set and read rows find only their answer row
        {"FA14250000", 39}, {"VS1", 9}, {"ST1", 68}, {"SS0", 67}, {"ID0241", 0}, {"BS05", 70}, {"SF3", 69},
        // no answer row: set- or read-only codes, the menu answers, unknown
        {"AB", -1}, {"QI", -1}, {"EX0100", -1}, {"ZZ1", -1},
        // not two upper-case letters
        {"", -1}, {"F", -1}, {"fa1", -1}, {"Fa1", -1}, {"?;", -1}, {"1A", -1}, {std::string("F\0", 2), -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findAnswer(c.text), c.index) << c.text;
    for (int i = 0; i < static_cast<int>(answerTable().size()); ++i)
        EXPECT_EQ(findAnswer(codeOf(answerTable()[static_cast<std::size_t>(i)])), i);
}

} // namespace
} // namespace qx
