#include "cat/CatTables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace qx {
namespace {

TEST(CatTables, RowCountsAndNoCodeTwiceInOneTable)
{
    EXPECT_EQ(setCommandTable().size(), 83u);
    EXPECT_EQ(readCommandTable().size(), 69u);
    EXPECT_EQ(answerTable().size(), 71u);
    for (auto table : {setCommandTable(), readCommandTable(), answerTable()}) {
        std::set<std::string> codes;
        for (const CatRecord& row : table) {
            EXPECT_TRUE(codes.insert(std::string(codeOf(row))).second) << codeOf(row);
            EXPECT_TRUE(row.code[0] >= 'A' && row.code[0] <= 'Z');
            EXPECT_TRUE(row.code[1] >= 'A' && row.code[1] <= 'Z');
            EXPECT_EQ(row.code[2], '\0');
            EXPECT_EQ(row.code[3], '\0');
            EXPECT_GE(row.length, 3);
        }
    }
}

TEST(CatTables, SetRowsCarryNoKindAndReadKindsAgreeWithLengths)
{
    for (const CatRecord& row : setCommandTable())
        EXPECT_EQ(row.kindOrNotification, 0u) << codeOf(row);
    for (const CatRecord& row : readCommandTable()) {
        switch (readKindOf(row)) {
        case ReadKind::Code: EXPECT_EQ(row.length, 3) << codeOf(row); break;
        case ReadKind::CodeZero:
        case ReadKind::ZeroThenOne: EXPECT_EQ(row.length, 4) << codeOf(row); break;
        case ReadKind::Listed: break;
        default: ADD_FAILURE() << "kind out of range: " << codeOf(row);
        }
    }
}

TEST(CatTables, AnswerNotificationsAreDistinctAndInRange)
{
    const std::set<std::uint32_t> notRows{UM_ANS_OTHER,    UM_ANS_SPARE_03, UM_ANS_SPARE_06,
                                          UM_ANS_SPARE_11, UM_ANS_SPARE_17, UM_ANS_SPARE_25,
                                          UM_ANS_SPARE_2E, UM_ANS_SPARE_35, UM_ANS_SPARE_53};
    std::set<std::uint32_t> seen;
    for (const CatRecord& row : answerTable()) {
        EXPECT_GE(row.kindOrNotification, 0x8301u);
        EXPECT_LE(row.kindOrNotification, 0x835Bu);
        EXPECT_TRUE(seen.insert(row.kindOrNotification).second) << codeOf(row);
        EXPECT_EQ(notRows.count(row.kindOrNotification), 0u) << codeOf(row);
    }
}

struct RowCase {
    std::span<const CatRecord> table;
    int row;
    const char* code;
    std::uint32_t kindOrNotification;
    int length;
};

TEST(CatTables, LiteralRows)
{
    const RowCase cases[] = {
        {setCommandTable(), 0, "BS", 0, 5},          {setCommandTable(), 36, "FA", 0, 11},
        {setCommandTable(), 43, "KM", 0, 54},        {setCommandTable(), 47, "PC", 0, 6},
        {setCommandTable(), 63, "RD", 0, 7},         {setCommandTable(), 79, "SS", 0, 9},
        {setCommandTable(), 81, "MW", 0, 27},        {setCommandTable(), 82, "SF", 0, 4},
        {readCommandTable(), 0, "ID", 3, 3},         {readCommandTable(), 1, "EX", 3, 6},
        {readCommandTable(), 10, "MD", 1, 4},        {readCommandTable(), 12, "BP", 3, 5},
        {readCommandTable(), 29, "ML", 2, 4},        {readCommandTable(), 49, "AI", 0, 3},
        {readCommandTable(), 63, "MR", 3, 6},        {readCommandTable(), 67, "SS", 1, 4},
        {readCommandTable(), 68, "SF", 0, 3},        {answerTable(), 0, "ID", 0x8344, 7},
        {answerTable(), 34, "IF", 0x832D, 27},       {answerTable(), 39, "FA", 0x8333, 11},
        {answerTable(), 48, "KM", 0x833D, 54},       {answerTable(), 60, "DS", 0x8319, 4},
        {answerTable(), 63, "MR", 0x8356, 27},       {answerTable(), 69, "SF", 0x8304, 4},
        {answerTable(), 70, "BS", 0x8301, 5},
    };
    for (const auto& c : cases) {
        const CatRecord& row = c.table[static_cast<std::size_t>(c.row)];
        EXPECT_EQ(codeOf(row), c.code) << "row " << c.row;
        EXPECT_EQ(row.kindOrNotification, c.kindOrNotification) << c.code;
        EXPECT_EQ(row.length, c.length) << c.code;
    }
}

TEST(CatTables, NamedRowsPointAtTheirCode)
{
    EXPECT_EQ(codeOf(setRow(SetRow::SF)), "SF");
    EXPECT_EQ(&setRow(SetRow::FA), &setCommandTable()[36]);
    EXPECT_EQ(&readRow(ReadRow::ST), &readCommandTable()[8]);
    EXPECT_EQ(&answerRow(AnswerRow::ST), &answerTable()[68]);
    EXPECT_EQ(readRowAt(68), &readCommandTable()[68]);
    EXPECT_EQ(readRowAt(69), nullptr);
    EXPECT_EQ(answerRowAt(-1), nullptr);
    EXPECT_EQ(answerRowAt(71), nullptr);
}

TEST(CatTables, FindAnswerByTwoLetters)
{
    const struct {
        std::string text;
        int index;
    } cases[] = {
        {"FA14250000", 39}, {"ID0241", 0},  {"BS05", 70},   {"SF3", 69},
        {"VS1", 9},         {"ST1", 68},    {"RM1000", 23}, {"FA", 39},
        // no answer row: set- or read-only codes, the menu answers, unknown
        {"AB", -1},         {"QI", -1},     {"EX0100", -1}, {"ZZ1", -1},
        // not two upper-case letters
        {"", -1},           {"F", -1},      {"fa14250000", -1}, {"Fa1", -1},
        {"?;", -1},         {"1A", -1},     {std::string("F\0", 2), -1}, {"[A", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findAnswer(c.text), c.index) << c.text;
}

TEST(CatTables, CodesInSeveralTablesKeepTheirOwnLengths)
{
    // The answer lookup only ever sees the answer rows.
    EXPECT_EQ(setRow(SetRow::FA).length, 11);
    EXPECT_EQ(readRow(ReadRow::FA).length, 3);
    EXPECT_EQ(answerTable()[static_cast<std::size_t>(findAnswer("FA"))].length, 11);
    EXPECT_EQ(setRow(SetRow::SS).length, 9);
    EXPECT_EQ(readRow(ReadRow::SS).length, 4);
    EXPECT_EQ(findAnswer("SS"), 67);
    EXPECT_EQ(setRow(SetRow::ST).length, 4);
    EXPECT_EQ(readRow(ReadRow::ST).length, 3);
    EXPECT_EQ(findAnswer("ST"), 68);
    for (int i = 0; i < static_cast<int>(answerTable().size()); ++i)
        EXPECT_EQ(findAnswer(codeOf(answerTable()[static_cast<std::size_t>(i)])), i);
}

} // namespace
} // namespace qx
