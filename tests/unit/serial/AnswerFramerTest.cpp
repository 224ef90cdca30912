#include "serial/AnswerFramer.h"

#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "serial/LineStatus.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace qx {
namespace {

using O = AnswerFramer::Outcome;
using Texts = std::vector<std::string>;

// One read: the bytes that arrived, the error bits, the answers framed from
// everything buffered after it, and how the framer was left.
struct Read { std::string bytes; std::uint32_t errors; Texts answers; O left; };

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
    MenuShapes shapes() const { return MenuShapes{&menu, 66, 0}; }
    // Everything framed after `bytes` arrived, read as the port hands them over.
    Texts feed(std::string_view bytes, std::uint32_t errors = 0, O* left = nullptr)
    {
        Texts out;
        O last = O::Idle;
        do {
            const auto room = f.freeSpace();
            const std::size_t n = std::min(room.size(), bytes.size());
            std::memcpy(room.data(), bytes.data(), n);
            bytes.remove_prefix(n);
            f.add(n, errors);
            errors = 0;
            std::string answer;
            while ((last = f.next(shapes(), answer)) == O::Framed)
                out.push_back(answer);
        } while (!bytes.empty());
        if (left)
            *left = last;
        return out;
    }
    void run(const std::vector<Read>& reads)
    {
        for (std::size_t i = 0; i < reads.size(); ++i) {
            O left{};
            EXPECT_EQ(feed(reads[i].bytes, reads[i].errors, &left), reads[i].answers) << "read " << i;
            EXPECT_EQ(left, reads[i].left) << "read " << i;
        }
        EXPECT_EQ(f.count(), 0u);
    }
};

TEST_F(FramerTest, SplitAnswerIsFramedOnceWhole)
{
    run({{"FA1425", 0, {}, O::Waiting}, {"", 0, {}, O::Waiting}, {"0000;", 0, {"FA14250000"}, O::Idle}});
}

TEST_F(FramerTest, EverythingThatArrivedIsFramedAtOnceInArrivalOrder)
{
    run({{"FA14250000;MD02;ZZ1;SM0045;FA14", 0, {"FA14250000", "MD02", "ZZ1", "SM0045"}, O::Waiting},
         {"250010;", 0, {"FA14250010"}, O::Idle}});
}

TEST_F(FramerTest, GarbageNeverReachesTheAnalyser)
{
    run({{"\x80" "fa;MD01;", 0, {"MD01"}, O::Idle}});
    EXPECT_EQ(f.dropped(), 4u);
}

// The radio's refusal is an answer of its own, even when its two bytes come
// apart; a "?" not followed by ";" is noise.
TEST_F(FramerTest, RefusalIsFramedWholeAndAloneAfterAnAnswer)
{
    run({{"?;FA14250000;", 0, {"?", "FA14250000"}, O::Idle}, {"?", 0, {}, O::Waiting}, {";", 0, {"?"}, O::Idle},
         {"?X;", 0, {}, O::Idle}});
    EXPECT_EQ(f.dropped(), 3u);
}

TEST_F(FramerTest, NoiseIsStrippedAfterASingleFramingErrorOrBreak)
{
    run({{std::string("\0\x80", 2) + "PS1;", CommError::Framing, {"PS1"}, O::Idle},
         {"\x80\x81", CommError::Break, {}, O::Idle},
         // Two errors at once strip nothing; the byte is skipped as any other.
         {"\x80" "PS0;", CommError::Framing | CommError::Parity, {"PS0"}, O::Idle}});
}

TEST_F(FramerTest, WrongLengthIsDiscardedThroughTheSemicolon)
{
    run({{"FA1;MD02;", 0, {}, O::Waiting}, {"ID0241;", 0, {"MD02", "ID0241"}, O::Idle},
         {"EX0021234;", 0, {}, O::Idle}, {"FA1425000000", 0, {}, O::Idle}});
}

TEST_F(FramerTest, UnknownCodeEndsAtItsSemicolon)
{
    run({{"ZZ1", 0, {}, O::Waiting}, {";", 0, {"ZZ1"}, O::Idle}});
}

