// Everything the analyser and its decoders touch, fresh per test, with the
// menu table loaded and the outbox recording.
#pragma once
#include "core/MessageIds.h"
#include "cat/AnswerAnalyser.h"
#include "cat/CatTables.h"
#include "menu/MenuLoader.h"
#include "tests/FakeOutbox.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx::test {

using Ids = std::vector<std::uint32_t>;
using RInt = RadioState::Int;
using CInt = CommandState::Int;

struct AnalyserWorld : ::testing::Test {
    RadioState radio;
    CommandState command;
    MenuTable menu;
    LinkFlags link;
    TextQueue answers;
    FakeOutbox outbox;
    AnswerAnalyser analyser{answers, outbox, link, radio, command, menu};
    DecoderContext ctx{radio, command, menu, link, outbox};

    AnalyserWorld() { MenuLoader(menu, {[this](int n) { radio.set(RInt::HIGHEST_MENU, n); }, {}}).load(); }

    bool decode(std::string_view text) { return decodeAnswer(findAnswer(text), text, ctx); }
    // As the receive thread hands an answer on.
    void arrive(std::string_view text)
    {
        answers.put(text);
        analyser.handle(Message{UM_ANSWER_ARRIVED, 0, 0});
    }
    Ids windowIds() const
    {
        Ids ids;
        for (const Message& m : outbox.windowPosts)
            ids.push_back(m.id);
        return ids;
    }
    Ids requestIds() const
    {
        Ids ids;
        for (const auto& p : outbox.threadPosts) {
            EXPECT_EQ(p.to, ThreadId::AnlSend);
            ids.push_back(p.m.id);
        }
        return ids;
    }
};

} // namespace qx::test
