#include "core/MessageIds.h"
#include "core/WorkerThread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <fcntl.h>
#include <unistd.h>
#include <mutex>
#include <vector>

namespace qx {
namespace {

// Records what it handled; tests wait on it with a generous time-out.
class Recorder : public MessageHandler {
public:
    ~Recorder() override = default;
    void handle(const Message& m) override
    {
        std::lock_guard lock(mutex);
        seen.push_back(m.id);
        cv.notify_all();
    }
    bool waitFor(std::size_t n)
    {
        std::unique_lock lock(mutex);
        return cv.wait_for(lock, std::chrono::seconds(10), [&] { return seen.size() >= n; });
    }
    bool waitForCount(std::uint32_t id, long n)
    {
        std::unique_lock lock(mutex);
        return cv.wait_for(lock, std::chrono::seconds(10),
                           [&] { return std::count(seen.begin(), seen.end(), id) >= n; });
    }
    std::mutex mutex;
    std::condition_variable cv;
    std::vector<std::uint32_t> seen;
};

TEST(WorkerThread, HandlesMessagesInPostingOrder)
{
    Recorder r;
    WorkerThread t("order", r);
    t.start();
    for (std::uint32_t id = 1; id <= 200; ++id)
        ASSERT_TRUE(t.post({id, 0, 0}));
    ASSERT_TRUE(r.waitFor(200));
    for (std::uint32_t i = 0; i < 200; ++i)
        EXPECT_EQ(r.seen[i], i + 1);
    EXPECT_TRUE(t.stop());
}

TEST(WorkerThread, QuitEndsTheThreadAndLaterPostsAreLost)
{
    Recorder r;
    WorkerThread t("quit", r);
    t.start();
    t.post({7, 0, 0});
    t.post({UM_THREAD_QUIT, 0, 0});
    ASSERT_TRUE(t.stop());
    EXPECT_TRUE(t.finished());
    EXPECT_FALSE(t.post({8, 0, 0}));
    std::lock_guard lock(r.mutex);
    EXPECT_EQ(r.seen, std::vector<std::uint32_t>{7});
}

TEST(WorkerThread, StoppingAnIdleOrUnstartedThreadReturnsAtOnce)
{
    Recorder r;
    WorkerThread never("never", r);
    EXPECT_TRUE(never.stop());
    WorkerThread idle("idle", r);
    idle.start();
    EXPECT_TRUE(idle.stop());
    EXPECT_TRUE(idle.finished());
}

constexpr int kTimer = 99;
constexpr std::uint32_t kTick = 1000 + kTimer; // how the recorder notes a tick

// Notes its timer ticks among the messages.
class TickRecorder : public Recorder {
public:
    void onTimer(int id) override { Recorder::handle({static_cast<std::uint32_t>(1000 + id), 0, 0}); }
};

TEST(WorkerThread, ItsOwnTimerTicksWhileIdleAndTheThreadStillTakesItsMail)
{
    TickRecorder r;
    WorkerThread t("timed", r);
    t.startTimer(kTimer, std::chrono::milliseconds(1));
    t.start();
    ASSERT_TRUE(r.waitForCount(kTick, 3));
    t.post({5, 0, 0});
    ASSERT_TRUE(r.waitForCount(5, 1));
    ASSERT_TRUE(r.waitForCount(kTick, 6));
    t.stopTimer(kTimer);
    EXPECT_FALSE(t.timerActive(kTimer));
    EXPECT_TRUE(t.stop());
}

// A handler that keeps its own mailbox full.
class Flooder : public TickRecorder {
public:
    WorkerThread* self = nullptr;
    void handle(const Message& m) override
    {
        Recorder::handle(m);
        if (m.id == 1)
            self->post({1, 0, 0});
    }
};

TEST(WorkerThread, ABusyMailboxDoesNotStarveATimer)
{
    Flooder f;
    WorkerThread t("flooded", f);
    f.self = &t;
    t.startTimer(kTimer, std::chrono::milliseconds(1));
    t.post({1, 0, 0});
    t.start();
    EXPECT_TRUE(f.waitForCount(kTick, 3));
    EXPECT_TRUE(t.stop());
}

// The thread sleeps until an hour from now; a restart from another thread
// must wake it to look at the new deadline.
TEST(WorkerThread, ATimerRestartedFromAnotherThreadWakesTheSleeper)
{
    TickRecorder r;
    WorkerThread t("restarted", r);
    t.startTimer(kTimer, std::chrono::hours(1));
    t.start();
    t.post({5, 0, 0});
    ASSERT_TRUE(r.waitForCount(5, 1)); // it has been through its loop and sleeps now
    t.startTimer(kTimer, std::chrono::milliseconds(1));
    EXPECT_TRUE(r.waitForCount(kTick, 2));
    EXPECT_TRUE(t.stop());
}

// Input is a pipe the test writes to; the handler drains it and notes each wake.
class PipeWatcher : public Recorder {
public:
    static constexpr std::uint32_t kInput = 500;
    static constexpr std::uint32_t kDeadline = 501;
    int fds[2] = {-1, -1};
    std::atomic<bool> timed{false};
    PipeWatcher() { EXPECT_EQ(::pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0); }
    ~PipeWatcher() override
    {
        ::close(fds[0]);
        ::close(fds[1]);
    }
    InputWait inputWait() override
    {
        if (timed)
            return {-1, std::chrono::steady_clock::now() + std::chrono::milliseconds(1)};
        return {fds[0], std::nullopt};
    }
    void onInput(short revents) override
    {
        char buf[64];
        while (::read(fds[0], buf, sizeof buf) > 0) {
        }
        Recorder::handle({revents == 0 ? kDeadline : kInput, 0, 0});
    }
    void feed() { ASSERT_EQ(::write(fds[1], "x", 1), 1); }
};

TEST(WorkerThread, AWatchingThreadWakesForInputForMailAndAtTheDeadlineItWasGiven)
{
    PipeWatcher w;
    WorkerThread t("watching", w);
    t.watchInput();
    t.start();
    w.feed();
    ASSERT_TRUE(w.waitForCount(PipeWatcher::kInput, 1));
    t.post({5, 0, 0});
    ASSERT_TRUE(w.waitForCount(5, 1));
    w.feed();
    ASSERT_TRUE(w.waitForCount(PipeWatcher::kInput, 2));
    w.timed = true;
    t.post({6, 0, 0}); // makes it ask again
    EXPECT_TRUE(w.waitForCount(PipeWatcher::kDeadline, 2));
    {
        std::lock_guard lock(w.mutex);
        EXPECT_EQ(std::count(w.seen.begin(), w.seen.end(), PipeWatcher::kInput), 2) << "one wake per arrival";
    }
    EXPECT_TRUE(t.stop()); // quit reaches a thread asleep in poll
}

} // namespace
} // namespace qx
