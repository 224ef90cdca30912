#include "serial/ComLink.h"

#include "core/MessageIds.h"
#include "tests/FakeOutbox.h"
#include "tests/unit/serial/FakeSerialDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

namespace qx {
namespace {

struct ComLinkTest : ::testing::Test {
    std::shared_ptr<test::FakeLine> line = std::make_shared<test::FakeLine>();
    test::FakeOutbox outbox;
    int ai = 0;
    ComLink link{test::fakeOpener(line), test::fakePath, outbox, [this] { return ai; }};
};

TEST_F(ComLinkTest, OpenWritesTheAiCommandOnceAndOnlyOnce)
{
    link.setPortNumber(12);
    link.setBaudRate(19200);
    ASSERT_TRUE(link.open());
    EXPECT_FALSE(link.open()); // already open: nothing more on the wire
    EXPECT_EQ(line->written, "AI0;");
    EXPECT_EQ(line->lastPath, "/dev/fakeCOM12");
    EXPECT_EQ(line->lastBaud, 19200);
    EXPECT_TRUE(link.close());
    EXPECT_FALSE(link.close());
    EXPECT_EQ(line->live, 0);

    ai = 1;
    ASSERT_TRUE(link.open());
    EXPECT_EQ(line->written, "AI0;AI1;");
    EXPECT_TRUE(outbox.windowPosts.empty());
}

TEST_F(ComLinkTest, FailedOpenOrLineDownPostsTheOpenErrorAndStaysClosed)
{
    EXPECT_EQ(link.lastOpenFailure(), "");
    line->refuse = true;
    EXPECT_FALSE(link.open());
    EXPECT_EQ(link.lastOpenFailure(), "/dev/fakeCOM1: Permission denied");
    line->refuse = false;
    line->status.lineDown = true;
    EXPECT_FALSE(link.open());
    EXPECT_EQ(link.lastOpenFailure(), "the line went down as the port opened");
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(line->live, 0);
    EXPECT_EQ(line->written, "");
    EXPECT_EQ(outbox.windowPosts, (std::vector<Message>(2, Message{UM_SHOW_ERROR, 0, 0})));
}

TEST_F(ComLinkTest, ClosedLinkFailsIoQuietly)
{
    std::array<std::uint8_t, 4> buf{};
    line->incoming = "FA;";
    line->status.lineDown = true;
    EXPECT_EQ(link.read(buf), -1);
    EXPECT_EQ(link.write(buf), -1);
    EXPECT_FALSE(link.setRts(true));
    EXPECT_FALSE(link.clearErrors().lineDown);
}

TEST_F(ComLinkTest, ProbeLeavesTheLinkAlone)
{
    ASSERT_TRUE(link.open());
    EXPECT_TRUE(link.probe(2));
    EXPECT_EQ(line->lastPath, "/dev/fakeCOM3");
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(line->live, 1);
    EXPECT_EQ(line->written, "AI0;");
    line->status.lineDown = true;
    EXPECT_FALSE(link.probe(0));
    EXPECT_FALSE(link.probe(20));
    EXPECT_TRUE(outbox.windowPosts.empty());
}

// Meaningful under ThreadSanitizer: one thread closes and reopens while
// another keeps using the link.
TEST_F(ComLinkTest, UseWhileAnotherThreadClosesAndReopens)
{
    std::atomic<bool> done{false};
    std::thread user([&] {
        std::array<std::uint8_t, 8> buf{'F', 'A', ';'};
        while (!done) {
            link.write(std::span(buf).first(3));
            link.read(buf);
            link.clearErrors();
        }
    });
    for (int i = 0; i < 500; ++i) {
        link.open();
        link.close();
    }
    done = true;
    user.join();
    EXPECT_EQ(line->opens, 500);
    EXPECT_EQ(line->live, 0);
}

// An opener that stands still, as a connect to a far host does, until the
// test lets it go on.
struct SlowOpener {
    explicit SlowOpener(std::shared_ptr<test::FakeLine> l) : line(std::move(l)) {}
    std::shared_ptr<test::FakeLine> line;
    std::mutex mutex;
    std::condition_variable cv;
    bool entered = false, released = false;

    DeviceOpener opener()
    {
        return [this](const std::string& path, int baud, std::string& why) -> std::unique_ptr<SerialDevice> {
            std::unique_lock lock(mutex);
            entered = true;
            cv.notify_all();
            cv.wait(lock, [this] { return released; });
            return test::fakeOpener(line)(path, baud, why);
        };
    }
    void waitEntered()
    {
        std::unique_lock lock(mutex);
        cv.wait(lock, [this] { return entered; });
    }
    void release()
    {
        std::lock_guard lock(mutex);
        released = true;
        cv.notify_all();
    }
};

TEST(ComLinkConnecting, AnOpenInProgressHoldsNobodyElseUp)
{
    auto line = std::make_shared<test::FakeLine>();
    SlowOpener slow{line};
    test::FakeOutbox outbox;
    ComLink link{slow.opener(), test::fakePath, outbox, [] { return 0; }};

    auto first = std::async(std::launch::async, [&] { return link.open(); });
    slow.waitEntered();
    // Everyone else sees a closed link meanwhile instead of waiting for it.
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(link.clearErrors().lineDown);
    std::array<std::uint8_t, 3> buf{'F', 'A', ';'};
    EXPECT_EQ(link.write(buf), -1);
    // A second opener waits for the first and does not connect again.
    auto second = std::async(std::launch::async, [&] { return link.open(); });
    slow.release();
    EXPECT_TRUE(first.get());
    EXPECT_FALSE(second.get());
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(line->opens, 1);
    EXPECT_EQ(line->written, "AI0;");
}

TEST(ComLinkConnecting, AClosedWhileConnectingGivesUpTheNewDeviceSilently)
{
    auto line = std::make_shared<test::FakeLine>();
    SlowOpener slow{line};
    test::FakeOutbox outbox;
    ComLink link{slow.opener(), test::fakePath, outbox, [] { return 0; }};

    auto opening = std::async(std::launch::async, [&] { return link.open(); });
    slow.waitEntered();
    EXPECT_FALSE(link.close());
    slow.release();
    EXPECT_FALSE(opening.get());
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(line->live, 0);
    EXPECT_TRUE(outbox.windowPosts.empty()) << "a close asked for is no failure to report";
    EXPECT_TRUE(link.open()) << "the next open connects afresh";
}

} // namespace
} // namespace qx
