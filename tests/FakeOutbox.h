// Test doubles for the Outbox and the Clock: record everything, do nothing.
#pragma once
#include "core/Clock.h"
#include "core/Outbox.h"

#include <vector>

namespace qx::test {

class FakeOutbox : public Outbox {
public:
    struct ThreadPost { ThreadId to; Message m; };
    struct TimerCall { bool start; int id; int periodMs; };

    std::vector<ThreadPost> threadPosts;
    std::vector<Message> windowPosts;
    std::vector<Message> windowSends;
    std::vector<TimerCall> timerCalls;

    void postToThread(ThreadId to, const Message& m) override { threadPosts.push_back({to, m}); }
    void postToWindow(const Message& m) override { windowPosts.push_back(m); }
    void sendToWindow(const Message& m) override { windowSends.push_back(m); }
    void startTimer(int id, int periodMs) override { timerCalls.push_back({true, id, periodMs}); }
    void stopTimer(int id) override { timerCalls.push_back({false, id, 0}); }

    void clear() { threadPosts.clear(); windowPosts.clear(); windowSends.clear(); timerCalls.clear(); }
};

// Time stands still except when someone sleeps; every pause is recorded.
class FakeClock : public Clock {
public:
    std::chrono::steady_clock::time_point t{};
    std::vector<Ms> sleeps;
    std::chrono::steady_clock::time_point now() override { return t; }
    void sleepFor(Ms d) override { sleeps.push_back(d); t += d; }
    void advance(Ms d) { t += d; }
};

} // namespace qx::test
