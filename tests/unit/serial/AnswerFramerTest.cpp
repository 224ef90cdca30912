#include "serial/AnswerFramer.h"

#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "serial/LineStatus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace qx {
namespace {

using Outcome = AnswerFramer::Outcome;

// One poll: bytes that arrived since the last one, the error bits, and what
// the framer must make of it.
struct Poll {
    std::string bytes;
    std::uint32_t errors;
    Outcome outcome;
    std::string answer; // when framed
};

struct Script {
    const char* name;
    std::vector<Poll> polls;
    std::string left; // bytes still buffered afterwards
};

void fillTestMenu(MenuTable& t)
{
        auto put = [&t](int slot, int kind, int width) {
            MenuItem item;
            item.number = slot;
            item.kind = kind;
            item.width = width;
            t.putEntry(slot, item);
        };
        put(2, MenuKind::Number, 3);      // "EX002" + 3 + ";"
        put(7, MenuKind::BeaconText, 41); // variable, up to its ";"
        put(8, 32, 4);                    // one narrower while width-adjust is 0
        t.setCount(66);
}

MenuTable& testMenu()
{
    static MenuTable table;
    static const bool filled = (fillTestMenu(table), true);
    (void)filled;
    return table;
}

const MenuShapes kMenu{&testMenu(), 66, 0};

Outcome feed(AnswerFramer& f, const std::string& bytes, std::uint32_t errors, std::string& answer)
{
    const auto room = f.freeSpace();
    const std::size_t n = std::min(room.size(), bytes.size());
    std::memcpy(room.data(), bytes.data(), n);
    return f.step(n, errors, kMenu, answer);
}

class FramerScript : public ::testing::TestWithParam<Script> {};

TEST_P(FramerScript, FramesPollByPoll)
{
    AnswerFramer f;
    int i = 0;
    for (const Poll& p : GetParam().polls) {
        std::string answer = "untouched";
        EXPECT_EQ(feed(f, p.bytes, p.errors, answer), p.outcome) << "poll " << i;
        if (p.outcome == Outcome::Framed) {
            EXPECT_EQ(answer, p.answer) << "poll " << i;
        }
        ++i;
    }
    EXPECT_EQ(f.buffered(), GetParam().left);
}

constexpr std::uint32_t kNone = 0;

INSTANTIATE_TEST_SUITE_P(
    Cases, FramerScript,
    ::testing::Values(
        Script{"nothingArrives", {{"", kNone, Outcome::Idle, ""}}, ""},
        Script{"tableAnswer", {{"FA14250000;", kNone, Outcome::Framed, "FA14250000"}}, ""},
        Script{"splitAcrossReads",
               {{"FA1425", kNone, Outcome::Waiting, ""},
                {"", kNone, Outcome::Waiting, ""},
                {"0000;", kNone, Outcome::Framed, "FA14250000"}},
               ""},
        Script{"oneAnswerPerPoll",
               {{"FA14250000;MD02;", kNone, Outcome::Framed, "FA14250000"},
                {"", kNone, Outcome::Framed, "MD02"},
                {"", kNone, Outcome::Idle, ""}},
               ""},
        Script{"errorReplyNeverReachesTheAnalyser",
               {{"?;", kNone, Outcome::Skipped, ""}, {"", kNone, Outcome::Skipped, ""}, {"", kNone, Outcome::Idle, ""}},
               ""},
        Script{"unknownCodeFramedByItsSemicolon", {{"ZZ1;", kNone, Outcome::Framed, "ZZ1"}}, ""},
        Script{"unknownCodeWaitsForItsSemicolon",
               {{"ZZ12", kNone, Outcome::Skipped, ""}, {"3;", kNone, Outcome::Framed, "ZZ123"}}, ""},
        Script{"shortTableAnswerDiscardedThroughItsSemicolon",
               {{"FA1;MD02;", kNone, Outcome::Waiting, ""},
                {"ID0241;", kNone, Outcome::Discarded, ""},
                {"", kNone, Outcome::Framed, "MD02"},
                {"", kNone, Outcome::Framed, "ID0241"}},
               ""},
        Script{"wrongLengthWithoutSemicolonEmptiesTheBuffer",
               {{"FA1425000000", kNone, Outcome::Discarded, ""}}, ""},
        Script{"noiseStrippedAfterFramingError",
               {{std::string("\x00\x80\xfe", 3) + "FA14250000;", CommError::Framing, Outcome::Framed, "FA14250000"}},
               ""},
        Script{"noiseStrippedAfterBreak",
               {{"\x80\x81\x82", CommError::Break, Outcome::Skipped, ""}, {"PS1;", kNone, Outcome::Framed, "PS1"}},
               ""},
        Script{"noiseWithoutErrorSkippedByteByByte",
               {{"\x80\x81MD03;", kNone, Outcome::Skipped, ""},
                {"", kNone, Outcome::Skipped, ""},
                {"", kNone, Outcome::Framed, "MD03"}},
               ""},
        // With two error bits at once nothing is stripped; the skip still copes.
        Script{"noiseWithSeveralErrorsNotStripped",
               {{"\x80MD03;", CommError::Framing | CommError::Parity, Outcome::Skipped, ""},
                {"", kNone, Outcome::Framed, "MD03"}},
               ""},
        Script{"lowerCaseHeadSkipped",
               {{"fa;MD01;", kNone, Outcome::Skipped, ""},
                {"", kNone, Outcome::Skipped, ""},
                {"", kNone, Outcome::Skipped, ""},
                {"", kNone, Outcome::Framed, "MD01"}},
               ""},
        Script{"menuAnswerByWidth", {{"EX002123;", kNone, Outcome::Framed, "EX002123"}}, ""},
        Script{"menuAnswerNarrowerKind", {{"EX008123;", kNone, Outcome::Framed, "EX008123"}}, ""},
        Script{"menuAnswerBeaconTextByScan",
               {{"EX0071CQ DE TEST{;", kNone, Outcome::Framed, "EX0071CQ DE TEST{"}}, ""},
        Script{"closingBraceCannotBelong",
               {{"EX0071{X};MD01;", kNone, Outcome::Skipped, ""}, {"", kNone, Outcome::Skipped, ""},
                {"", kNone, Outcome::Framed, "MD01"}},
               ""},
        Script{"partialMenuAnswerWaits",
               {{"EX00", kNone, Outcome::Skipped, ""},
                {"21", kNone, Outcome::Skipped, ""},
                {"23;", kNone, Outcome::Framed, "EX002123"}},
               ""},
        Script{"menuAnswerWrongWidthDiscarded",
               {{"EX0021234;MD01;", kNone, Outcome::Discarded, ""}, {"", kNone, Outcome::Framed, "MD01"}}, ""},
        // Complete heads that can never match are dropped through their ";"
        // rather than blocking every later answer.
        Script{"menuNumberPastTheLastItemDropped",
               {{"EX099123;MD01;", kNone, Outcome::Skipped, ""}, {"", kNone, Outcome::Framed, "MD01"}}, ""},
        Script{"menuNumberZeroDropped",
               {{"EX000123;MD01;", kNone, Outcome::Skipped, ""}, {"", kNone, Outcome::Framed, "MD01"}}, ""},
        Script{"menuNumberNotDigitsDropped",
               {{"EXAB1;MD01;", kNone, Outcome::Skipped, ""}, {"", kNone, Outcome::Framed, "MD01"}}, ""},
        Script{"menuAnswerWithoutEndWithinFiftyBytes",
               {{"EX002" + std::string(50, 'A') + ";MD01;", kNone, Outcome::Discarded, ""},
                {"", kNone, Outcome::Framed, "MD01"}},
               ""},
        Script{"keyerMemoryByScan",
               {{"KM1CQ CQ DE TEST" + std::string(37, ' ') + ";", kNone, Outcome::Framed,
                 "KM1CQ CQ DE TEST" + std::string(37, ' ')}},
               ""},
        Script{"idByScan", {{"ID02", kNone, Outcome::Skipped, ""}, {"41;", kNone, Outcome::Framed, "ID0241"}}, ""},
        Script{"idWithoutEndWithinTenBytes",
               {{"ID02410000000;AI1;", kNone, Outcome::Discarded, ""}, {"", kNone, Outcome::Framed, "AI1"}}, ""},
        Script{"byteThatCannotBelongInsideAScanSkipsIt",
               {{"KM1AB\x01;", kNone, Outcome::Skipped, ""}, {"", kNone, Outcome::Skipped, ""}}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnswerFramer, ReadsNeverReachTheEndMarker)
{
    AnswerFramer f;
    EXPECT_EQ(f.freeSpace().size(), AnswerFramer::kCapacity - 1);
    std::string answer;
    feed(f, "FA1425", kNone, answer);
    EXPECT_EQ(f.freeSpace().size(), AnswerFramer::kCapacity - 1 - 6);
}

TEST(AnswerFramer, FullBufferWithoutAnyAnswerIsEmptiedAndRecovers)
{
    AnswerFramer f;
    std::string answer;
    // An unknown code with no ";" fills everything and could never be framed.
    EXPECT_EQ(feed(f, "ZZ" + std::string(20000, '1'), kNone, answer), Outcome::Skipped);
    EXPECT_EQ(f.count(), 0u);
    EXPECT_EQ(feed(f, "MD02;", kNone, answer), Outcome::Framed);
    EXPECT_EQ(answer, "MD02");
}

TEST(AnswerFramer, ForgettingTheHeadIdentifiesItAgain)
{
    AnswerFramer f;
    std::string answer;
    ASSERT_EQ(feed(f, "FA1", kNone, answer), Outcome::Waiting);
    f.forgetIdentification();
    // Noise replaced the head while the line was down.
    ASSERT_EQ(feed(f, "", CommError::Framing, answer), Outcome::Waiting);
    f.reset();
    EXPECT_EQ(f.count(), 0u);
    EXPECT_EQ(feed(f, "MD02;", kNone, answer), Outcome::Framed);
    EXPECT_EQ(answer, "MD02");
}

TEST(RtsDecision, RaisesWhenRoomyDropsWhenFullOrOverflowing)
{
    struct Case { std::size_t count; std::uint32_t errors; std::optional<bool> expected; };
    for (const Case c : {Case{0, 0, true}, Case{1024, 0, true}, Case{1025, 0, std::nullopt},
                         Case{2047, 0, std::nullopt}, Case{2048, 0, false}, Case{16383, 0, false},
                         Case{0, CommError::RxOverflow, false}, Case{1500, CommError::RxOverflow, false},
                         Case{0, CommError::RxOverflow | CommError::Parity, true}, Case{10, CommError::Framing, true}})
        EXPECT_EQ(rtsFor(c.count, c.errors), c.expected) << c.count << " " << c.errors;
}

} // namespace
} // namespace qx
