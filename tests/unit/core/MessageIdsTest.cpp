#include "core/MessageIds.h"
#include "cat/CatTables.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

TEST(MessageIds, LiteralValuesAndExactNameLookup)
{
    const struct {
        const char* name;
        std::uint32_t id;
    } cases[] = {
        {"UM_ANSWER_ARRIVED", 0x8102}, {"UM_THREAD_QUIT", 0x8105},   {"UM_REQ_KM_READ_STEP", 0x810F},
        {"UM_REQ_BS_READ", 0x835E},    {"UM_REQ_IF_READ", 0x8802},   {"UM_REQ_IF_READ_A", 0x8507},
        {"UM_REQ_EU_0", 0x854F},       {"UM_REQ_MK_0", 0x8659},      {"UM_ANS_BS", 0x8301},
        {"UM_ANS_OTHER", 0x830B},      {"UM_ANS_SPARE_53", 0x8353},  {"UM_PANEL_99", 0x8599},
        {"UM_KEY_84", 0x8584},         {"UM_KEY_9A", 0x859A},        {"UM_WAIT_BOX_CLOSE", 0x8803},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(messageIdByName(c.name), c.id) << c.name;
        EXPECT_EQ(messageName(c.id), c.name);
    }
    EXPECT_EQ(UM_ANS_FA, 0x8333u);
    EXPECT_EQ(UM_REQ_MD_MODE_7, 0x866Eu);
    for (const char* bad : {"um_ans_fa", "UM_ANS_F", "UM_ANS_FA ", ""})
        EXPECT_FALSE(messageIdByName(bad).has_value()) << bad;
    EXPECT_EQ(messageName(0x8000), "");
    EXPECT_EQ(messageName(0x8658), "");
}

TEST(MessageIds, EveryNamedIdRoundTrips)
{
    int named = 0;
    for (std::uint32_t id = 0x8000; id < 0x8900; ++id) {
        const std::string_view name = messageName(id);
        if (name.empty())
            continue;
        ++named;
        EXPECT_EQ(messageIdByName(name), id) << name;
    }
    EXPECT_EQ(named, 331 + 4 + 1);  // the catalogue, the four explicit sets, the paced-step answer
}

TEST(MessageIds, AnswerRowsRaiseTheNotificationNamedAfterTheirCode)
{
    for (const CatRecord& row : answerTable())
        EXPECT_EQ(messageName(row.kindOrNotification), "UM_ANS_" + std::string(codeOf(row)));
}

// The console posts only these: UM_THREAD_QUIT would end a worker for good.
TEST(MessageIds, RequestsAreTheTableRowsAndTheDirectRequests)
{
    for (const char* name : {"UM_REQ_AI_TOGGLE", "UM_REQ_MW", "UM_REQ_MD_MODE_7", "UM_REQ_ID_READ",
                             "UM_REQ_READ_ALL_START", "UM_REQ_IF_READ"})
        EXPECT_TRUE(isRequestName(name)) << name;
    for (const char* name : {"UM_THREAD_QUIT", "UM_ANSWER_ARRIVED", "UM_RECV_START", "UM_ANS_SPARE_53", "UM_ANS_FA",
                             "UM_SHOW_ERROR", "UM_PANEL_8E", "um_req_mw", ""})
        EXPECT_FALSE(isRequestName(name)) << name;
}

} // namespace
} // namespace qx
