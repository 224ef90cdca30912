#include "BuilderFixture.h"

#include "app/RequestTable.h"
#include "cat/CatTables.h"

#include <climits>

namespace qx::test {
namespace {

struct Case {
    std::uint32_t id;
    std::int64_t n;
    std::uint64_t selector;
    Log expected;
};

class RequestRowsTest : public BuilderTest {
protected:
    void check(std::initializer_list<Case> cases)
    {
        for (const Case& c : cases) {
            post(c.id, c.n, c.selector);
            EXPECT_EQ(take(), c.expected) << messageName(c.id) << " n=" << c.n << " sel=" << c.selector;
        }
    }
};

TEST_F(RequestRowsTest, RangeChecksSendNothingOutsideAndTheExactTextInside)
{
    check({
        {UM_REQ_FA_SET, 2999, 0, {}},
        {UM_REQ_FA_SET, 3000, 0, {"FA00003000;"}},
        {UM_REQ_FA_SET, 60000000, 0, {"FA60000000;"}},
        {UM_REQ_FA_SET, 60000001, 0, {}},
        {UM_REQ_FB_SET, 14250000, 0, {"FB14250000;"}},
        {UM_REQ_FB_SET, -1, 0, {}},
        {UM_REQ_PA_SET, 1, 0, {"PA01;"}},
        {UM_REQ_PA_SET, 2, 0, {}},
        {UM_REQ_AX_SET, 0, 0, {"AX10;"}},
        {UM_REQ_AX_SET, -1, 0, {}},
        {UM_REQ_IF_READ_A, 1, 0, {"IF;"}},
        {UM_REQ_IF_READ_A, 2, 0, {}},
    });
}

TEST_F(RequestRowsTest, SignedValuesPickTheCodeOrSignAndWriteTheMagnitude)
{
    check({
        {UM_REQ_RU_RD, -1, 0, {"RD0001;"}},
        {UM_REQ_RU_RD, 0, 0, {"RU0000;"}},
        {UM_REQ_RU_RD, 9999, 0, {"RU9999;"}},
        {UM_REQ_RU_RD, -9999, 0, {"RD9999;"}},
        {UM_REQ_RU_RD, 10000, 0, {}},
        {UM_REQ_RU_RD, -10000, 0, {}},
        {UM_REQ_EU_0, 0, 0, {}},
        {UM_REQ_EU_0, 1, 0, {"EU001;"}},
        {UM_REQ_EU_0, -99, 0, {"ED099;"}},
        {UM_REQ_EU_0, 100, 0, {}},
        {UM_REQ_EU_0, -100, 0, {}},
        {UM_REQ_EU_1, 7, 0, {"EU107;"}},
        {UM_REQ_EU_2, -12, 0, {"ED212;"}},
        {UM_REQ_IS_SET, 10000, 0, {"IS0+0000;"}},
        {UM_REQ_IS_SET, 0, 0, {"IS0+0000;"}},
        {UM_REQ_IS_SET, -250, 0, {"IS0-0250;"}},
        {UM_REQ_IS_SET, LLONG_MIN, 0, {"IS0-0000;"}},
        {UM_REQ_CO_SET_0, -2, 0, {"CO00-2;"}},
        {UM_REQ_CO_SET_0, 2, 0, {"CO0002;"}},
        {UM_REQ_CO_SET_1, 14, 0, {"CO0114;"}},
    });
}

TEST_F(RequestRowsTest, FieldsTooNarrowKeepTheirZeros)
{
    check({
        {UM_REQ_PC_SET, 1000, 0, {"PC000;"}},
        {UM_REQ_PC_SET, -5, 0, {"PC000;"}},
        {UM_REQ_CS_SET, 123, 0, {"CS0;"}},
        {UM_REQ_MR_READ, 1000, 0, {"MR000;"}},
        {UM_REQ_MR_READ, 5, 0, {"MR005;"}},
        {UM_REQ_KP_SET, 15, 0, {"KP15;"}},
        {UM_REQ_SS_SET, 12345, 0, {"SS012345;"}},
        {UM_REQ_ML_SET_1, 255, 0, {"ML1255;"}},
        {UM_REQ_BP_SET_1, 400, 0, {"BP01400;"}},
        {UM_REQ_DA_SET, 3, 0, {"DA0300;"}},
        {UM_REQ_AC_SET, 2, 0, {"AC002;"}},
        {UM_REQ_RA_SET, 3, 0, {"RA03;"}},
        {UM_REQ_SQ_SET_1, 80, 0, {"SQ1080;"}},
        {UM_REQ_RG_SET_0, 255, 0, {"RG0255;"}},
        {UM_REQ_SH_SET_B, 31, 0, {"SH031;"}},
        {UM_REQ_RL_SET, 9, 0, {"RL009;"}},
    });
}

TEST_F(RequestRowsTest, SelectorDigitAndAgcCodes)
{
    check({
        {UM_REQ_GT_SET, 1, 0, {"GT04;"}},
        {UM_REQ_GT_SET, 0, 1, {"GT10;"}},
        {UM_REQ_GT_SET, 2, 0, {"GT01;"}},
        {UM_REQ_GT_SET, 4, 1, {"GT13;"}},
        {UM_REQ_GT_SET, 5, 0, {}},
        {UM_REQ_GT_SET, -1, 0, {}},
        {UM_REQ_NB_SET, 2, 1, {"NB12;"}},
        {UM_REQ_CN_SET, 12, 0, {"CN012;"}},
        {UM_REQ_CT_2, 0, 1, {"CT12;"}},
        {UM_REQ_OS_1, 0, 0, {"OS01;"}},
        // Only bit 0 of wParam is the selector.
        {UM_REQ_NB_SET, 1, 0x10000001, {"NB11;"}},
    });
}

TEST_F(RequestRowsTest, ChoicesByValueOrSelector)
{
    check({
        {UM_REQ_QS_FT, 0, 0, {"FT0;"}},
        {UM_REQ_QS_FT, 1, 0, {"FT1;"}},
        {UM_REQ_QS_FT, 2, 0, {"QS;"}},
        {UM_REQ_QS_FT, 3, 0, {}},
        {UM_REQ_MK_7_8, 0, 0, {"MK7;"}},
        {UM_REQ_MK_7_8, 1, 0, {"MK8;"}},
        {UM_REQ_MK_7_8, 2, 0, {}},
        {UM_REQ_BAND_UPDOWN, 0, 0, {"BU0;"}},
        {UM_REQ_BAND_UPDOWN, 1, 0, {"BD0;"}},
        {UM_REQ_BAND_UPDOWN, -1, 0, {}},
        {UM_REQ_MD_READ_1, 0, 0, {"MD0;"}},
        {UM_REQ_MD_READ_1, 7, 0, {"MD1;"}},
        {UM_REQ_MD_READ_2, -3, 0, {"MD2;"}},
        {UM_REQ_MD_READ_3, 0, 0, {}},
        {UM_REQ_MD_READ_4, 1, 0, {"MD4;"}},
        {UM_REQ_IF_OI_READ, 0, 0, {"IF;"}},
        {UM_REQ_IF_OI_READ, 0, 1, {"OI;"}},
    });
}

TEST_F(RequestRowsTest, FixedTextsAndReadRowsSendOnlyTheirCode)
{
    check({
        {UM_REQ_KY_A, 9, 1, {"KYA;"}},
        {UM_REQ_LM_10, 0, 0, {"LM10;"}},
        {UM_REQ_MD_MODE_7, 0, 0, {"MD07;"}},
        {UM_REQ_BS_10, 0, 0, {"BS10;"}},
        {UM_REQ_PB_0_C, 0, 0, {"PB0;"}},
        {UM_REQ_VS_1, 0, 0, {"VS1;"}},
        {UM_REQ_RS_SET, 1, 0, {"RS;"}},
        {UM_REQ_ST_SET, 3, 0, {"ST;"}},
        {UM_REQ_RT_05, 0, 0, {"RT;"}},
        {UM_REQ_BS_SIGNED, -1, 0, {"BS;"}},
        {UM_REQ_VS_TOGGLE, 0, 0, {"VS;"}},
        {UM_REQ_FB_READ, 0, 0, {"FB;"}},
        {UM_REQ_ID_READ, 0, 0, {"ID;"}},
        {UM_REQ_VC_READ, 0, 0, {"VC;"}},
    });
}

TEST_F(RequestRowsTest, TogglesSendTheOppositeOfAStoredZeroOrOneAndNothingElse)
{
    using CS = CommandState::Int;
    const struct {
        std::uint32_t id;
        CS entry;
        int stored;
        std::uint64_t selector;
        Log expected;
    } cases[] = {
        {UM_REQ_VX_TOGGLE, CS::VX, 0, 0, {"VX1;"}},
        {UM_REQ_VX_TOGGLE, CS::VX, 1, 0, {"VX0;"}},
        {UM_REQ_VX_TOGGLE, CS::VX, 2, 0, {}},
        {UM_REQ_LK_TOGGLE, CS::LK, -1, 0, {}},
        {UM_REQ_LK_TOGGLE, CS::LK, 1, 0, {"LK0;"}},
        {UM_REQ_NR_TOGGLE, CS::NR, 0, 0, {"NR01;"}},
        {UM_REQ_TX_TOGGLE, CS::TX, 1, 0, {"TX0;"}},
        {UM_REQ_BP_SET_0, CS::BP_SW, 1, 0, {"BP00000;"}},
        {UM_REQ_BP_SET_0, CS::BP_SW, 0, 0, {"BP00001;"}},
        {UM_REQ_NA_TOGGLE, CS::NA1, 1, 1, {"NA10;"}},
        {UM_REQ_NA_TOGGLE, CS::NA1, 7, 1, {}},
    };
    for (const auto& c : cases) {
        command.set(c.entry, c.stored);
        post(c.id, 0, c.selector);
        EXPECT_EQ(take(), c.expected) << messageName(c.id) << " stored " << c.stored;
    }
    // The selector picks which VFO's setting is toggled.
    command.set(CS::NA0, 0);
    command.set(CS::NA1, 5);
    post(UM_REQ_NA_TOGGLE, 0, 0);
    EXPECT_EQ(take(), (Log{"NA01;"}));
}

TEST_F(RequestRowsTest, ReadsGatedByTheStoredState)
{
    using CS = CommandState::Int;
    const struct {
        std::uint32_t id;
        CS entry;
        int stored;
        Log expected;
    } cases[] = {
        {UM_REQ_OI_READ, CS::MS, 0, {"OI;"}},     {UM_REQ_OI_READ, CS::MS, 1, {"OI;"}},
        {UM_REQ_OI_READ, CS::MS, 2, {}},          {UM_REQ_FA_STEP_A, CS::MD0, 0, {"FA;"}},
        {UM_REQ_FA_STEP_A, CS::MD0, 5, {"FA;"}},  {UM_REQ_FA_STEP_B, CS::MD0, 4, {"FA;"}},
        {UM_REQ_FA_STEP_B, CS::MD0, 3, {}},       {UM_REQ_FA_STEP_A, CS::MD0, -1, {}},
        {UM_REQ_FA_STEP_A, CS::MD0, 64, {}},      {UM_REQ_IF_READ, CS::AI, 0, {}},
        {UM_REQ_IF_READ, CS::AI, 1, {"IF;"}},
    };
    for (const auto& c : cases) {
        command.set(c.entry, c.stored);
        post(c.id);
        EXPECT_EQ(take(), c.expected) << messageName(c.id) << " stored " << c.stored;
    }
}

TEST_F(RequestRowsTest, IdsOutsideTheTableAndTheDirectListAreIgnored)
{
    for (std::uint32_t id : {0u, 0x8500u, 0x8658u, 0x866Fu, 0x8333u, 0x834Du, UM_SEND_QUEUED, UM_WAIT_BOX_CLOSE})
        post(id, 1, 1);
    EXPECT_TRUE(take().empty());
    EXPECT_TRUE(outbox.threadPosts.empty());
    EXPECT_TRUE(outbox.windowPosts.empty());
    EXPECT_TRUE(outbox.timerCalls.empty());
    EXPECT_EQ(port.opens, 0);
}

// The length a text must have: that of the set or read row of its code.
bool hasRowLength(const std::string& text)
{
    const std::string_view code = std::string_view(text).substr(0, 2);
    for (const auto& table : {setCommandTable(), readCommandTable()})
        for (const CatRecord& row : table)
            if (codeOf(row) == code && row.length == static_cast<int>(text.size()))
                return true;
    return false;
}

TEST_F(RequestRowsTest, EveryTableRequestQueuesWholeTextsWithoutNulBytes)
{
    int texts = 0;
    for (int row = kFirstRequestRow; row <= kLastRequestRow; ++row) {
        for (std::int64_t n : {0, 1}) {
            for (std::uint64_t selector : {0u, 1u}) {
                post(requestId(row), n, selector);
                for (const std::string& text : take()) {
                    // Pauses, and the flush's post that carries no text of its own.
                    if (text.starts_with("~") || text.starts_with("<"))
                        continue;
                    ++texts;
                    EXPECT_TRUE(hasRowLength(text)) << messageName(requestId(row)) << ": " << text;
                    EXPECT_EQ(text.back(), ';') << text;
                    EXPECT_EQ(text.find('\0'), std::string::npos) << messageName(requestId(row));
                }
            }
        }
    }
    EXPECT_GT(texts, 4 * 150);
    EXPECT_EQ(sendQueue.pending(), 0);
}

} // namespace
} // namespace qx::test
