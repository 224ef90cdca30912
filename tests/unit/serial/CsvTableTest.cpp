#include "serial/CsvTable.h"

#include "tests/unit/serial/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

struct CsvCase {
    const char* name;
    std::string text;
    CsvTable expected;
};

class CsvParse : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvParse, GivesTheRowsAndFields)
{
    EXPECT_EQ(parseCsv(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CsvParse,
    ::testing::Values(
        CsvCase{"empty", "", {}},
        CsvCase{"oneLine", "3,9600,0\n", {{"3", "9600", "0"}}},
        CsvCase{"noFinalNewline", "3,9600,0", {{"3", "9600", "0"}}},
        CsvCase{"crlf", "1,2\r\n3,4\r\n", {{"1", "2"}, {"3", "4"}}},
        CsvCase{"blankLinesGiveNoRow", "\n\n5\n\n", {{"5"}}},
        CsvCase{"emptyFields", ",,\n", {{"", "", ""}}},
        CsvCase{"quotedComma", "\"a,b\",c\n", {{"a,b", "c"}}},
        CsvCase{"quotedNewline", "\"line1\nline2\",x\ny\n", {{"line1\nline2", "x"}, {"y"}}},
        CsvCase{"quotesInsideAField", "ab\"c,d\"e,f", {{"abc,de", "f"}}},
        CsvCase{"unclosedQuoteRunsToTheEnd", "\"a,b\nc", {{"a,b\nc"}}},
        // A double-byte character whose second byte is a comma, a quote or a
        // newline stays one character.
        CsvCase{"leadByteHidesComma", "\x83,x,y", {{"\x83,x", "y"}}},
        CsvCase{"leadByteHidesQuote", "\xE0\"a,b", {{"\xE0\"a", "b"}}},
        CsvCase{"leadByteHidesNewline", "\xFC\nz\n", {{"\xFC\nz"}}},
        CsvCase{"leadByteLastInText", "a,\x81", {{"a", "\x81"}}},
        CsvCase{"notLeadBytes", "\x80,\xA0,\xFD", {{"\x80", "\xA0", "\xFD"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvFile, ReadsAFileAndRefusesMissingOrHugeOnes)
{
    test::TempDir dir;
    dir.writeFile("a.csv", "1,2\n3\n");
    const auto table = readCsvFile(dir.path() / "a.csv");
    ASSERT_TRUE(table);
    EXPECT_EQ(*table, (CsvTable{{"1", "2"}, {"3"}}));

    EXPECT_FALSE(readCsvFile(dir.path() / "missing.csv"));
    EXPECT_FALSE(readCsvFile(dir.path()));

    dir.writeFile("big.csv", std::string(5000, '7'));
    EXPECT_FALSE(readCsvFile(dir.path() / "big.csv", 4096));
    EXPECT_TRUE(readCsvFile(dir.path() / "big.csv", 5000));
}

} // namespace
} // namespace qx
