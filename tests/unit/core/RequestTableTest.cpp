#include "core/MessageIds.h"
#include "core/RequestTable.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// Rows 1..107 run from 0x8501; row 108 restarts at 0x862C, and 0x8658 is
// skipped between rows 151 and 152.
std::uint32_t idByFormula(int row)
{
    const auto r = static_cast<std::uint32_t>(row);
    if (row <= 107)
        return 0x8500u + r;
    if (row <= 151)
        return 0x862Cu + (r - 108);
    return 0x8659u + (r - 152);
}

TEST(RequestTable, EveryRowHoldsItsId)
{
    EXPECT_EQ(kRequestTable.size(), 174u);
    EXPECT_EQ(kRequestTable[0], 0u);
    for (int row = 1; row <= 173; ++row) {
        EXPECT_EQ(requestId(row), idByFormula(row)) << row;
        EXPECT_EQ(requestRowOf(idByFormula(row)), row);
    }
    for (int row : {0, -1, 174})
        EXPECT_EQ(requestId(row), 0u) << row;
    for (std::uint32_t id : {0u, 0x8658u, 0x866Fu, 0x8333u})
        EXPECT_EQ(requestRowOf(id), -1) << id;
}

TEST(RequestTable, LiteralRows)
{
    const struct {
        int row;
        std::uint32_t id;
        const char* name;
    } cases[] = {
        {1, 0x8501, "UM_REQ_AI_TOGGLE"},    {79, 0x854F, "UM_REQ_EU_0"},     {81, 0x8551, "UM_REQ_FA_SET"},
        {105, 0x8569, "UM_REQ_PS_AI_READ"}, {107, 0x856B, "UM_REQ_PC_SET"},  {108, 0x862C, "UM_REQ_LM_01"},
        {151, 0x8657, "UM_REQ_RT_07"},      {152, 0x8659, "UM_REQ_MK_0"},    {173, 0x866E, "UM_REQ_MD_MODE_7"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(requestId(c.row), c.id) << c.row;
        EXPECT_EQ(messageName(requestId(c.row)), c.name) << c.row;
    }
}

} // namespace
} // namespace qx
