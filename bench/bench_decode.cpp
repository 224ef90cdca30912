// Decoding a typical stream of answers through the analyser: what the radio
// sends while the operator tunes with auto-information on, plus the status
// and meter polls, and the occasional menu answer. Also the answer lookup
// alone, which the receive framing shares.
#include "core/LinkFlags.h"
#include "core/Outbox.h"
#include "cat/AnswerAnalyser.h"
#include "cat/CatTables.h"
#include "menu/MenuLoader.h"
#include "menu/MenuTable.h"
#include "serial/TextQueue.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

namespace {

// Counts instead of recording, so the benchmark measures decoding, not
// vectors growing.
class CountingOutbox : public qx::Outbox {
public:
    long posts = 0;
    void postToThread(qx::ThreadId, const qx::Message&) override { ++posts; }
    void postToWindow(const qx::Message&) override { ++posts; }
    void sendToWindow(const qx::Message&) override { ++posts; }
    void startTimer(int, int) override {}
    void stopTimer(int) override {}
};

constexpr std::array<std::string_view, 12> kMix{
    "FA14250000", "FA14250010", "FA14250020", "IF00014250020+000000020000", "SM0045", "RM1012",
    "MD02",       "FA14250030", "SQ0064",     "EX0211",                     "PS1",    "KM1CQ CQ DE QX7ABC K",
};

struct Rig {
    qx::RadioState radio;
    qx::CommandState command;
    qx::MenuTable menu;
    qx::LinkFlags link;
    qx::TextQueue answers;
    CountingOutbox outbox;
    qx::AnswerAnalyser analyser{answers, outbox, link, radio, command, menu};

    Rig()
    {
        qx::MenuLoader loader(menu, {[this](int n) { radio.set(qx::RadioState::Int::HIGHEST_MENU, n); }, {}});
        loader.load();
    }
};

void BM_DispatchAnswerMix(benchmark::State& state)
{
    Rig rig;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rig.analyser.dispatch(kMix[i]));
        i = (i + 1) % kMix.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DispatchAnswerMix);

// The same through the queue, one message per answer, as the thread runs it.
void BM_QueuedAnswerMix(benchmark::State& state)
{
    Rig rig;
    std::size_t i = 0;
    const qx::Message arrived{qx::UM_ANSWER_ARRIVED, 0, 0};
    for (auto _ : state) {
        rig.answers.put(kMix[i]);
        rig.analyser.handle(arrived);
        i = (i + 1) % kMix.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QueuedAnswerMix);

void BM_FindAnswer(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qx::findAnswer(kMix[i]));
        i = (i + 1) % kMix.size();
    }
}
BENCHMARK(BM_FindAnswer);

} // namespace
