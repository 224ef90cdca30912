#include "app/PostRequest.h"

#include "tests/FakeOutbox.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(PostRequest, PacksFlagsThatAreExactlyOne)
{
    const struct {
        int flagA, selector, flagB;
        std::uint64_t wParam;
    } cases[] = {
        {0, 0, 0, 0x0},         {0, 1, 0, 0x1},        {1, 0, 0, 0x10000000},
        {0, 0, 1, 0x100000},    {1, 1, 1, 0x10100001}, {2, 2, 2, 0x0},
        {-1, -1, -1, 0x0},      {1, 3, 0, 0x10000000},
    };
    for (const auto& c : cases) {
        test::FakeOutbox outbox;
        ASSERT_TRUE(PostRequest(outbox, 81, c.flagA, c.selector, c.flagB, 14250000));
        ASSERT_EQ(outbox.threadPosts.size(), 1u);
        EXPECT_EQ(outbox.threadPosts[0].to, ThreadId::AnlSend);
        EXPECT_EQ(outbox.threadPosts[0].m, (Message{0x8551, c.wParam, 14250000}))
            << c.flagA << c.selector << c.flagB;
        EXPECT_TRUE(outbox.windowPosts.empty());
    }
}

TEST(PostRequest, CarriesTheValueAsGiven)
{
    test::FakeOutbox outbox;
    PostRequest(outbox, 83, 0, 0, 0, -120);
    PostRequest(outbox, 173, 0, 1, 0, 0);
    ASSERT_EQ(outbox.threadPosts.size(), 2u);
    EXPECT_EQ(outbox.threadPosts[0].m, (Message{0x8553, 0, -120}));
    EXPECT_EQ(outbox.threadPosts[1].m, (Message{0x866E, 1, 0}));
}

TEST(PostRequest, IndexOutsideTheTablePostsNothing)
{
    test::FakeOutbox outbox;
    for (int index : {0, -1, 174, 65536})
        EXPECT_FALSE(PostRequest(outbox, index, 1, 1, 1, 5)) << index;
    EXPECT_TRUE(outbox.threadPosts.empty());
}

} // namespace
} // namespace qx
