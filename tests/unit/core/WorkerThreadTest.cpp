#include "core/MessageIds.h"
#include "core/WorkerThread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace qx {
namespace {

// Records what it handled; tests wait on it with a generous time-out.
class Recorder : public MessageHandler {
public:
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

constexpr std::uint32_t kTick = 99;

TEST(WorkerThread, APacedThreadTicksWhileIdleAndStillTakesItsMail)
{
    Recorder r;
    WorkerThread t("paced", r);
    t.setTick({kTick, 0, 0}, std::chrono::milliseconds(1));
    t.start();
    ASSERT_TRUE(r.waitForCount(kTick, 3));
    t.post({5, 0, 0});
    ASSERT_TRUE(r.waitForCount(5, 1));
    ASSERT_TRUE(r.waitForCount(kTick, 6));
    EXPECT_TRUE(t.stop());
}

// A handler that keeps its own mailbox full.
class Flooder : public Recorder {
public:
    WorkerThread* self = nullptr;
    void handle(const Message& m) override
    {
        Recorder::handle(m);
        if (m.id == 1)
            self->post({1, 0, 0});
    }
};

TEST(WorkerThread, ABusyMailboxDoesNotStarveTheTick)
{
    Flooder f;
    WorkerThread t("flooded", f);
    f.self = &t;
    t.setTick({kTick, 0, 0}, std::chrono::milliseconds(1));
    t.post({1, 0, 0});
    t.start();
    EXPECT_TRUE(f.waitForCount(kTick, 3));
    EXPECT_TRUE(t.stop());
}

} // namespace
} // namespace qx
