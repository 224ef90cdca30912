#include "app/MessageIds.h"
#include "cat/CatTables.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

TEST(MessageIds, LiteralValues)
{
    const struct {
        std::uint32_t id;
        std::uint32_t expected;
    } cases[] = {
        {UM_ANSWER_ARRIVED, 0x8102},   {UM_THREAD_QUIT, 0x8105},    {UM_AI_OFF_SEEN, 0x810C},
        {UM_REQ_READ_ALL_STEP, 0x8107}, {UM_REQ_MR_READ, 0x8111},   {UM_REQ_READ_ALL_START, 0x834B},
        {UM_REQ_BS_READ, 0x835E},      {UM_REQ_IF_READ, 0x8802},    {UM_REQ_AI_TOGGLE, 0x8501},
        {UM_REQ_EU_0, 0x854F},         {UM_REQ_PC_SET, 0x856B},     {UM_REQ_LM_01, 0x862C},
        {UM_REQ_MK_0, 0x8659},         {UM_REQ_MD_MODE_7, 0x866E},  {UM_ANS_BS, 0x8301},
        {UM_ANS_FA, 0x8333},           {UM_ANS_MD, 0x8345},         {UM_ANS_ST, 0x835B},
        {UM_ANS_OTHER, 0x830B},        {UM_ANS_SPARE_03, 0x8303},   {UM_ANS_SPARE_53, 0x8353},
        {UM_SHOW_ERROR, 0x8109},       {UM_PANEL_REFRESH, 0x810A},  {UM_MENULIST_REFRESH, 0x85A7},
        {UM_MEMWRITE_DONE, 0x85AD},    {UM_PANEL_8F, 0x858F},       {UM_PANEL_99, 0x8599},
        {UM_KEY_78, 0x8578},           {UM_KEY_84, 0x8584},         {UM_KEY_9A, 0x859A},
        {UM_KEY_A6, 0x85A6},           {UM_WAIT_BOX_CLOSE, 0x8803},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.id, c.expected) << messageName(c.expected);
}

TEST(MessageIds, LookupByNameIsExact)
{
    EXPECT_EQ(messageIdByName("UM_ANS_FA"), 0x8333u);
    EXPECT_EQ(messageIdByName("UM_KEY_A0"), 0x85A0u);
    EXPECT_EQ(messageIdByName("UM_REQ_IF_READ"), 0x8802u);
    EXPECT_EQ(messageIdByName("UM_REQ_IF_READ_A"), 0x8507u);
    for (const char* bad : {"um_ans_fa", "UM_ANS_F", "UM_ANS_FA ", "", "UM_"})
        EXPECT_FALSE(messageIdByName(bad).has_value()) << bad;
}

TEST(MessageIds, NameById)
{
    EXPECT_EQ(messageName(0x8105), "UM_THREAD_QUIT");
    EXPECT_EQ(messageName(0x830B), "UM_ANS_OTHER");
    EXPECT_EQ(messageName(0x8000), "");
    EXPECT_EQ(messageName(0x8658), "");
    for (std::uint32_t id = 0x8000; id < 0x8900; ++id) {
        const std::string_view name = messageName(id);
        if (!name.empty()) {
            EXPECT_EQ(messageIdByName(name), id) << name;
        }
    }
}

TEST(MessageIds, AnswerRowsRaiseTheNotificationNamedAfterTheirCode)
{
    for (const CatRecord& row : answerTable())
        EXPECT_EQ(messageName(row.kindOrNotification), "UM_ANS_" + std::string(codeOf(row)));
}

} // namespace
} // namespace qx
