#include "tests/TempDir.h"
#include "web/ControlOwner.h"
#include "web/LoginLimiter.h"
#include "web/WebPassword.h"
#include "web/WebSessions.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace qx::web {
namespace {

using namespace std::chrono_literals;

TEST(WebPassword, OnlyTheRightPasswordMatchesItsSaltedHashWhichIsStoredPrivately)
{
    const auto hash = hashPassword("correct horse");
    ASSERT_TRUE(hash);
    EXPECT_EQ(hash->rfind("$argon2id$", 0), 0u);
    EXPECT_EQ(hash->find("correct horse"), std::string::npos);
    // Salted: the same password hashes differently each time.
    EXPECT_NE(*hash, *hashPassword("correct horse"));
    EXPECT_TRUE(passwordMatches(*hash, "correct horse"));
    EXPECT_FALSE(passwordMatches(*hash, "correct horsE"));
    EXPECT_FALSE(passwordMatches(*hash, ""));
    EXPECT_FALSE(passwordMatches("", "correct horse"));
    EXPECT_FALSE(passwordMatches("$argon2id$garbage", "correct horse"));

    qx::test::TempDir dir;
    const auto file = dir.path / "CommoFiles" / kPasswordFileName;
    EXPECT_FALSE(loadPasswordHash(file));
    std::string why;
    ASSERT_TRUE(savePasswordHash(file, *hash, &why)) << why;
    EXPECT_EQ(loadPasswordHash(file), hash);
    struct stat st{};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    EXPECT_FALSE(passwordRefusal("short").empty());
    EXPECT_TRUE(passwordRefusal("long enough").empty());
}

TEST(WebSessions, ASessionEndsAfterTheIdleTimeOrLogoutAndForgedTokensFindNothing)
{
    auto now = WebClock::time_point{};
    WebSessions sessions([&] { return now; });
    sessions.setIdleTime(60s);
    const std::string a = sessions.open("10.0.0.2");
    const std::string b = sessions.open("10.0.0.3");
    EXPECT_EQ(a.size(), 64u);
    EXPECT_NE(a, b);
    EXPECT_FALSE(sessions.valid(""));
    EXPECT_FALSE(sessions.valid(std::string(64, '0')));
    EXPECT_FALSE(sessions.valid(a.substr(0, 63)));
    now += 59s;
    EXPECT_TRUE(sessions.touch(a));  // used: its idle time starts again
    now += 30s;
    EXPECT_TRUE(sessions.valid(a));
    EXPECT_FALSE(sessions.valid(b));
    EXPECT_FALSE(sessions.touch(b));
    sessions.close(a);
    EXPECT_FALSE(sessions.valid(a));
    EXPECT_EQ(sessions.count(), 0u);
}

TEST(WebSessions, TheTokenIsFoundAmongOtherCookies)
{
    EXPECT_EQ(sessionTokenFromCookie("rcp720-session=abc"), "abc");
    EXPECT_EQ(sessionTokenFromCookie("theme=dark; rcp720-session=abc; x=1"), "abc");
    EXPECT_EQ(sessionTokenFromCookie("xrcp720-session=abc"), "");
    EXPECT_EQ(sessionTokenFromCookie("rcp720-sessionx=abc"), "");
    EXPECT_EQ(sessionTokenFromCookie(""), "");
}

TEST(LoginLimiter, AfterAFewFailuresEachAddressWaitsLongerAndASuccessClearsIt)
{
    auto now = WebClock::time_point{};
    LoginLimiter limiter([&] { return now; });
    for (int i = 0; i < LoginLimiter::kFreeAttempts - 1; ++i) {
        limiter.failed("a");
        EXPECT_EQ(limiter.waitFor("a"), 0s);
    }
    limiter.failed("a");
    EXPECT_EQ(limiter.waitFor("a"), 2s);
    EXPECT_EQ(limiter.waitFor("b"), 0s);  // others are not held up
    now += 2s;
    EXPECT_EQ(limiter.waitFor("a"), 0s);
    limiter.failed("a");
    EXPECT_EQ(limiter.waitFor("a"), 4s);
    for (int i = 0; i < 30; ++i)
        limiter.failed("a");
    EXPECT_EQ(limiter.waitFor("a"), LoginLimiter::kMaxWait);
    limiter.succeeded("a");
    EXPECT_EQ(limiter.waitFor("a"), 0s);
}

TEST(ControlOwner, OneControllerAtATimeAndThePanelCanAlwaysTakeItBack)
{
    ControlOwner c;
    EXPECT_TRUE(c.ask(3));
    EXPECT_FALSE(c.ask(4));
    EXPECT_TRUE(c.holds(3));
    EXPECT_FALSE(c.release(4));
    c.panelTakes();
    EXPECT_FALSE(c.holds(3));
    EXPECT_FALSE(c.ask(3));
    EXPECT_FALSE(c.release(3));
    c.grant(4);
    EXPECT_TRUE(c.holds(4));
    EXPECT_TRUE(c.release(4));
    EXPECT_EQ(c.holder(), ControlOwner::kNobody);
    EXPECT_FALSE(c.ask(ControlOwner::kNobody));
    EXPECT_FALSE(c.ask(ControlOwner::kPanel));
}

} // namespace
} // namespace qx::web
