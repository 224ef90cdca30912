#include "BuilderFixture.h"

#include "core/RequestTable.h"
#include "cat/CatTables.h"
#include "cat/CommandBuilderFields.h"

#include <algorithm>
#include <climits>

namespace qx::test {
namespace {

using CS = CommandState::Int;

TEST_F(BuilderTest, DataRequestsRangesSignsNarrowFieldsSelectorsAndChoices)
{
    const struct {
        std::uint32_t id;
        std::int64_t n;
        std::uint64_t selector;
        const char* expected;  // "" when nothing may be sent
    } cases[] = {
        {UM_REQ_FA_SET, 2999, 0, ""},           {UM_REQ_FA_SET, 3000, 0, "FA00003000;"},
        {UM_REQ_FB_SET, 60000000, 0, "FB60000000;"}, {UM_REQ_FA_SET, 60000001, 0, ""},
        {UM_REQ_PA_SET, 2, 0, ""},              {UM_REQ_AX_SET, 0, 0, "AX10;"},
        {UM_REQ_RU_RD, -1, 0, "RD0001;"},       {UM_REQ_RU_RD, 0, 0, "RU0000;"},
        {UM_REQ_RU_RD, 10000, 0, ""},           {UM_REQ_RU_RD, -10000, 0, ""},
        {UM_REQ_EU_0, 0, 0, ""},                {UM_REQ_EU_0, -99, 0, "ED099;"},
        {UM_REQ_EU_2, 5, 0, "EU205;"},          {UM_REQ_EU_1, 100, 0, ""},
        {UM_REQ_IS_SET, 9999, 0, "IS0+9999;"}, {UM_REQ_IS_SET, 10000, 0, ""}, {UM_REQ_IS_SET, -250, 0, "IS0-0250;"},
        {UM_REQ_IS_SET, LLONG_MIN, 0, ""}, {UM_REQ_CO_SET_0, -2, 0, "CO00-2;"},
        {UM_REQ_CO_SET_0, 2, 0, "CO0002;"},     {UM_REQ_PC_SET, 1000, 0, ""}, {UM_REQ_PC_SET, 100, 0, "PC100;"},
        {UM_REQ_MR_READ, -1, 0, ""},
        {UM_REQ_CS_SET, 123, 0, ""},        {UM_REQ_MR_READ, 5, 0, "MR005;"},
        {UM_REQ_DA_SET, 3, 0, "DA0300;"},       {UM_REQ_SS_SET, 12345, 0, "SS012345;"},
        {UM_REQ_GT_SET, 1, 0, "GT04;"},         {UM_REQ_GT_SET, 4, 1, "GT13;"},
        {UM_REQ_GT_SET, 5, 0, ""},              {UM_REQ_NB_SET, 1, 0x10000001, "NB11;"},
        {UM_REQ_CT_2, 0, 1, "CT12;"},           {UM_REQ_QS_FT, 1, 0, "FT1;"},
        {UM_REQ_QS_FT, 2, 0, "QS;"},            {UM_REQ_QS_FT, 3, 0, ""},
        {UM_REQ_BAND_UPDOWN, 1, 0, "BD0;"},     {UM_REQ_MD_READ_1, 0, 0, "MD0;"},
        {UM_REQ_MD_READ_2, -3, 0, "MD2;"},      {UM_REQ_MD_READ_3, 0, 0, ""},
        {UM_REQ_IF_OI_READ, 0, 1, "OI;"},       {UM_REQ_IF_READ_A, 2, 0, ""},
        {UM_REQ_RS_SET, 1, 0, "RS;"},           {UM_REQ_BS_SIGNED, -1, 0, "BS;"},
        {UM_REQ_KY_A, 9, 1, "KYA;"},            {UM_REQ_EX_TOGGLE, 1, 1, ""},
    };
    for (const auto& c : cases) {
        post(c.id, c.n, c.selector);
        const Log expected = *c.expected ? Log{c.expected} : Log{};
        EXPECT_EQ(take(), expected) << messageName(c.id) << " n=" << c.n << " sel=" << c.selector;
    }
}

TEST_F(BuilderTest, TogglesAndReadsDependOnTheStoredState)
{
    const struct {
        std::uint32_t id;
        CS entry;
        int stored;
        std::uint64_t selector;
        const char* expected;
    } cases[] = {
        {UM_REQ_VX_TOGGLE, CS::VX, 0, 0, "VX1;"}, {UM_REQ_VX_TOGGLE, CS::VX, 2, 0, ""},
        {UM_REQ_LK_TOGGLE, CS::LK, -1, 0, ""},    {UM_REQ_NR_TOGGLE, CS::NR, 1, 0, "NR00;"},
        {UM_REQ_BP_SET_0, CS::BP_SW, 0, 0, "BP00001;"}, {UM_REQ_NA_TOGGLE, CS::NA1, 1, 1, "NA10;"},
        {UM_REQ_NA_TOGGLE, CS::NA0, 0, 0, "NA01;"}, {UM_REQ_NA_TOGGLE, CS::NA1, 7, 1, ""},
        {UM_REQ_OI_READ, CS::MS, 1, 0, "OI;"},    {UM_REQ_OI_READ, CS::MS, 2, 0, ""},
        {UM_REQ_FA_STEP_A, CS::MD0, 5, 0, "FA;"}, {UM_REQ_FA_STEP_B, CS::MD0, 3, 0, ""},
        {UM_REQ_FA_STEP_A, CS::MD0, 64, 0, ""},   {UM_REQ_IF_READ, CS::AI, 0, 0, ""},
        {UM_REQ_AI_TOGGLE, CS::AI, 2, 0, ""},
    };
    for (const auto& c : cases) {
        command.set(c.entry, c.stored);
        post(c.id, 0, c.selector);
        const Log expected = *c.expected ? Log{c.expected} : Log{};
        EXPECT_EQ(take(), expected) << messageName(c.id) << " stored " << c.stored;
    }
}

// Sets that do not depend on what the radio last reported: a second "on"
// must not turn the transmitter off the way a toggle would.
TEST_F(BuilderTest, ExplicitSetsSendTheAskedStateWhateverIsStored)
{
    command.set(CS::TX, 1);
    command.set(CS::LK, 1);
    const struct {
        std::uint32_t id;
        std::int64_t n;
        std::uint64_t selector;
        const char* expected;
    } cases[] = {
        {UM_REQ_TX_ONOFF, 1, 0, "TX1;"}, {UM_REQ_TX_ONOFF, 0, 0, "TX0;"}, {UM_REQ_TX_ONOFF, 2, 0, ""},
        {UM_REQ_LK_ONOFF, 1, 0, "LK1;"}, {UM_REQ_LK_ONOFF, -1, 0, ""},    {UM_REQ_RT_ONOFF, 0, 0, "RT0;"},

        {UM_REQ_MD_SET, 6, 0, "MD06;"},  {UM_REQ_MD_SET, 2, 1, "MD12;"},  {UM_REQ_MD_SET, 8, 0, ""},
        {UM_REQ_MD_SET, 0, 1, ""},
    };
    for (const auto& c : cases) {
        post(c.id, c.n, c.selector);
        const Log expected = *c.expected ? Log{c.expected} : Log{};
        EXPECT_EQ(take(), expected) << messageName(c.id) << " n=" << c.n << " sel=" << c.selector;
    }
}

TEST_F(BuilderTest, IdsOutsideTheTableAndTheDirectListAreIgnored)
{
    for (std::uint32_t id : {0u, 0x8500u, 0x8658u, 0x866Fu, 0x8333u, UM_SEND_QUEUED, UM_WAIT_BOX_CLOSE})
        post(id, 1, 1);
    EXPECT_TRUE(take().empty());
    EXPECT_TRUE(outbox.threadPosts.empty() && outbox.windowPosts.empty() && outbox.timerCalls.empty());
}

bool hasRowLength(const std::string& text)
{
    for (const auto& table : {setCommandTable(), readCommandTable()})
        for (const CatRecord& row : table)
            if (codeOf(row) == text.substr(0, 2) && row.length == static_cast<int>(text.size()))
                return true;
    return false;
}

TEST_F(BuilderTest, EveryTableRequestQueuesWholeTextsWithoutNulBytes)
{
    int texts = 0;
    for (int row = kFirstRequestRow; row <= kLastRequestRow; ++row)
        for (std::int64_t n : {0, 1})
            for (std::uint64_t selector : {0u, 1u}) {
                post(requestId(row), n, selector);
                for (const std::string& text : take()) {
                    if (text.starts_with("~") || text.starts_with("<"))  // pauses, the flush's bare post
                        continue;
                    ++texts;
                    EXPECT_TRUE(hasRowLength(text) && text.back() == ';') << messageName(requestId(row)) << ": " << text;
                    EXPECT_EQ(text.find('\0'), std::string::npos) << messageName(requestId(row));
                }
            }
    EXPECT_GT(texts, 600);
}

// The send path drops texts holding NUL, so a row short of its CAT row would
// just go missing above; this catches it at the source.
TEST(RequestRows, EveryRowFillsItsWholeCatRow)
{
    CommandState state;
    for (const RequestRow& row : requestRows()) {
        const long long n = row.guard == RowGuard::NInRange ? std::clamp(1LL, row.low, row.high) : 1;
        const auto text = composeRow(row, Message{row.id, 1, n}, state);
        ASSERT_TRUE(text) << messageName(row.id);
        EXPECT_EQ(static_cast<int>(text->size()), row.row->length) << messageName(row.id);
        EXPECT_EQ(text->find('\0'), std::string::npos) << messageName(row.id) << " " << *text;
    }
}

} // namespace
} // namespace qx::test