TEST_F(FramerTest, ScannedAnswersWaitForTheirSemicolon)
{
    const std::string km = "KM1CQ DE TEST" + std::string(40, ' ');
    run({{"EX00", 0, {}, O::Waiting}, {"2123;", 0, {"EX002123"}, O::Idle}, {"EX008123;", 0, {"EX008123"}, O::Idle},
         {"EX0071CQ {TEST;", 0, {"EX0071CQ {TEST"}, O::Idle}, {km + ";", 0, {km}, O::Idle},
         {"ID02", 0, {}, O::Waiting}, {"41;", 0, {"ID0241"}, O::Idle},
         {"ID02410000000;", 0, {}, O::Idle}, {"EX002" + std::string(50, 'A') + ";", 0, {}, O::Idle},
         {"EX0071{X};", 0, {}, O::Idle}});
}

// Heads that can never match must not block every later answer.
TEST_F(FramerTest, CompleteHeadThatCannotMatchIsDropped)
{
    run({{"EX099123;EX000123;EXAB1;MD01;", 0, {"MD01"}, O::Idle}});
    EXPECT_EQ(feed("ZZ" + std::string(20000, '1')), Texts{});
    EXPECT_EQ(feed("MD02;"), Texts{"MD02"});
}

// With RTS dropped at 2048 buffered bytes a radio stops sending: a candidate
// that waits for more than any answer can hold would wait for ever.
TEST_F(FramerTest, AHeadThatCanNeverEndIsGivenUpAtTheLongestAnswer)
{
    for (const std::string code : {"ZZ", "EXAB"}) {
        const std::string body(53 - code.size(), '1');
        EXPECT_EQ(feed(code + body), Texts{}) << code;
        EXPECT_EQ(f.count(), 53u) << code << ": its \";\" could still come";
        EXPECT_EQ(feed("1"), Texts{}) << code;
        EXPECT_EQ(f.count(), 0u) << code;
        EXPECT_EQ(feed(code + std::string(60, '1') + "MD01;"), Texts{}) << code << ": dropped through the next \";\"";
        EXPECT_EQ(feed("MD02;"), Texts{"MD02"}) << code;
    }
}

TEST_F(FramerTest, JunkIsClearedInOnePassWhateverItIsMadeOf)
{
    const std::vector<std::string> junk{std::string(4000, '\0'), "FA" + std::string(200'000, '1'),
                                        std::string(100'000, 'A'), std::string(50'000, ' ')};
    for (const std::string& run : junk) {
        const auto before = f.dropped();
        EXPECT_EQ(feed(run), Texts{});
        EXPECT_LE(f.count(), 54u) << "what is left could still start an answer";
        EXPECT_EQ(feed(";FA14250000;"), Texts{"FA14250000"});
        EXPECT_EQ(f.count(), 0u);
        EXPECT_GE(f.dropped() - before, run.size() - 54);
    }
}

// The same stream cut anywhere gives the same answers: nothing the framer
// keeps between reads may depend on where a read ended.
TEST_F(FramerTest, WhereTheReadsEndChangesNothing)
{
    std::string stream;
    for (int i = 0; i < 200; ++i)
        stream += std::string("FA142500") + char('0' + i % 10) + "0;" + (i % 7 == 0 ? "?;\x80" : "") + "MD02;EX002123;";
    const Texts expected = feed(stream);
    ASSERT_EQ(expected.size(), 600u + 29u); // and the 29 refusals
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        f.reset();
        Texts got;
        for (std::size_t at = 0; at < stream.size();) {
            const std::size_t n = std::min<std::size_t>(stream.size() - at, rng() % 40);
            const Texts part = feed(std::string_view(stream).substr(at, n));
            got.insert(got.end(), part.begin(), part.end());
            at += n;
        }
        EXPECT_EQ(got, expected) << "round " << round;
    }
}

TEST_F(FramerTest, AwaitedCountsTheBytesTheHeadStillNeeds)
{
    const struct {
        std::string bytes;
        std::size_t awaited;
    } cases[] = {
        {"", 0},     {"I", 3},           {"IF00014", 20}, {"PS", 2},   {"EX002", 4},
        {"EX0", 3},  {"ID02", 3},        {"KM1CQ", 1},    {"ZZ1", 1},  {"EX0071CQ", 1},
        {"FA14250000;", 0},
    };
    for (const auto& c : cases) {
        f.reset();
        feed(c.bytes);
        EXPECT_EQ(f.awaited(shapes()), c.awaited) << c.bytes;
    }
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
