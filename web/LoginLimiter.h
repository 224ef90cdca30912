// Slows password guessing: each address gets a few attempts, then must wait
// before the next one, twice as long after each further failure (up to
// kMaxWait). A success clears the address's count. Refused attempts are not
// even checked, so they cost the guesser time and the program no hashing.
#pragma once
#include "web/WebClock.h"

#include <map>
#include <string>

namespace qx::web {

class LoginLimiter {
public:
    static constexpr int kFreeAttempts = 3;
    static constexpr std::chrono::seconds kFirstWait{2};
    static constexpr std::chrono::seconds kMaxWait{300};
    static constexpr std::size_t kMaxAddresses = 4096;

    explicit LoginLimiter(Now now = WebClock::now) : now_(std::move(now)) {}

    // Zero when `peer` may try now, else how long it must still wait.
    std::chrono::seconds waitFor(const std::string& peer) const;
    void failed(const std::string& peer);
    void succeeded(const std::string& peer);

private:
    struct Record {
        int failures = 0;
        WebClock::time_point notBefore{};
    };
    Now now_;
    std::map<std::string, Record> records_;
};

} // namespace qx::web
