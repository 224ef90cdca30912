#include "serial/TextQueue.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>
#include <vector>

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

    TextQueue queue;
    std::array<char, TextQueue::kSlotSize> buffer{};
};

std::string numbered(int i) { return "T" + std::to_string(i) + ";"; }

TEST_F(TextQueueTest, LongestTextFitsOneByteMoreIsRefused)
{
    std::string longest(511, 'a');
    longest.back() = ';';
    EXPECT_EQ(queue.put(std::string(512, 'b')), 0);
    EXPECT_EQ(queue.pending(), 0);
    EXPECT_EQ(queue.put(longest), 511);
    EXPECT_EQ(takeText(), longest);
    EXPECT_EQ(buffer[511], '\0');
}

TEST_F(TextQueueTest, TakesInPutOrderAndZeroesTheRestOfTheBuffer)
{
    queue.put("FA14250000;");
    queue.put("AI1;");
    EXPECT_EQ(takeText(), "FA14250000;");
    buffer.fill('x');
    EXPECT_EQ(queue.tryTake(buffer), 4);
    EXPECT_EQ(std::string(buffer.data(), 4), "AI1;");
    for (std::size_t i = 4; i < buffer.size(); ++i)
        ASSERT_EQ(buffer[i], '\0') << i;
    EXPECT_EQ(queue.tryTake(buffer), TextQueue::kNothing);
    EXPECT_EQ(queue.take(buffer, 0ms), TextQueue::kNothing);
}

TEST_F(TextQueueTest, RefusesADestinationThatCannotHoldASlot)
{
    queue.put("PS;");
    std::array<char, 511> small{};
    EXPECT_EQ(queue.tryTake(std::span<char>()), TextQueue::kBadBuffer);
    EXPECT_EQ(queue.tryTake(small), TextQueue::kBadBuffer);
    EXPECT_EQ(queue.take(small, 0ms), TextQueue::kBadBuffer);
    EXPECT_EQ(queue.take(small), TextQueue::kBadBuffer);
    EXPECT_EQ(takeText(), "PS;");
}

TEST_F(TextQueueTest, WrapsAroundTheLastSlot)
{
    for (int i = 0; i < 2000; ++i)
        queue.put(numbered(i));
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(takeText(), numbered(i));
    for (int i = 0; i < 100; ++i)
        queue.put(numbered(i));
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(takeText(), numbered(i));
    EXPECT_EQ(queue.pending(), 0);
}

TEST_F(TextQueueTest, ProducerAFullRingAheadDropsTheOldest)
{
    const int total = TextQueue::kSlots + 3;
    for (int i = 0; i < total; ++i)
        queue.put(numbered(i));
    EXPECT_EQ(queue.pending(), TextQueue::kSlots);
    for (int i = 3; i < total; ++i)
        ASSERT_EQ(takeText(), numbered(i));
    EXPECT_EQ(takeText(), "<none>");
}

TEST_F(TextQueueTest, ResetEmptiesAndLiftsAnInterrupt)
{
    queue.put("AB;");
    queue.interrupt();
    EXPECT_TRUE(queue.reset());
    EXPECT_EQ(queue.pending(), 0);
    queue.put("SV;");
    EXPECT_EQ(queue.take(buffer), 3);
    EXPECT_EQ(std::string(buffer.data(), 3), "SV;");
}

TEST_F(TextQueueTest, WaitingTakeGetsATextPutByAnotherThread)
{
    int got = 0;
    std::thread consumer([&] { got = queue.take(buffer); });
    queue.put("ID;");
    consumer.join();
    EXPECT_EQ(got, 3);
    EXPECT_EQ(std::string(buffer.data(), 3), "ID;");
}

TEST_F(TextQueueTest, InterruptEndsAWaitingTake)
{
    int untimed = 0;
    int timed = 0;
    std::thread a([&] { untimed = queue.take(buffer); });
    std::array<char, TextQueue::kSlotSize> other{};
    std::thread b([&] { timed = queue.take(other, 24h); });
    queue.interrupt();
    a.join();
    b.join();
    EXPECT_EQ(untimed, TextQueue::kNothing);
    EXPECT_EQ(timed, TextQueue::kNothing);
    queue.put("PS;");
    EXPECT_EQ(queue.take(buffer), 3) << "an entry present is still handed out";
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
    int nextU = 0;
    int nextB = 0;
    for (int i = 0; i < 2 * each; ++i) {
        const std::string text = takeText();
        int& next = text[0] == 'U' ? nextU : nextB;
        ASSERT_EQ(text.substr(1), std::to_string(next)) << text;
        ++next;
    }
    EXPECT_EQ(nextU, each);
    EXPECT_EQ(nextB, each);
}

} // namespace
} // namespace qx
