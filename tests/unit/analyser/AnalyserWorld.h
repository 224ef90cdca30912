// Everything the analyser and its decoders touch, made fresh per test, with
// the menu table loaded and the outbox recording.
#pragma once
#include "app/LinkFlags.h"
#include "app/MessageIds.h"
#include "cat/AnswerAnalyser.h"
#include "cat/AnswerDecoders.h"
#include "cat/CatTables.h"
#include "menu/MenuLoader.h"
#include "menu/MenuTable.h"
#include "serial/TextQueue.h"
#include "state/CommandState.h"
#include "state/RadioState.h"
#include "tests/FakeOutbox.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace qx::test {

struct AnalyserWorld : ::testing::Test {
    RadioState radio;
    CommandState command;
    MenuTable menu;
    LinkFlags link;
    TextQueue answers;
    FakeOutbox outbox;
    AnswerAnalyser analyser{answers, outbox, link, radio, command, menu};
    DecoderContext ctx{radio, command, menu, link, outbox};

    AnalyserWorld()
    {
        MenuLoader loader(menu, {[this](int n) { radio.set(RadioState::Int::HIGHEST_MENU, n); }, {}});
        loader.load();
    }

    bool decode(AnswerRow row, std::string_view text) { return decodeAnswer(static_cast<int>(row), text, ctx); }

    // An answer as the receive thread hands it on.
    void arrive(std::string_view text)
    {
        answers.put(text);
        analyser.handle(Message{UM_ANSWER_ARRIVED, 0, 0});
    }

    std::vector<std::uint32_t> windowIds() const
    {
        std::vector<std::uint32_t> ids;
        for (const Message& m : outbox.windowPosts)
            ids.push_back(m.id);
        return ids;
    }
    std::vector<std::uint32_t> requestIds() const
    {
        std::vector<std::uint32_t> ids;
        for (const auto& p : outbox.threadPosts) {
            EXPECT_EQ(p.to, ThreadId::AnlSend);
            ids.push_back(p.m.id);
        }
        return ids;
    }
};

using Ids = std::vector<std::uint32_t>;

} // namespace qx::test
