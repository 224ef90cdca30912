#include "core/PostRequest.h"

#include "tests/FakeOutbox.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(PostRequest, PacksFlagsThatAreExactlyOneAndCarriesTheValue)
{
    const struct {
        int index, flagA, selector, flagB;
        std::int64_t value;
        Message expected;
    } cases[] = {
        {81, 0, 0, 0, 14250000, {0x8551, 0x0, 14250000}},
        {81, 0, 1, 0, 7, {0x8551, 0x1, 7}},
        {81, 1, 0, 0, 7, {0x8551, 0x10000000, 7}},
        {81, 0, 0, 1, 7, {0x8551, 0x100000, 7}},
        {173, 1, 1, 1, 0, {0x866E, 0x10100001, 0}},
        {83, 2, 2, 2, -120, {0x8553, 0x0, -120}},
        {83, -1, -1, -1, 0, {0x8553, 0x0, 0}},
    };
    for (const auto& c : cases) {
        test::FakeOutbox outbox;
        ASSERT_TRUE(PostRequest(outbox, c.index, c.flagA, c.selector, c.flagB, c.value));
        ASSERT_EQ(outbox.threadPosts.size(), 1u);
        EXPECT_EQ(outbox.threadPosts[0].to, ThreadId::AnlSend);
        EXPECT_EQ(outbox.threadPosts[0].m, c.expected) << c.index << " " << c.flagA << c.selector << c.flagB;
    }
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
