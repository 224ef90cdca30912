// A command builder wired to real queues and stores and to fakes that write
// one shared log: every text the send thread would take when UM_SEND_QUEUED
// arrives, and every pause as "~<ms>", in the order they happened.
#pragma once
#include "app/MessageIds.h"
#include "cat/CommandBuilder.h"
#include "menu/MenuLoader.h"
#include "tests/FakeOutbox.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace qx::test {

using Log = std::vector<std::string>;

class WireOutbox : public FakeOutbox {
public:
    WireOutbox(TextQueue& queue, Log& log) : queue_(queue), log_(log) {}
    void postToThread(ThreadId to, const Message& m) override
    {
        FakeOutbox::postToThread(to, m);
        if (to == ThreadId::SioSend && m.id == UM_SEND_QUEUED) {
            std::array<char, TextQueue::kSlotSize> buf{};
            const int n = queue_.tryTake(buf);
            log_.push_back(n >= 0 ? std::string(buf.data(), static_cast<std::size_t>(n)) : "<empty post>");
        }
    }

private:
    TextQueue& queue_;
    Log& log_;
};

class LogClock : public FakeClock {
public:
    explicit LogClock(Log& log) : log_(log) {}
    void sleepFor(Ms d) override
    {
        FakeClock::sleepFor(d);
        log_.push_back("~" + std::to_string(d.count()));
    }

private:
    Log& log_;
};

class CountingPort : public PortOpener {
public:
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

    // The log so far, emptied.
    Log take()
    {
        Log out;
        out.swap(log);
        return out;
    }

    std::vector<FakeOutbox::TimerCall> timers() const { return outbox.timerCalls; }

    int postsTo(ThreadId to, std::uint32_t id) const
    {
        int count = 0;
        for (const auto& p : outbox.threadPosts)
            count += p.to == to && p.m.id == id ? 1 : 0;
        return count;
    }

    int windowPostsOf(std::uint32_t id) const
    {
        int count = 0;
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

inline bool operator==(const FakeOutbox::TimerCall& a, const FakeOutbox::TimerCall& b)
{
    return a.start == b.start && a.id == b.id && a.periodMs == b.periodMs;
}

inline std::ostream& operator<<(std::ostream& os, const FakeOutbox::TimerCall& t)
{
    return os << (t.start ? "start " : "stop ") << t.id << "/" << t.periodMs;
}

} // namespace qx::test
