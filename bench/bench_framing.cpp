// The receive path on one core, without threads: bytes read from a port in
// chunks, framed, queued and decoded by the analyser, for the mix of answers
// a busy radio sends (the dial, meters, status, the odd menu answer). And
// how fast the framer clears bursts of junk.
#include "core/LinkFlags.h"
#include "core/MessageIds.h"
#include "core/Outbox.h"
#include "cat/AnswerAnalyser.h"
#include "menu/MenuLoader.h"
#include "menu/MenuTable.h"
#include "serial/AnswerFramer.h"
#include "serial/ComLink.h"
#include "serial/SerialReceiver.h"
#include "serial/TextQueue.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <poll.h>
#include <string>

namespace {

class CountingOutbox : public qx::Outbox {
public:
    long arrived = 0;
    long notified = 0;
    void postToThread(qx::ThreadId to, const qx::Message& m) override
    {
        arrived += to == qx::ThreadId::AnlRecv && m.id == qx::UM_ANSWER_ARRIVED ? 1 : 0;
    }
    void postToWindow(const qx::Message&) override { ++notified; }
    void sendToWindow(const qx::Message&) override {}
    void startTimer(int, int) override {}
    void stopTimer(int) override {}
};

// Hands out an endless stream in reads of at most `chunk` bytes.
class StreamDevice : public qx::SerialDevice {
public:
    StreamDevice(const std::string& stream, std::size_t chunk) : stream_(stream), chunk_(chunk) {}
    std::size_t bytesWaiting() override { return chunk_; }
    long read(std::span<std::uint8_t> into) override
    {
        const std::size_t n = std::min({into.size(), chunk_, stream_.size() - at_});
        std::memcpy(into.data(), stream_.data() + at_, n);
        at_ = (at_ + n) % stream_.size();
        return static_cast<long>(n);
    }
    long write(std::span<const std::uint8_t> b) override { return static_cast<long>(b.size()); }
    bool setRts(bool) override { return true; }
    qx::LineStatus clearErrors() override { return {}; }

private:
    const std::string& stream_;
    std::size_t chunk_;
    std::size_t at_ = 0;
};

std::string usualMix()
{
    std::string s;
    for (int i = 0; i < 50; ++i) {
        s += "FA1425" + std::to_string(1000 + i % 9000) + ";";
        s += "SM00" + std::to_string(10 + i % 80) + ";";
        s += "RM1" + std::to_string(100 + i % 150) + ";";
        if (i % 5 == 0)
            s += "IF00014250000+000000020000;MD02;";
        if (i % 10 == 0)
            s += "EX0211;PS1;AI1;";
    }
    return s;
}

std::size_t answersIn(const std::string& s) { return static_cast<std::size_t>(std::count(s.begin(), s.end(), ';')); }

struct Rig {
    qx::RadioState radio;
    qx::CommandState command;
    qx::MenuTable menu;
    qx::LinkFlags flags;
    qx::TextQueue answers;
    CountingOutbox outbox;
    qx::SystemClock clock;
    qx::AnswerAnalyser analyser{answers, outbox, flags, radio, command, menu};

    Rig()
    {
        qx::MenuLoader loader(menu, {[this](int n) { radio.set(qx::RadioState::Int::HIGHEST_MENU, n); }, {}});
        loader.load();
        radio.setMenuReady(true);
    }
};

// One wake of the receive side per read, then the analyser takes every
// answer it was handed: the work of two threads, done on one.
void BM_ReceiveAndDecodeUsualMix(benchmark::State& state)
{
    Rig rig;
    const std::string stream = usualMix();
    const auto chunk = static_cast<std::size_t>(state.range(0));
    qx::ComLink link(
        [&](const std::string&, int, std::string&) { return std::make_unique<StreamDevice>(stream, chunk); },
        [](int) { return std::optional<std::string>("/dev/bench"); }, rig.outbox, [] { return 0; });
    link.open();
    qx::SerialReceiver receiver(link, rig.answers, rig.outbox, rig.flags, rig.radio, rig.menu, rig.clock);
    const qx::Message arrived{qx::UM_ANSWER_ARRIVED, 0, 0};
    long decoded = 0;
    for (auto _ : state) {
        rig.outbox.arrived = 0;
        receiver.onInput(POLLIN);
        for (long i = 0; i < rig.outbox.arrived; ++i)
            rig.analyser.handle(arrived);
        decoded += rig.outbox.arrived;
    }
    state.SetItemsProcessed(decoded);
    // Every answer of the mix is well-formed: each one is decoded and notified.
    if (rig.outbox.notified < decoded)
        state.SkipWithError("answers were lost on the way");
}
BENCHMARK(BM_ReceiveAndDecodeUsualMix)->Arg(8)->Arg(64)->Arg(1024);

// The framer alone over the mix, as answers per second.
void BM_FrameUsualMix(benchmark::State& state)
{
    Rig rig;
    const std::string stream = usualMix();
    const qx::MenuShapes shapes{&rig.menu, rig.radio.get(qx::RadioState::Int::HIGHEST_MENU), 0};
    qx::AnswerFramer framer;
    std::string answer;
    std::size_t at = 0;
    long framed = 0;
    for (auto _ : state) {
        const auto room = framer.freeSpace();
        const std::size_t n = std::min<std::size_t>(std::min(room.size(), std::size_t{256}), stream.size() - at);
        std::memcpy(room.data(), stream.data() + at, n);
        at = (at + n) % stream.size();
        framer.add(n);
        while (framer.next(shapes, answer) == qx::AnswerFramer::Outcome::Framed)
            ++framed;
    }
    state.SetItemsProcessed(framed);
    benchmark::DoNotOptimize(answersIn(stream));
}
BENCHMARK(BM_FrameUsualMix);

// A burst of junk of one kind, fed as the port reads it, then a good answer
// that must come out: bytes cleared per second.
void BM_ClearJunk(benchmark::State& state, std::string junk)
{
    Rig rig;
    const qx::MenuShapes shapes{&rig.menu, rig.radio.get(qx::RadioState::Int::HIGHEST_MENU), 0};
    qx::AnswerFramer framer;
    std::string answer;
    const std::string probe = ";FA14250000;";
    auto feed = [&](std::string_view bytes) {
        int got = 0;
        while (!bytes.empty()) {
            const auto room = framer.freeSpace();
            const std::size_t n = std::min<std::size_t>({room.size(), bytes.size(), 4096});
            std::memcpy(room.data(), bytes.data(), n);
            bytes.remove_prefix(n);
            framer.add(n);
            while (framer.next(shapes, answer) == qx::AnswerFramer::Outcome::Framed)
                got += answer == "FA14250000" ? 1 : 0;
        }
        return got;
    };
    for (auto _ : state) {
        feed(junk);
        if (feed(probe) != 1)
            state.SkipWithError("the answer after the junk was lost");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(junk.size()));
}
BENCHMARK_CAPTURE(BM_ClearJunk, nul_1MB, std::string(1 << 20, '\0'));
BENCHMARK_CAPTURE(BM_ClearJunk, digits_after_FA_1MB, "FA" + std::string((1 << 20) - 2, '7'));
BENCHMARK_CAPTURE(BM_ClearJunk, letters_1MB, std::string(1 << 20, 'Q'));
BENCHMARK_CAPTURE(BM_ClearJunk, spaces_after_EX_1MB, "EX" + std::string((1 << 20) - 2, ' '));

} // namespace
