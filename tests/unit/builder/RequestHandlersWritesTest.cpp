#include "BuilderFixture.h"

#include "cat/MemoryWriteRequest.h"
#include "cat/RequestHandlersWrites.h"

namespace qx::test {
namespace {

using RS = RadioState::Int;

TEST_F(BuilderTest, MemoryWriteTakesEverythingButTheChannelFromTheLastIfAnswer)
{
    const struct {
        long long channel;
        int mode;
        double offset;
        const char* expected; // "" when nothing may be sent
    } cases[] = {
        {5, 2, -120.0, "MW" "005" "14250000" "-0120" "1" "0" "2" "0" "1" "08" "2" ";"},
        {504, 11, 0.0, "MW" "504" "14250000" "+0000" "1" "0" "B" "0" "1" "08" "2" ";"}, // mode as in "IF"
        {504, 12, 9999.0, "MW" "504" "14250000" "+9999" "1" "0" "C" "0" "1" "08" "2" ";"},
        {1, 3, 1234.9, "MW" "001" "14250000" "+1234" "1" "0" "3" "0" "1" "08" "2" ";"},
        // No such channel: "MW000..." or "MW505..." would be a malformed write.
        {0, 3, 0.0, ""}, {505, 3, 0.0, ""}, {-1, 3, 0.0, ""}, {1000, 3, 0.0, ""},
    };
    for (const auto& c : cases) {
        radio.set(RS::IF_FREQ, 14250000);
        radio.set(RadioState::Real::IF_OFFSET, c.offset);
        radio.set(RS::IF18, 1);
        radio.set(RS::IF19, 0);
        radio.set(RS::IF_MODE, c.mode);
        radio.set(RS::IF22, 1);
        radio.set(RS::IF23, 8);
        radio.set(RS::IF25, 2);
        post(UM_REQ_MW, c.channel);
        EXPECT_EQ(take(), *c.expected ? Log{c.expected} : Log{}) << c.channel;
    }
}

TEST_F(BuilderTest, MemoryWriteOfACarriedRecordIgnoresTheRadiosPresentSettings)
{
    radio.set(RadioState::Int::IF_FREQ, 7000000); // what UM_REQ_MW would store
    const MemoryChannel saved{21074000, 50, 0, 1, 2, 1, 12, 2};
    builder.handle(*memoryWriteRequest(123, saved));
    EXPECT_EQ(take(), (Log{"MW12321074000+005001201122;"}));
    Message forged = *memoryWriteRequest(123, saved);
    forged.wParam |= 1ull << 50;
    builder.handle(forged);
    EXPECT_TRUE(take().empty());
}

TEST_F(BuilderTest, ChannelSelectNamesOnlyChannelsTheRadioHas)
{
    post(UM_REQ_MC_SELECT, 7);
    post(UM_REQ_MC_SELECT, 504);
    post(UM_REQ_MC_SELECT, 0);
    post(UM_REQ_MC_SELECT, 505);
    post(UM_REQ_MC_SELECT, (1ll << 32) + 7);
    post(UM_REQ_MC_READ, 0);
    EXPECT_EQ(take(), (Log{"MC007;", "MC504;", "MC;"}));
}

TEST_F(BuilderTest, OneMenuSlotIsReadByItsOwnCommand)
{
    post(UM_REQ_EX_READ, 29); // slot 29 is the entry numbered 27
    post(UM_REQ_EX_READ, 67); // the dimmer has a read of its own
    post(UM_REQ_EX_READ, 27); // vacant
    post(UM_REQ_EX_READ, 0);
    post(UM_REQ_EX_READ, 68);
    post(UM_REQ_EX_READ, (1ll << 32) + 29); // not slot 29 by truncation
    EXPECT_EQ(take(), (Log{"EX029;", "DA;", "~100"}));
}

TEST_F(BuilderTest, MenuWriteSendsOnlyChangedEntriesTenMillisecondsApart)
{
    const struct {
        int slot;
        double value;
    } changes[] = {{13, 5}, {25, -30}, {27, 1}, {65, 1024 + 1}, {67, 3.9}};
    for (const auto& c : changes)
        menu.update(c.slot, [&c](MenuItem& e) { return e.changed = true, e.newValue = c.value, true; });

    post(UM_REQ_EX_SET);
    // CONT, D DISP (signed), vacant slot 27 (nothing), MY BAND (bits), DIM (dimmer command)
    EXPECT_EQ(take(), (Log{"EX01305;", "~10", "EX025-030;", "~10", "EX06510000000001;", "~10", "DA0300;", "~10"}));
    for (const auto& c : changes)
        EXPECT_FALSE(menu.getEntry(c.slot).changed) << c.slot;
    post(UM_REQ_EX_SET);
    EXPECT_TRUE(take().empty());
}

TEST_F(BuilderTest, RequestsWithFixedPauses)
{
    const struct {
        std::uint32_t id;
        long long n;
        Log expected;
    } cases[] = {
        {UM_REQ_VD_SD_SET, 300, {"VD0300;", "~20", "SD0300;"}},
        {UM_REQ_VD_SD_SET, 9999, {"VD9999;", "~20", "SD9999;"}},
        {UM_REQ_VD_SD_SET, 10000, {}},
        {UM_REQ_VD_SD_SET, -1, {}},
        {UM_REQ_LK_SET, 3, {"LK3;"}},
        {UM_REQ_LK_SET, 2, {"LK2;"}},
        {UM_REQ_LK_SET, 4, {}},
        {UM_REQ_ST_READ, 0, {"~100", "ST;"}},
    };
    for (const auto& c : cases) {
        post(c.id, c.n);
        EXPECT_EQ(take(), c.expected) << messageName(c.id) << " " << c.n;
    }
}

TEST_F(BuilderTest, SendRefusesNulBytesAndPostsOnlyForQueuedTexts)
{
    BuilderContext ctx(BuilderLinks{sendQueue, answerQueue, radio, command, menu, flags, outbox, clock, port});
    EXPECT_FALSE(ctx.send(std::string("EX1\0\0;", 6)));
    EXPECT_FALSE(ctx.send(std::string(TextQueue::kMaxText + 1, 'A')));
    EXPECT_TRUE(outbox.threadPosts.empty());
    sendQueue.put("PS;");  // a window's own text, sent by the flush
    post(UM_REQ_FLUSH);
    EXPECT_EQ(take(), (Log{"PS;"}));
}

} // namespace
} // namespace qx::test
