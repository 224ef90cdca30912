#include "BuilderFixture.h"

#include "cat/RequestHandlersWrites.h"
#include "menu/MenuKind.h"

namespace qx::test {
namespace {

using RS = RadioState::Int;

class WritesTest : public BuilderTest {
protected:
    void setIf(int freq, double offset, int f18, int f19, int mode, int toneMode, int tone, int shift)
    {
        radio.set(RS::IF_FREQ, freq);
        radio.set(RadioState::Real::IF_OFFSET, offset);
        radio.set(RS::IF18, f18);
        radio.set(RS::IF19, f19);
        radio.set(RS::IF_MODE, mode);
        radio.set(RS::IF22, toneMode);
        radio.set(RS::IF23, tone);
        radio.set(RS::IF25, shift);
    }

    void change(int slot, double newValue)
    {
        menu.update(slot, [newValue](MenuItem& e) {
            e.newValue = newValue;
            e.changed = true;
            return true;
        });
    }
};

TEST_F(WritesTest, MemoryWriteTakesEverythingButTheChannelFromTheLastIfAnswer)
{
    setIf(14250000, -120.0, 1, 0, 2, 1, 8, 2);
    post(UM_REQ_MW, 5);
    const Log sent = take();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], "MW" "005" "14250000" "-0120" "1" "0" "2" "0" "1" "08" "2" ";");
    EXPECT_EQ(sent[0].size(), 27u);
}

TEST_F(WritesTest, MemoryWriteFieldsTooNarrowKeepTheirZeros)
{
    const struct {
        long long channel;
        int mode;
        double offset;
        const char* expected;
    } cases[] = {
        {1000, 11, 0.0, "MW" "000" "07050000" "+0000" "0" "1" "0" "0" "2" "49" "0" ";"},
        {99, 3, 1234.9, "MW" "099" "07050000" "+1234" "0" "1" "3" "0" "2" "49" "0" ";"},
        {-1, 12, -0.5, "MW" "000" "07050000" "-0000" "0" "1" "0" "0" "2" "49" "0" ";"},
    };
    for (const auto& c : cases) {
        setIf(7050000, c.offset, 0, 1, c.mode, 2, 49, 0);
        EXPECT_EQ(memoryWriteText(radio, c.channel), c.expected) << c.channel;
    }
}

TEST_F(WritesTest, MenuWriteSendsOnlyChangedEntriesTenMillisecondsApart)
{
    change(13, 5);    // CONT, two digits
    change(25, -30);  // D DISP, signed
    change(65, 1024 + 1);  // MY BAND, bit string
    change(67, 3.9);  // DIM, through the dimmer command
    post(UM_REQ_EX_SET);
    EXPECT_EQ(take(), (Log{"EX01305;", "~10", "EX025-030;", "~10", "EX06510000000001;", "~10", "DA0300;", "~10"}));
    for (int slot : {13, 25, 65, 67})
        EXPECT_FALSE(menu.getEntry(slot).changed) << slot;

    post(UM_REQ_EX_SET);
    EXPECT_TRUE(take().empty());
}

TEST_F(WritesTest, MenuWriteOfAVacantSlotClearsItsFlagAndSendsNothing)
{
    change(27, 1);
    post(UM_REQ_EX_SET);
    EXPECT_TRUE(take().empty());
    EXPECT_FALSE(menu.getEntry(27).changed);
}

TEST_F(WritesTest, ToggleOfAMenuEntryNeverSends)
{
    for (int stored : {0, 1})
        for (std::uint64_t selector : {0u, 1u}) {
            radio.set(RS::AI, stored);
            post(UM_REQ_EX_TOGGLE, stored, selector);
        }
    EXPECT_TRUE(take().empty());
    EXPECT_TRUE(outbox.threadPosts.empty());
}

TEST_F(WritesTest, PausedRequests)
{
    const struct {
        std::uint32_t id;
        long long n;
        Log expected;
    } cases[] = {
        {UM_REQ_VD_SD_SET, 300, {"VD0300;", "~20", "SD0300;"}},
        {UM_REQ_VD_SD_SET, 10000, {"VD0000;", "~20", "SD0000;"}},
        {UM_REQ_LK_SET, 3, {"LK3;", "~100", "LK3;", "~100", "LK3;", "~100"}},
        {UM_REQ_LK_SET, 2, {"LK2;"}},
        {UM_REQ_LK_SET, 1, {}},
        {UM_REQ_LK_SET, 4, {}},
        {UM_REQ_ST_READ, 0, {"~100", "ST;"}},
    };
    for (const auto& c : cases) {
        post(c.id, c.n);
        EXPECT_EQ(take(), c.expected) << messageName(c.id) << " " << c.n;
    }
}

TEST_F(WritesTest, SendRefusesNulBytesAndPostsOnlyForQueuedTexts)
{
    BuilderContext ctx(BuilderLinks{sendQueue, answerQueue, radio, command, menu, flags, outbox, clock, port});
    EXPECT_FALSE(ctx.send(std::string("EX1\0\0;", 6)));
    EXPECT_FALSE(ctx.send(""));
    EXPECT_FALSE(ctx.send(std::string(TextQueue::kMaxText + 1, 'A')));
    EXPECT_TRUE(outbox.threadPosts.empty());
    EXPECT_EQ(sendQueue.pending(), 0);
    EXPECT_TRUE(ctx.send("FA;"));
    EXPECT_EQ(take(), (Log{"FA;"}));
}

} // namespace
} // namespace qx::test
