#include "serial/TextQueue.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>

namespace qx {
namespace {

using namespace std::chrono_literals;

class TextQueueTest : public ::testing::Test {
protected:
    std::string takeText()
    {
        const int n = queue.tryTake(buffer);
        return n < 0 ? "<none>" : std::string(buffer.data(), static_cast<std::size_t>(n));
    }
    void putNumbered(int from, int to)
    {
        for (int i = from; i < to; ++i)
            queue.put(numbered(i));
    }
    static std::string numbered(int i) { return "T" + std::to_string(i) + ";"; }

    TextQueue queue;
    std::array<char, TextQueue::kSlotSize> buffer{};
};

TEST_F(TextQueueTest, LongestTextFitsOneByteMoreIsRefused)
{
    const std::string longest = std::string(510, 'a') + ";";
    EXPECT_EQ(queue.put(std::string(512, 'b')), 0);
    EXPECT_EQ(queue.pending(), 0);
    EXPECT_EQ(queue.put(longest), 511);
    EXPECT_EQ(takeText(), longest);
}

TEST_F(TextQueueTest, TakesInOrderIntoAWholeSlotBuffer)
{
    queue.put("FA14250000;");
    queue.put("AI1;");
    EXPECT_EQ(takeText(), "FA14250000;");
    buffer.fill('x');
    EXPECT_EQ(queue.tryTake(buffer), 4);
    EXPECT_EQ(std::string(buffer.data(), buffer.size()), "AI1;" + std::string(508, '\0'));
    EXPECT_EQ(queue.tryTake(buffer), TextQueue::kNothing);
    EXPECT_EQ(queue.take(buffer, 0ms), TextQueue::kNothing);
    queue.put("PS;");
    std::array<char, 511> small{};
    EXPECT_EQ(queue.tryTake(std::span<char>()), TextQueue::kBadBuffer);
    EXPECT_EQ(queue.take(small), TextQueue::kBadBuffer) << "must not wait or lose the entry";
    EXPECT_EQ(takeText(), "PS;");
}

TEST_F(TextQueueTest, WrapsAroundTheLastSlot)
{
    putNumbered(0, 2000);
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(takeText(), numbered(i));
    putNumbered(2000, 2100);
    for (int i = 2000; i < 2100; ++i)
        ASSERT_EQ(takeText(), numbered(i));
    EXPECT_EQ(queue.pending(), 0);
}

TEST_F(TextQueueTest, ProducerAFullRingAheadDropsTheOldest)
{
    const int total = TextQueue::kSlots + 3;
    putNumbered(0, total);
    EXPECT_EQ(queue.pending(), TextQueue::kSlots);
    for (int i = 3; i < total; ++i)
        ASSERT_EQ(takeText(), numbered(i));
    EXPECT_EQ(takeText(), "<none>");
}

TEST_F(TextQueueTest, InterruptEndsWaitsUntilReset)
{
    int untimed = 0;
    int timed = 0;
    std::array<char, TextQueue::kSlotSize> other{};
    std::thread a([&] { untimed = queue.take(buffer); });
    std::thread b([&] { timed = queue.take(other, 24h); });
    queue.interrupt();
    a.join();
    b.join();
    EXPECT_EQ(untimed, TextQueue::kNothing);
    EXPECT_EQ(timed, TextQueue::kNothing);
    queue.put("PS;");
    EXPECT_EQ(queue.take(buffer), 3) << "an entry present is still handed out";
    queue.put("AB;");
    EXPECT_TRUE(queue.reset());
    EXPECT_EQ(queue.pending(), 0);
    std::thread c([&] { untimed = queue.take(buffer); });
    queue.put("SV;");
    c.join();
    EXPECT_EQ(untimed, 3) << "reset lifts the interrupt; a waiting take gets a later put";
    EXPECT_EQ(std::string(buffer.data(), 3), "SV;");
}

TEST_F(TextQueueTest, TwoProducersLoseNothingAndKeepTheirOwnOrder)
{
    const int each = 1000;
    auto produce = [&](char tag) {
        for (int i = 0; i < each; ++i)
            queue.put(tag + std::to_string(i));
    };
    std::thread ui(produce, 'U');
    std::thread builder(produce, 'B');
    ui.join();
    builder.join();
    ASSERT_EQ(queue.pending(), 2 * each);
    int next[2] = {0, 0};
    for (int i = 0; i < 2 * each; ++i) {
        const std::string text = takeText();
        int& n = next[text[0] == 'U' ? 0 : 1];
        ASSERT_EQ(text.substr(1), std::to_string(n++)) << text;
    }
    EXPECT_EQ(next[0], each);
    EXPECT_EQ(next[1], each);
}

} // namespace
} // namespace qx
