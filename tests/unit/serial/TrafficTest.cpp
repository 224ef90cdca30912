// The traffic tap and what listens to it: the CAT monitor's lines, its code
// filter, and the trace file.
#include "serial/TraceFile.h"
#include "serial/TracingDevice.h"
#include "serial/TrafficFilter.h"
#include "serial/TrafficLog.h"
#include "serial/TrafficTap.h"
#include "tests/TempDir.h"
#include "tests/unit/serial/FakeSerialDevice.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

namespace qx {
namespace {

std::span<const std::uint8_t> bytes(std::string_view s)
{
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::vector<std::string> texts(const std::vector<TrafficLine>& lines)
{
    std::vector<std::string> out;
    for (const auto& l : lines)
        out.push_back(std::string(1, static_cast<char>(l.direction)) + " " + l.text);
    return out;
}

const auto kT = std::chrono::system_clock::time_point{};

TEST(TrafficLog, CutsAnswersAtTheirSemicolonAcrossReads)
{
    TrafficLog log;
    log.add(TrafficDirection::Read, bytes("FA1425"), kT);
    EXPECT_EQ(log.size(), 0u) << "half an answer is no line yet";
    log.add(TrafficDirection::Written, bytes("ID;"), kT);
    log.add(TrafficDirection::Read, bytes("0000;AI1;ID02"), kT);
    log.add(TrafficDirection::Read, bytes("41;"), kT);
    EXPECT_EQ(texts(log.lines()), (std::vector<std::string>{"W ID;", "R FA14250000;", "R AI1;", "R ID0241;"}));
}

TEST(TrafficLog, EndsAWrittenLineWithTheWriteAndShowsOddBytes)
{
    TrafficLog log;
    log.add(TrafficDirection::Written, bytes("AI1;AI;"), kT);
    log.add(TrafficDirection::Written, bytes("FA"), kT); // a raw command without ";"
    log.add(TrafficDirection::Written, bytes(std::string_view("EX1\0\0;", 6)), kT);
    EXPECT_EQ(texts(log.lines()), (std::vector<std::string>{"W AI1;", "W AI;", "W FA", "W EX1\\x00\\x00;"}));
}

TEST(TrafficLog, NoiseWithoutSemicolonIsCutAtTheLineLimit)
{
    TrafficLog log;
    const std::string noise(TrafficLog::kMaxLineBytes + 10, 'x');
    log.add(TrafficDirection::Read, bytes(noise), kT);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log.lines()[0].text.size(), TrafficLog::kMaxLineBytes);
    log.add(TrafficDirection::Read, bytes(";"), kT);
    EXPECT_EQ(log.lines().back().text, std::string(10, 'x') + ";");
}

TEST(TrafficLog, KeepsTheNewestLinesAndHandsOnOnlyWhatIsNew)
{
    TrafficLog log(3);
    std::uint64_t seen = 0;
    log.add(TrafficDirection::Written, bytes("A1;A2;"), kT);
    EXPECT_EQ(log.since(seen).size(), 2u);
    EXPECT_TRUE(log.since(seen).empty());
    log.add(TrafficDirection::Written, bytes("A3;A4;A5;A6;"), kT);
    // Four new lines, one already gone past the limit.
    EXPECT_EQ(texts(log.since(seen)), (std::vector<std::string>{"W A4;", "W A5;", "W A6;"}));
    EXPECT_EQ(log.size(), 3u);

    log.add(TrafficDirection::Read, bytes("PS"), kT);
    log.clear();
    log.add(TrafficDirection::Read, bytes("1;"), kT);
    EXPECT_EQ(texts(log.since(seen)), (std::vector<std::string>{"R 1;"})) << "clear forgets the half answer";
}

TEST(TrafficFilter, HidesTheNamedCodesInAnyCase)
{
    const TrafficFilter f = TrafficFilter::parse("rm, IF;ps  Ai x ABC RM");
    EXPECT_EQ(f.codes(), (std::vector<std::string>{"RM", "IF", "PS", "AI"}));
    EXPECT_TRUE(f.hides("RM1000;"));
    EXPECT_TRUE(f.hides("AI;"));
    EXPECT_FALSE(f.hides("FA14250000;"));
    EXPECT_FALSE(f.hides("?;"));
    EXPECT_FALSE(f.hides("R"));
    EXPECT_TRUE(TrafficFilter::parse("").empty());
}

TEST(TrafficTap, DevicesReportBothDirectionsToEveryListenerUntilItStops)
{
    auto line = std::make_shared<test::FakeLine>();
    auto tap = std::make_shared<TrafficTap>();
    DeviceOpener open = tracingOpener(test::fakeOpener(line), tap);
    std::string why;
    auto dev = open("/dev/x", 4800, why);
    ASSERT_TRUE(dev);

    std::string a, b;
    const auto ida = tap->listen([&](TrafficDirection d, std::span<const std::uint8_t> s) {
        a += static_cast<char>(d);
        a.append(s.begin(), s.end());
    });
    EXPECT_TRUE(tap->listening());
    tap->listen([&](TrafficDirection, std::span<const std::uint8_t> s) { b.append(s.begin(), s.end()); });

    const std::string cmd = "FA;";
    dev->write(bytes(cmd));
    line->incoming = "FA14250000;";
    std::uint8_t buf[32];
    EXPECT_EQ(dev->read(buf), 11);
    EXPECT_EQ(a, "WFA;RFA14250000;");
    EXPECT_EQ(b, "FA;FA14250000;");

    tap->stopListening(ida);
    dev->write(bytes(cmd));
    EXPECT_EQ(a, "WFA;RFA14250000;");
    EXPECT_EQ(b, "FA;FA14250000;FA;");
    EXPECT_EQ(line->written, "FA;FA;") << "the device itself is untouched";
}

TEST(TraceFile, WritesOneLinePerReadOrWriteWhileItLives)
{
    test::TempDir dir;
    auto tap = std::make_shared<TrafficTap>();
    {
        TraceFile trace((dir.path / "t.txt").string(), tap);
        ASSERT_TRUE(trace.ok());
        tap->record(TrafficDirection::Written, bytes("PS;"));
        tap->record(TrafficDirection::Read, bytes("PS1;\n"));
    }
    EXPECT_FALSE(tap->listening()) << "a closed trace stops listening";
    const std::string text = dir.read("t.txt");
    EXPECT_NE(text.find(" W PS;\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" R PS1;\\x0A\n"), std::string::npos) << text;

    TraceFile bad((dir.path / "missing" / "t.txt").string(), tap);
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.error(), "No such file or directory");
    EXPECT_FALSE(tap->listening());

    // Before, a FIFO without a reader held the program's start for ever.
    ASSERT_EQ(::mkfifo((dir.path / "fifo").c_str(), 0600), 0);
    TraceFile fifo((dir.path / "fifo").string(), tap);
    EXPECT_FALSE(fifo.ok());
    EXPECT_EQ(fifo.error(), "not a regular file (a FIFO); it was left as it is");
    EXPECT_FALSE(tap->listening());
}

} // namespace
} // namespace qx
