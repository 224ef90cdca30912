// The memory-channel layout both ways, the record carried by a memory-write
// request, and the keyer write the CW window and the restore share.
#include "cat/KeyerWrite.h"
#include "cat/MemoryChannelText.h"
#include "cat/MemoryWriteRequest.h"
#include "core/MessageIds.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// Every field away from its neighbours' values, so a field read from the
// wrong place shows.
const MemoryChannel kSample{14250000, -1234, 1, 0, 7, 2, 49, 1};

TEST(MemoryChannelText, WriteAndAnswerUseTheSameLayout)
{
    const std::string text = memoryWriteText(17, kSample);
    EXPECT_EQ(text, "MW01714250000-123410702491;");
    ASSERT_EQ(text.size(), 27u);
    // The radio answers a read with the same characters after "MR".
    const std::string answer = "MR" + text.substr(2, 24);
    EXPECT_EQ(memoryChannelFromAnswer(answer), kSample);
    EXPECT_EQ(memoryChannelFromAnswer(answer + ";"), kSample);
}

TEST(MemoryChannelText, AnswersWithAFieldMissingOrGarbledAreNoRecord)
{
    const std::string good = "MR01714250000-123410702491";
    EXPECT_FALSE(memoryChannelFromAnswer(good.substr(0, 25)));
    EXPECT_FALSE(memoryChannelFromAnswer("MR01714250000*123410702491")); // sign
    EXPECT_FALSE(memoryChannelFromAnswer("MR0171425000X-123410702491")); // frequency
    EXPECT_FALSE(memoryChannelFromAnswer("MR01714250000-123420702491")); // clarifier 2
    EXPECT_FALSE(memoryChannelFromAnswer("MR01714250000-123410703491")); // tone mode 3
    EXPECT_FALSE(memoryChannelFromAnswer("MR01714250000-123410702501")); // tone 50
    EXPECT_FALSE(memoryChannelFromAnswer("MW01714250000-123410702491"));
}

TEST(MemoryChannelText, ValuesThatDoNotFitSendNothing)
{
    EXPECT_EQ(memoryWriteText(0, kSample), "");
    EXPECT_EQ(memoryWriteText(505, kSample), "");
    EXPECT_EQ(memoryWriteText(1000, kSample), "");
    MemoryChannel c = kSample;
    c.mode = 12; // one digit on the wire: 12 would be stored as 0
    EXPECT_EQ(memoryWriteText(1, c), "");
    c = kSample;
    c.offset = 10000;
    EXPECT_EQ(memoryWriteText(1, c), "");
    EXPECT_EQ(memoryWriteText(504, MemoryChannel{}), "MW50400000000+000000000000;");
}

TEST(MemoryWriteRequest, CarriesEveryFieldAtBothEndsOfItsRange)
{
    const MemoryChannel high{99999999, 9999, 1, 1, 9, 2, 49, 2};
    const MemoryChannel low{0, -9999, 0, 0, 0, 0, 0, 0};
    for (const auto& [channel, content] : {std::pair{1, high}, std::pair{504, low}, std::pair{17, kSample}}) {
        const auto m = memoryWriteRequest(channel, content);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->id, UM_REQ_MW_CHANNEL);
        const auto back = memoryWriteFromRequest(*m);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->first, channel);
        EXPECT_EQ(back->second, content);
    }
}

TEST(MemoryWriteRequest, RefusesWhatTheRadioCannotHold)
{
    EXPECT_FALSE(memoryWriteRequest(0, kSample));
    EXPECT_FALSE(memoryWriteRequest(505, kSample));
    MemoryChannel c = kSample;
    c.tone = 50;
    EXPECT_FALSE(memoryWriteRequest(1, c));
    // A message forged with bits beyond the fields, or of another id.
    Message m = *memoryWriteRequest(1, kSample);
    EXPECT_FALSE(memoryWriteFromRequest(Message{UM_REQ_MW, m.wParam, m.lParam}));
    EXPECT_FALSE(memoryWriteFromRequest(Message{m.id, m.wParam | (1ull << 40), m.lParam}));
    EXPECT_FALSE(memoryWriteFromRequest(Message{m.id, m.wParam, -1}));
    EXPECT_FALSE(memoryWriteFromRequest(Message{m.id, m.wParam & ~0x3FFull, m.lParam})); // channel 0
}

TEST(KeyerWrite, WritesTheTextThenReadsItBack)
{
    const auto w = keyerWrite(2, "CQ TEST DE QX1AB");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->write, "KM2CQ TEST DE QX1AB;");
    EXPECT_EQ(w->readBack, "KM2;");
    EXPECT_EQ(keyerWrite(5, std::string(50, 'A'))->write.size(), 54u);
    EXPECT_FALSE(keyerWrite(1, std::string(51, 'A')));
    EXPECT_FALSE(keyerWrite(1, ""));
    EXPECT_FALSE(keyerWrite(0, "CQ"));
    EXPECT_FALSE(keyerWrite(6, "CQ"));
    EXPECT_FALSE(keyerWrite(1, "CQ;FA14000000")); // the rest would reach the radio as a command
}

} // namespace
} // namespace qx
