#include "sim/CommandFramer.h"
#include "sim/EventLog.h"
#include "sim/FaultInjector.h"
#include "sim/TransmitQueue.h"

#include <gtest/gtest.h>

#include <thread>

namespace qx::sim {
namespace {

using namespace std::chrono_literals;
using TimePoint = TransmitQueue::TimePoint;

TEST(LinePacing, CharacterTimeIsElevenBitsAtTheLineSpeed)
{
    EXPECT_EQ(characterTime(4800).count(), 2291666);   // ns
    EXPECT_EQ(characterTime(38400).count(), 286458);
    EXPECT_EQ(characterTime(0).count(), 0);
}

TEST(LinePacing, BytesLeaveOneCharacterTimeApart)
{
    TransmitQueue q;
    const TimePoint t0{1s};
    const auto perChar = 2ms;
    q.push("FA14250000;", t0, "FA14250000;");
    EXPECT_TRUE(q.take(t0 - 1ms, perChar).bytes.empty());
    EXPECT_EQ(q.take(t0, perChar).bytes, "F");
    EXPECT_EQ(q.take(t0 + 3ms, perChar).bytes, "A");      // second char due at +2 ms
    const auto rest = q.take(t0 + 19ms, perChar);
    EXPECT_EQ(rest.bytes, "14250000");
    EXPECT_TRUE(rest.finished.empty());
    EXPECT_EQ(q.nextDue(), t0 + 20ms);
    const auto last = q.take(t0 + 20ms, perChar);
    EXPECT_EQ(last.bytes, ";");
    ASSERT_EQ(last.finished.size(), 1u);
    EXPECT_EQ(last.finished[0], "FA14250000;");
    EXPECT_FALSE(q.nextDue());
}

TEST(LinePacing, ABurstOfAnswersTakesRealLineTime)
{
    TransmitQueue q;
    const TimePoint t0{1s};
    q.push("AB;", t0, "a");
    q.push("CD;", t0, "b");
    const auto first = q.take(t0 + 5ms, 2ms);  // chars at 0, 2, 4
    EXPECT_EQ(first.bytes, "AB;");
    EXPECT_EQ(q.nextDue(), t0 + 6ms);          // the second waits for the line
    EXPECT_EQ(q.take(t0 + 10ms, 2ms).finished, std::vector<std::string>{"b"});
}

TEST(LinePacing, APieceWaitsForItsTimeEvenOnAnIdleLine)
{
    TransmitQueue q;
    const TimePoint t0{1s};
    q.push("PS", t0, "");
    q.push("0;", t0 + 50ms, "PS0;");
    EXPECT_EQ(q.take(t0 + 40ms, 1ms).bytes, "PS");
    EXPECT_EQ(q.take(t0 + 49ms, 1ms).bytes, "");
    EXPECT_EQ(q.take(t0 + 60ms, 1ms).bytes, "0;");
}

TEST(CommandFramer, CutsAtSemicolonsAcrossReads)
{
    CommandFramer f;
    EXPECT_TRUE(f.feed("F").empty());
    EXPECT_EQ(f.feed("A;MD0;ID"), (std::vector<std::string>{"FA;", "MD0;"}));
    EXPECT_EQ(f.feed(";"), std::vector<std::string>{"ID;"});
}

TEST(CommandFramer, EndlessJunkIsCutAtTheLimit)
{
    CommandFramer f;
    const auto out = f.feed(std::string(CommandFramer::kMaxCommand * 2 + 3, 'x'));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].size(), CommandFramer::kMaxCommand);
    EXPECT_EQ(f.feed("FA;"), std::vector<std::string>{"xxxFA;"});
}

TEST(FaultInjector, CleanLineSendsTheAnswerWhole)
{
    FaultInjector f(1);
    const auto pieces = f.shape("FA14250000;");
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].bytes, "FA14250000;");
    EXPECT_EQ(pieces[0].after, 0ms);
}

TEST(FaultInjector, SilenceSplitAndDelay)
{
    FaultInjector f(1);
    f.configure({.silent = true});
    EXPECT_TRUE(f.shape("FA14250000;").empty());
    f.configure({.splitGap = 30ms, .delay = 100ms});
    const auto pieces = f.shape("FA14250000;");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].bytes + pieces[1].bytes, "FA14250000;");
    EXPECT_FALSE(pieces[0].bytes.empty());
    EXPECT_EQ(pieces[0].after, 100ms);
    EXPECT_EQ(pieces[1].after, 30ms);
}

TEST(FaultInjector, DropAndCorruptAffectTheirShare)
{
    const std::string answer(1000, 'A');
    FaultInjector f(5);
    f.configure({.dropShare = 1.0});
    EXPECT_TRUE(f.shape(answer)[0].bytes.empty());
    f.configure({.dropShare = 0.25});
    const auto kept = f.shape(answer)[0].bytes.size();
    EXPECT_GT(kept, 650u);
    EXPECT_LT(kept, 850u);
    f.configure({.corruptShare = 1.0});
    const auto bad = f.shape(answer)[0].bytes;
    ASSERT_EQ(bad.size(), answer.size());
    EXPECT_EQ(bad.find('A'), std::string::npos);
    EXPECT_EQ(bad.find(';'), std::string::npos);
    f.configure({.dropShare = 7, .corruptShare = -1});
    EXPECT_EQ(f.settings().dropShare, 1.0);
    EXPECT_EQ(f.settings().corruptShare, 0.0);
}

TEST(FaultInjector, NoiseNeverEndsAFrame)
{
    FaultInjector f(2);
    const auto noise = f.noise(2000);
    EXPECT_EQ(noise.size(), 2000u);
    EXPECT_EQ(noise.find(';'), std::string::npos);
}

TEST(EventLog, FormatsTimeDirectionAndEscapes)
{
    EXPECT_EQ(EventLog::format({1234ms, Direction::Received, "FA;"}), "    1234 ms  RX  FA;");
    EXPECT_EQ(EventLog::format({5ms, Direction::Sent, std::string("A\x01\xff;", 4)}), "       5 ms  TX  A\\x01\\xFF;");
    EXPECT_EQ(EventLog::format({0ms, Direction::Note, "hang up"}), "       0 ms  --  hang up");
}

TEST(EventLog, WaitReturnsWhenAnotherThreadRecords)
{
    EventLog log;
    std::thread writer([&] {
        log.record(Direction::Received, "FA;");
        log.record(Direction::Sent, "FA14250000;");
    });
    EXPECT_TRUE(log.waitForText(Direction::Sent, "FA14250000;", 5s));
    writer.join();
    EXPECT_FALSE(log.waitForText(Direction::Received, "FA14250000;", 1ms));
    EXPECT_FALSE(log.waitForText(Direction::Sent, "FA14250000;", 1ms, 2));
    const auto events = log.events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_LE(events[0].at, events[1].at);
}

} // namespace
} // namespace qx::sim
