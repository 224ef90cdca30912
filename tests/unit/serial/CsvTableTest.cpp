#include "serial/CsvTable.h"

#include "tests/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(CsvTable, SplitsRowsAndFieldsHonouringQuotesAndDoubleByteCharacters)
{
    const std::vector<std::pair<std::string, CsvTable>> cases{
        {"", {}},
        {"3,9600,0", {{"3", "9600", "0"}}},
        {"1,2\r\n\n3,,\r\n", {{"1", "2"}, {"3", "", ""}}},
        {"\"a,b\nc\",d\ne", {{"a,b\nc", "d"}, {"e"}}},
        {"\"unclosed,\nquote", {{"unclosed,\nquote"}}},
        // A lead byte takes the next byte with it, even a separator.
        {"\x83,x,y", {{"\x83,x", "y"}}},
        {"\xE0\"a,\xFC\nb", {{"\xE0\"a", "\xFC\nb"}}},
        {"a,\x9F", {{"a", "\x9F"}}}, // lead byte last: nothing read past the end
        {"\x80,\xA0,\xFD", {{"\x80", "\xA0", "\xFD"}}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseCsv(text), expected) << text;
}

TEST(CsvTable, RefusesMissingAndOversizedFiles)
{
    test::TempDir dir;
    dir.write("big.csv", std::string(5000, '7'));
    EXPECT_FALSE(readCsvFile(dir.path / "missing.csv"));
    EXPECT_FALSE(readCsvFile(dir.path));
    EXPECT_FALSE(readCsvFile(dir.path / "big.csv", 4999));
    EXPECT_EQ(readCsvFile(dir.path / "big.csv", 5000), (CsvTable{{std::string(5000, '7')}}));
}

} // namespace
} // namespace qx
