// Arbitrary answers through the answer lookup, every decoder and the menu
// answer path, by way of the analyser with recording fakes. Besides the
// sanitizers' own checks, every radio-state entry must stay inside its range
// (or at its start-up value) whatever arrives.
#include "core/LinkFlags.h"
#include "core/MessageIds.h"
#include "cat/AnswerAnalyser.h"
#include "cat/AnswerDecoders.h"
#include "cat/CatTables.h"
#include "menu/MenuLoader.h"
#include "menu/MenuTable.h"
#include "serial/TextQueue.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

struct World {
    qx::RadioState radio;
    qx::CommandState command;
    qx::MenuTable menu;
    qx::LinkFlags link;
    qx::TextQueue answers;
    qx::test::FakeOutbox outbox;
    qx::AnswerAnalyser analyser{answers, outbox, link, radio, command, menu};
    qx::DecoderContext ctx{radio, command, menu, link, outbox};

    World()
    {
        qx::MenuLoader loader(menu, {[this](int n) { radio.set(qx::RadioState::Int::HIGHEST_MENU, n); }, {}});
        loader.load();
    }
};

World& world()
{
    static World w;
    return w;
}

void checkRanges(const qx::RadioState& radio)
{
    const auto& specs = qx::RadioState::intEntries();
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const int v = radio.get(static_cast<qx::RadioState::Int>(i));
        if ((v < specs[i].lower || v > specs[i].upper) && v != specs[i].initial)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    World& w = world();
    w.outbox.clear();
    const std::uint8_t mode = data[0];
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (text.size() > qx::TextQueue::kMaxText)
        text.resize(qx::TextQueue::kMaxText);

    // Low bits of the first byte steer the text to a row's code or to a menu
    // answer, so the fuzzer spends its time inside the decoders.
    const int row = mode % 80;
    if (row < static_cast<int>(qx::answerTable().size()) && text.size() >= 2) {
        const std::string_view code = qx::codeOf(qx::answerTable()[static_cast<std::size_t>(row)]);
        text.replace(0, 2, code);
    } else if (row == 71 && text.size() >= 2) {
        text.replace(0, 2, "EX");
    }
    w.link.aiSent.store((mode & 0x80) != 0);

    if (mode & 0x40) {
        // Straight to the decoder, as the link decoders call each other.
        qx::decodeAnswer(row, text, w.ctx);
    } else {
        w.answers.put(text);
        w.analyser.handle(qx::Message{qx::UM_ANSWER_ARRIVED, 0, 0});
    }
    if (row == 79)
        w.analyser.handle(qx::Message{qx::UM_AI_OFF_SEEN, 0, 0});
    checkRanges(w.radio);
    return 0;
}
