#include "cat/ReadQueries.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using Queries = std::vector<std::string>;

TEST(ReadQueries, QueriesByKind)
{
    const struct {
        ReadRow row;
        Queries expected;
    } cases[] = {
        {ReadRow::FA, {"FA;"}},
        {ReadRow::MD, {"MD0;"}},
        {ReadRow::SS, {"SS0;"}},
        {ReadRow::ML, {"ML0;", "ML1;"}},
        {ReadRow::BP, {"BP00;", "BP01;"}},
        {ReadRow::KM, {"KM1;", "KM2;", "KM3;"}},
        {ReadRow::RI, {"RI0;", "RI1;", "RI3;", "RI4;", "RI9;"}},
        {ReadRow::ID, {}},
        {ReadRow::EX, {}},
        {ReadRow::MR, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readAllQueries(c.row), c.expected) << codeOf(readRow(c.row));
}

TEST(ReadQueries, EveryQueryHasItsRowsCodeAndLength)
{
    for (int i = 0; i < static_cast<int>(readCommandTable().size()); ++i) {
        const auto row = static_cast<ReadRow>(i);
        const CatRecord& record = readRow(row);
        for (const std::string& q : readAllQueries(row)) {
            EXPECT_EQ(q.size(), static_cast<std::size_t>(record.length)) << q;
            EXPECT_EQ(q.substr(0, 2), codeOf(record)) << q;
            EXPECT_EQ(q.back(), ';') << q;
        }
        if (readKindOf(record) != ReadKind::Listed) {
            EXPECT_TRUE(listedQueries(row).empty()) << codeOf(record);
        }
    }
}

} // namespace
} // namespace qx
