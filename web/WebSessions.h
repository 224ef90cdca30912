// Who has logged in: a session per successful login, named by a random
// token the browser keeps in a cookie. A session ends on logout or when it
// was not used for the idle time; an unknown, forged or ended token finds nothing.
#pragma once
#include "web/WebClock.h"

#include <map>
#include <optional>
#include <string>

namespace qx::web {

class WebSessions {
public:
    static constexpr std::chrono::minutes kDefaultIdle{30};
    // More than this many sessions: the one idle the longest goes.
    static constexpr std::size_t kMaxSessions = 64;

    explicit WebSessions(Now now = WebClock::now) : now_(std::move(now)) {}

    void setIdleTime(std::chrono::seconds idle) { idle_ = idle; }
    std::chrono::seconds idleTime() const { return idle_; }

    // A new session's token (64 hex digits).
    std::string open(const std::string& peer);
    // True while `token` names a live session; using it counts as activity.
    bool touch(const std::string& token);
    bool valid(const std::string& token) const;
    void close(const std::string& token);
    // Ends every session idle for too long; how many ended.
    std::size_t expire();
    std::size_t count() const { return sessions_.size(); }

private:
    struct Session {
        std::string peer;
        WebClock::time_point lastUse;
    };
    bool alive(const Session& s) const { return now_() - s.lastUse < idle_; }

    Now now_;
    std::chrono::seconds idle_ = kDefaultIdle;
    std::map<std::string, Session> sessions_;
};

// The token in a Cookie header's value ("a=b; rcp720-session=TOKEN"); empty when none.
std::string sessionTokenFromCookie(const std::string& cookieHeader);
inline constexpr const char* kSessionCookie = "rcp720-session";

} // namespace qx::web
