#include "cat/CommandBuilderFields.h"

#include "app/MessageIds.h"
#include "cat/CatTables.h"
#include "cat/CommandBuilderRows.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(CommandBuilderFields, AgcSettingsMapToTheRadiosCodes)
{
    const int expected[] = {0, 4, 1, 2, 3};
    for (int setting = 0; setting < 5; ++setting)
        EXPECT_EQ(agcCode(setting), expected[setting]) << setting;
    EXPECT_FALSE(agcCode(-1));
    EXPECT_FALSE(agcCode(5));
}

// Bypasses the send path's own NUL filter: a row whose fixed characters and
// field fall short of its CAT row would otherwise just go missing.
TEST(CommandBuilderFields, EveryDataRowFillsItsWholeCatRow)
{
    CommandState state;
    for (const RequestRow& row : requestRows()) {
        ASSERT_NE(row.row, nullptr) << messageName(row.id);
        for (std::uint64_t selector : {0u, 1u}) {
            const Message m{row.id, selector, row.guard == RowGuard::NInRange ? row.low : 1};
            const auto text = composeRow(row, m, state);
            ASSERT_TRUE(text) << messageName(row.id);
            EXPECT_EQ(static_cast<int>(text->size()), row.row->length) << messageName(row.id);
            EXPECT_EQ(text->find('\0'), std::string::npos) << messageName(row.id) << " " << *text;
            // Parameters that run into the ";" would be cut off silently.
            const std::size_t params =
                row.lead.size() + (row.selector ? 1 : 0) + static_cast<std::size_t>(row.width) + row.tail.size();
            EXPECT_EQ(params + 3, static_cast<std::size_t>(row.row->length)) << messageName(row.id);
        }
    }
}

TEST(CommandBuilderFields, RowsOfOneRequestAreFoundTogetherInOrder)
{
    const auto eu = requestRows(UM_REQ_EU_1);
    ASSERT_EQ(eu.size(), 2u);
    EXPECT_EQ(codeOf(*eu[0].row), "EU");
    EXPECT_EQ(codeOf(*eu[1].row), "ED");
    EXPECT_TRUE(requestRows(UM_REQ_EX_SET).empty());
    EXPECT_TRUE(requestRows(0).empty());
}

TEST(CommandBuilderFields, FirstApplicableRowWinsAndNoneMeansNothing)
{
    CommandState state;
    const auto rows = requestRows(UM_REQ_MD_READ_1);
    EXPECT_EQ(buildRequestText(rows, Message{UM_REQ_MD_READ_1, 0, 0}, state), "MD0;");
    EXPECT_EQ(buildRequestText(rows, Message{UM_REQ_MD_READ_1, 0, 3}, state), "MD1;");
    EXPECT_FALSE(buildRequestText(requestRows(UM_REQ_QS_FT), Message{UM_REQ_QS_FT, 0, 9}, state));
}

} // namespace
} // namespace qx
