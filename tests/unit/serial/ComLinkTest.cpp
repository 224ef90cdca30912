#include "serial/ComLink.h"

#include "app/MessageIds.h"
#include "tests/FakeOutbox.h"
#include "tests/unit/serial/FakeSerialDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace qx {
namespace {

class ComLinkTest : public ::testing::Test {
protected:
    test::FakeOpener fake;
    test::FakeOutbox outbox;
    int ai = 0;
    ComLink link{fake.opener(), [](int n) { return std::optional<std::string>("/dev/fakeCOM" + std::to_string(n)); },
                 outbox, [this] { return ai; }};

    test::FakeLine& line() { return *fake.line; }
};

TEST_F(ComLinkTest, SettersAcceptTheirRangeAndFallBackOtherwise)
{
    struct Case { int value; bool ok; int stored; };
    for (const Case c : {Case{1, true, 1}, Case{20, true, 20}, Case{7, true, 7}, Case{0, false, 1},
                         Case{21, false, 1}, Case{-3, false, 1}}) {
        link.setPortNumber(5);
        EXPECT_EQ(link.setPortNumber(c.value), c.ok) << c.value;
        EXPECT_EQ(link.portNumber(), c.stored) << c.value;
    }
    for (const Case c : {Case{4800, true, 4800}, Case{9600, true, 9600}, Case{19200, true, 19200},
                         Case{38400, true, 38400}, Case{57600, false, 4800}, Case{0, false, 4800},
                         Case{9601, false, 4800}}) {
        link.setBaudRate(19200);
        EXPECT_EQ(link.setBaudRate(c.value), c.ok) << c.value;
        EXPECT_EQ(link.baudRate(), c.stored) << c.value;
    }
}

TEST_F(ComLinkTest, OpenWritesTheAutoInformationCommandFirst)
{
    ai = 0;
    ASSERT_TRUE(link.open());
    EXPECT_EQ(line().written, "AI0;");
    ASSERT_TRUE(link.close());

    ai = 1;
    line().written.clear();
    ASSERT_TRUE(link.open());
    EXPECT_EQ(line().written, "AI1;");
    EXPECT_TRUE(outbox.windowPosts.empty());
}

TEST_F(ComLinkTest, OpenUsesTheConfiguredPortAndSpeed)
{
    link.setPortNumber(12);
    link.setBaudRate(38400);
    ASSERT_TRUE(link.open());
    ASSERT_EQ(fake.calls->size(), 1u);
    EXPECT_EQ(fake.calls->at(0).first, "/dev/fakeCOM12");
    EXPECT_EQ(fake.calls->at(0).second, 38400);
}

TEST_F(ComLinkTest, SecondOpenReturnsFalseAndSendsNothing)
{
    ASSERT_TRUE(link.open());
    EXPECT_FALSE(link.open());
    EXPECT_EQ(line().written, "AI0;");
    EXPECT_EQ(line().opens, 1);
    EXPECT_TRUE(link.isOpen());
}

TEST_F(ComLinkTest, FailedOpenPostsTheOpenErrorAndStaysClosed)
{
    *fake.refuse = true;
    EXPECT_FALSE(link.open());
    EXPECT_FALSE(link.isOpen());
    ASSERT_EQ(outbox.windowPosts.size(), 1u);
    EXPECT_EQ(outbox.windowPosts[0], (Message{UM_SHOW_ERROR, 0, 0}));
}

TEST_F(ComLinkTest, LineDownRightAfterOpenClosesAgainWithoutWriting)
{
    line().status.lineDown = true;
    EXPECT_FALSE(link.open());
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(line().liveDevices, 0);
    EXPECT_EQ(line().written, "");
    ASSERT_EQ(outbox.windowPosts.size(), 1u);
    EXPECT_EQ(outbox.windowPosts[0].id, UM_SHOW_ERROR);
}

TEST_F(ComLinkTest, NoDeviceBehindThePortNumberIsAnOpenFailure)
{
    ComLink orphan(fake.opener(), [](int) { return std::optional<std::string>(); }, outbox, [] { return 0; });
    EXPECT_FALSE(orphan.open());
    EXPECT_TRUE(fake.calls->empty());
    EXPECT_EQ(outbox.windowPosts.size(), 1u);
}

TEST_F(ComLinkTest, CloseReportsWhetherItClosedAnything)
{
    EXPECT_FALSE(link.close());
    ASSERT_TRUE(link.open());
    EXPECT_TRUE(link.close());
    EXPECT_EQ(line().liveDevices, 0);
    EXPECT_FALSE(link.close());
}

TEST_F(ComLinkTest, IoOnAClosedLinkFailsQuietly)
{
    std::array<std::uint8_t, 4> buf{};
    line().incoming = "FA;";
    EXPECT_EQ(link.read(buf), -1);
    EXPECT_EQ(link.write(buf), -1);
    EXPECT_FALSE(link.setRts(true));
    EXPECT_EQ(link.bytesWaiting(), 0u);
    line().status.lineDown = true;
    EXPECT_FALSE(link.clearErrors().lineDown);
}

TEST_F(ComLinkTest, ProbeLeavesTheLinkAlone)
{
    ASSERT_TRUE(link.open());
    EXPECT_TRUE(link.probe(2));
    EXPECT_EQ(fake.calls->back().first, "/dev/fakeCOM3");
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(line().liveDevices, 1); // the probe's device is gone again
    EXPECT_EQ(line().written, "AI0;");

    line().status.lineDown = true;
    EXPECT_FALSE(link.probe(0));
    *fake.refuse = true;
    line().status.lineDown = false;
    EXPECT_FALSE(link.probe(0));
    EXPECT_FALSE(link.probe(-1));
    EXPECT_FALSE(link.probe(20));
    EXPECT_TRUE(outbox.windowPosts.empty());
}

} // namespace
} // namespace qx

namespace qx {
namespace {

// The send, receive and UI threads share the link: one closes and reopens
// while another keeps using it. Run under ThreadSanitizer to mean anything.
TEST(ComLinkThreads, UseWhileAnotherThreadClosesAndReopens)
{
    test::FakeOpener fake;
    test::FakeOutbox outbox;
    ComLink link(fake.opener(), [](int) { return std::optional<std::string>("/dev/fake"); }, outbox,
                 [] { return 0; });
    std::atomic<bool> done{false};
    std::thread user([&] {
        const std::array<std::uint8_t, 3> cmd{'F', 'A', ';'};
        std::array<std::uint8_t, 8> buf{};
        while (!done) {
            link.write(cmd);
            link.read(buf);
            link.clearErrors();
            link.setRts(true);
        }
    });
    for (int i = 0; i < 500; ++i) {
        link.open();
        link.close();
    }
    done = true;
    user.join();
    EXPECT_EQ(fake.line->opens, 500);
    EXPECT_EQ(fake.line->liveDevices, 0);
}

} // namespace
} // namespace qx
