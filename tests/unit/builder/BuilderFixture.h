// A command builder wired to real queues and stores and to fakes that share
// one log: the text the send thread would take at each UM_SEND_QUEUED, and
// each pause as "~<ms>", in the order they happened.
#pragma once
#include "core/MessageIds.h"
#include "cat/CommandBuilder.h"
#include "menu/MenuLoader.h"
#include "tests/FakeOutbox.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

namespace qx::test {

using Log = std::vector<std::string>;
using Timers = std::vector<std::tuple<bool, int, int>>;  // start?, timer id, period

struct WireOutbox : FakeOutbox {
    WireOutbox(TextQueue& q, Log& l) : queue(q), log(l) {}
    void postToThread(ThreadId to, const Message& m) override
    {
        FakeOutbox::postToThread(to, m);
        if (to == ThreadId::SioSend && m.id == UM_SEND_QUEUED) {
            std::array<char, TextQueue::kSlotSize> buf{};
            const int n = queue.tryTake(buf);
            log.push_back(n >= 0 ? std::string(buf.data(), static_cast<std::size_t>(n)) : "<empty post>");
        }
    }
    TextQueue& queue;
    Log& log;
};

struct LogClock : FakeClock {
    explicit LogClock(Log& l) : log(l) {}
    void sleepFor(Ms d) override { FakeClock::sleepFor(d), log.push_back("~" + std::to_string(d.count())); }
    Log& log;
};

struct CountingPort : PortOpener {
    int opens = 0;
    void ensureOpen() override { ++opens; }
};

class BuilderTest : public ::testing::Test {
protected:
    BuilderTest()
    {
        MenuLoader loader(menu, {[this](int n) { radio.set(RadioState::Int::HIGHEST_MENU, n); }, {}});
        loader.load();
    }

    void post(std::uint32_t id, std::int64_t n = 0, std::uint64_t selector = 0)
    {
        builder.handle(Message{id, selector, n});
    }

    Log take() { return std::exchange(log, {}); }

    Timers timers() const
    {
        Timers out;
        for (const auto& t : outbox.timerCalls)
            out.emplace_back(t.start, t.id, t.periodMs);
        return out;
    }

    int posts(std::uint32_t id) const
    {
        int count = 0;
        for (const auto& p : outbox.threadPosts)
            count += p.m.id == id ? 1 : 0;
        for (const auto& m : outbox.windowPosts)
            count += m.id == id ? 1 : 0;
        return count;
    }

    Log log;
    TextQueue sendQueue;
    TextQueue answerQueue;
    RadioState radio;
    CommandState command;
    MenuTable menu;
    LinkFlags flags;
    WireOutbox outbox{sendQueue, log};
    LogClock clock{log};
    CountingPort port;
    CommandBuilder builder{sendQueue, answerQueue, radio, command, menu, flags, outbox, clock, port};
};

} // namespace qx::test
