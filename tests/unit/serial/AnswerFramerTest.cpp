#include "serial/AnswerFramer.h"

#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "serial/LineStatus.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qx {
namespace {

using O = AnswerFramer::Outcome;

// One poll: the bytes that arrived, the error bits, and what must come of it.
struct Poll { std::string bytes; std::uint32_t errors; O outcome; std::string answer = {}; };

struct FramerTest : ::testing::Test {
    MenuTable menu;
    AnswerFramer f;
    void SetUp() override
    {
        for (auto [slot, kind, width] : {std::tuple{2, MenuKind::Number, 3}, {7, MenuKind::BeaconText, 41}, {8, 32, 4}}) {
            MenuItem item;
            item.number = slot, item.kind = kind, item.width = width;
            menu.putEntry(slot, item);
        }
        menu.setCount(66);
    }
    O feed(const std::string& bytes, std::uint32_t errors, std::string& answer)
    {
        const auto room = f.freeSpace();
        const std::size_t n = std::min(room.size(), bytes.size());
        std::memcpy(room.data(), bytes.data(), n);
        return f.step(n, errors, MenuShapes{&menu, 66, 0}, answer);
    }
    void run(const std::vector<Poll>& polls)
    {
        for (std::size_t i = 0; i < polls.size(); ++i) {
            std::string answer;
            EXPECT_EQ(feed(polls[i].bytes, polls[i].errors, answer), polls[i].outcome) << "poll " << i;
            EXPECT_EQ(answer, polls[i].answer) << "poll " << i;
        }
        EXPECT_EQ(f.count(), 0u);
    }
};

TEST_F(FramerTest, SplitAnswerIsFramedOnceWhole)
{
    run({{"FA1425", 0, O::Waiting}, {"", 0, O::Waiting}, {"0000;", 0, O::Framed, "FA14250000"}, {"", 0, O::Idle}});
}

TEST_F(FramerTest, OneAnswerPerPoll)
{
    run({{"FA14250000;MD02;", 0, O::Framed, "FA14250000"}, {"", 0, O::Framed, "MD02"}});
}

TEST_F(FramerTest, GarbageNeverReachesTheAnalyser)
{
    run({{"\x80" "fa;MD01;", 0, O::Skipped}, {"", 0, O::Skipped}, {"", 0, O::Skipped}, {"", 0, O::Skipped},
         {"", 0, O::Framed, "MD01"}});
}

// The radio's refusal is an answer of its own, even when its two bytes come
// apart; a "?" not followed by ";" is noise.
TEST_F(FramerTest, RefusalIsFramedWholeAndAloneAfterAnAnswer)
{
    run({{"?;FA14250000;", 0, O::Framed, "?"}, {"", 0, O::Framed, "FA14250000"}, {"?", 0, O::Skipped},
         {";", 0, O::Framed, "?"}, {"?X;", 0, O::Skipped}, {"", 0, O::Skipped}});
}

TEST_F(FramerTest, NoiseIsStrippedAfterASingleFramingErrorOrBreak)
{
    run({{std::string("\0\x80", 2) + "PS1;", CommError::Framing, O::Framed, "PS1"},
         {"\x80\x81", CommError::Break, O::Skipped},
         {"\x80" "PS0;", CommError::Framing | CommError::Parity, O::Skipped}, {"", 0, O::Framed, "PS0"}});
}

TEST_F(FramerTest, WrongLengthIsDiscardedThroughTheSemicolon)
{
    run({{"FA1;MD02;", 0, O::Waiting}, {"ID0241;", 0, O::Discarded}, {"", 0, O::Framed, "MD02"},
         {"", 0, O::Framed, "ID0241"}, {"EX0021234;", 0, O::Discarded}, {"FA1425000000", 0, O::Discarded}});
}

TEST_F(FramerTest, UnknownCodeEndsAtItsSemicolon)
{
    run({{"ZZ1", 0, O::Skipped}, {";", 0, O::Framed, "ZZ1"}});
}

TEST_F(FramerTest, ScannedAnswersWaitForTheirSemicolon)
{
    const std::string km = "KM1CQ DE TEST" + std::string(40, ' ');
    run({{"EX00", 0, O::Skipped}, {"2123;", 0, O::Framed, "EX002123"}, {"EX008123;", 0, O::Framed, "EX008123"},
         {"EX0071CQ {TEST;", 0, O::Framed, "EX0071CQ {TEST"}, {km + ";", 0, O::Framed, km},
         {"ID02", 0, O::Skipped}, {"41;", 0, O::Framed, "ID0241"},
         {"ID02410000000;", 0, O::Discarded}, {"EX002" + std::string(50, 'A') + ";", 0, O::Discarded},
         {"EX0071{X};", 0, O::Skipped}, {"", 0, O::Skipped}});
}

// Heads that can never match must not block every later answer.
TEST_F(FramerTest, CompleteHeadThatCannotMatchIsDropped)
{
    run({{"EX099123;", 0, O::Skipped}, {"EX000123;", 0, O::Skipped}, {"EXAB1;", 0, O::Skipped},
         {"MD01;", 0, O::Framed, "MD01"}});
    std::string answer;
    EXPECT_EQ(feed("ZZ" + std::string(20000, '1'), 0, answer), O::Skipped);
    EXPECT_EQ(f.count(), 0u); // full without any ";": emptied
    EXPECT_EQ(feed("MD02;", 0, answer), O::Framed);
}

TEST(RtsDecision, RaisesWhenRoomyDropsWhenFullOrOverflowing)
{
    for (auto [count, errors, expected] : {std::tuple<std::size_t, std::uint32_t, std::optional<bool>>{1024, 0, true},
                                          {1025, 0, std::nullopt}, {2047, 0, std::nullopt}, {2048, 0, false},
                                          {0, CommError::RxOverflow, false}, {0, CommError::RxOverflow | 2, true}})
        EXPECT_EQ(rtsFor(count, errors), expected) << count << " " << errors;
}

} // namespace
} // namespace qx
