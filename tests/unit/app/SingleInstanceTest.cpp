#include "app/SingleInstance.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

namespace qx {
namespace {

std::string tempLock()
{
    char tmpl[] = "/tmp/qx-lock-XXXXXX";
    int fd = ::mkstemp(tmpl);
    ::close(fd);
    return tmpl;
}

TEST(SingleInstance, SecondHolderSeesTheLockUntilTheFirstEnds)
{
    const std::string path = tempLock();
    {
        SingleInstance first(path);
        EXPECT_FALSE(first.secondInstance());
        SingleInstance second(path);
        EXPECT_TRUE(second.secondInstance());
    }
    SingleInstance again(path);
    EXPECT_FALSE(again.secondInstance());
    ::unlink(path.c_str());
}

TEST(SingleInstance, AnUnusableLockPathStillLetsTheProgramStartAsFirst)
{
    SingleInstance odd("/nonexistent-dir/qx/RCP-720.lock");
    EXPECT_FALSE(odd.secondInstance());
}

} // namespace
} // namespace qx
